#pragma once

#include <QGraphicsScene>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QFont>

#include <functional>
#include <vector>

#include "Display/CellPainter.h"
#include "Display/DisplayInfo.h"

class QOpenGLContext;
class QOpenGLWidget;
class QOpenGLFunctions_1_1;

// Draws every cell of an OpenGL wall into the background of one view: the pictures as
// textured quads, then the cell marks with the painter. Each cell keeps its own texture and
// uploads a picture only once, at the first repaint after it arrived; pictures that arrive
// between two repaints simply replace each other.
class CGraphicsScene : public QGraphicsScene {
public:
    // Side of the squares the marks are blended in.
    static constexpr int OVERLAY_TILE = 16;

    CGraphicsScene(const OpenGLMode& mode, int count);
    ~CGraphicsScene() override;

    int count() const { return m_count; }
    void setInfo(int i, const CDisplayInfo& info);
    const CDisplayInfo& getInfo(int i) const;
    void clear();
    void setSelected(int i);
    int selected() const { return m_selected; }
    void setDisplaySettings(bool chName, int record, int event);
    void updateDisplayRect(int i, const QRect& rect);
    const QRect& getDisplayRect(int i) const;
    void startZoom();
    void endZoom();
    void resize(const QSize& size);
    QString getToolTip(const QPoint& point) const;

    const QRect& zoomRect() const { return m_zoomRect; }
    bool zoomApplied() const { return m_zoomApplied; }
    // New pictures that reached a repaint since the scene was made.
    quint64 picturesDrawn() const;
    // Of those, cell i's.
    quint64 picturesDrawn(int i) const;
    // Times the marks over the pictures were drawn anew through OpenGL (they are kept as a
    // texture until one of them changes).
    quint64 overlayRenders() const { return m_overlayRenders; }
    // Called at the end of each drawing of the cells, when every picture handed over until
    // then has been drawn.
    void setDrawnHandler(std::function<void()> drawn) { m_drawn = std::move(drawn); }

    // Smallest power of two, at least 2, not below n.
    static int powerOfTwo(int n);
    // Copies source into the top-left corner of a power-of-two image in target, which is
    // made anew (black) only when its size or format must change.
    static void ConvertToGLImage(const QImage& source, QImage& target);
    // Texture extent of the picture within its texture, and the part a zoom rectangle
    // selects (s0, t0, s1, t1); the zoom rectangle is in the coordinates of cell.
    static void textureRange(const QSize& picture, const QSize& texture, bool zoom,
                             const QRect& zoomRect, const QRect& cell, float range[4]);
    // The tiles (tile x tile pixels, clipped to the image) holding any pixel that is not fully
    // transparent, adjacent ones in a row joined into one rectangle.
    static std::vector<QRect> markedTiles(const QImage& overlay, int tile);
    // Nearest texels where a picture falls one texel to a pixel onto its cell: the same
    // pixels as linear filtering, for much less work in a software rasteriser.
    static bool oneTexelPerPixel(const QSize& picture, const QRect& cell, bool zoom);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private:
    struct CellTexture {
        unsigned name = 0;
        QSize size;  // allocated texture size
        int filter = 0;
        bool stale = true;  // the cell's picture changed since its last upload
    };

    // What a cell draws over its picture.
    struct OverlayCell {
        QRect rect;
        int channel = -1;
        QString title;
        QString channelName;
        bool record = false, motion = false, sensor = false;
        bool videoLoss = false, authorised = true, failed = false;
        bool selected = false;
        QRect drag;
        bool operator==(const OverlayCell& o) const;
    };

    // True when the pictures were drawn through OpenGL (and with them the cached marks).
    bool ImageDraw(QPainter* painter, const QRectF& exposed);
    std::vector<OverlayCell> overlayCells() const;
    // The zoom rectangle being dragged in cell i, none outside the selected cell.
    QRect dragRect(int i) const;
    void drawOverlays(QPainter& painter);
    // Blends the marks of every cell over the pictures from their texture, drawn anew
    // first when any of them changed.
    void drawCachedOverlay(const QFont& font, const QSize& size);
    void ImageDrawToOpenGL(CellTexture& texture, const QImage& image, const QSize& size,
                           const QRect& rect);
    // Uploads pixels into the bound texture, allocating it anew when its size changes.
    void uploadTexture(QSize& allocated, const QSize& size, unsigned format, const void* pixels);
    // Sets the bound texture's filtering and edges.
    void setTextureFilter(int filter);
    bool setUpGL();
    void releaseGL();
    // Drops the texture names without deleting them: their context is gone or new.
    void forgetTextures();
    bool validIndex(int i) const { return i >= 0 && i < m_count; }

    OpenGLMode m_mode;
    int m_count;
    std::vector<QRect> m_rects;
    std::vector<CDisplayInfo> m_infos;
    std::vector<QImage> m_glImages;
    QRect m_zoomRect{QPoint(-1, -1), QPoint(-3, -3)};
    bool m_zoomApplied = false;
    bool m_zoomMode = false;
    QPointF m_pressPos;
    QPointF m_movePos;
    int m_selected = 0;
    bool m_dragging = false;
    CCellOsd m_osd;
    std::vector<CellTexture> m_textures;
    std::vector<CCellTexts> m_texts;
    std::vector<OverlayCell> m_overlayCells;
    CCellOsd m_overlayOsd;
    QFont m_overlayFont;
    QImage m_overlay;
    unsigned m_overlayTexture = 0;
    QSize m_overlayTextureSize;
    // Where the marks are: blending the rest of the wall would change nothing.
    std::vector<QRect> m_overlayTiles;
    quint64 m_overlayRenders = 0;
    std::function<void()> m_drawn;

    // The context the textures belong to; a re-parented viewport brings a new one.
    QOpenGLContext* m_context = nullptr;
    QPointer<QOpenGLWidget> m_glWidget;
    QOpenGLFunctions_1_1* m_gl = nullptr;
    // New pictures drawn, by cell.
    std::vector<quint64> m_picturesDrawn;
};
