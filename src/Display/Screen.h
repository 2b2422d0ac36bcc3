#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QOpenGLWidget>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

#include "Display/DisplayInfo.h"
#include "Display/GraphicsView.h"
#include "Display/ScreenWidget.h"
#include "Display/WaitWidget.h"

class QSurfaceFormat;
class QTimer;
class QWidget;
class CGraphicsScene;

// File format of a captured still image ("CaptureFileFormat" setting).
struct CAPTURE_FILEFORMAT {
    enum ENUM : int {
        JPEG = 0,
        PNG = 1,
    };
};

// The cells that show pictures, drawn either through one OpenGL view for all cells or by one
// plain widget per cell. Cell indexes outside the container are ignored by the setters and
// read as an empty cell.
class CScreen {
public:
    // A page holds at most this many cells.
    static constexpr int MAX_CELLS = 64;
    // Pictures are repainted at most this often (a screen's refresh); whatever arrived
    // meanwhile is drawn by the next repaint.
    static constexpr int REPAINT_INTERVAL_MS = 16;
    // On the OpenGL wall a new picture waits at most this long for its repaint: a repaint
    // costs about the same however many cells changed, so one draws what several streams
    // sent meanwhile, and a cell's next picture at 30 frames a second finds the last drawn.
    static constexpr int PICTURE_WAIT_MS = 25;

    CScreen(QWidget* parent, const OpenGLMode& mode, int count);
    ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // What a probe for OpenGL found.
    struct OpenGLProbe {
        // A context with the fixed-function pipeline could be made current, and the platform
        // can show an OpenGL widget.
        bool usable = false;
        // Its renderer draws on the CPU.
        bool software = false;
        QString renderer;
    };
    static OpenGLProbe probeOpenGL();
    // True when this PC can draw the wall with OpenGL, be it in software.
    static bool initOpengl(int);
    // The display setting for a PC that has none yet: OpenGL only where it is drawn in
    // hardware, since a software rasteriser costs far more than widget cells.
    static OpenGLMode firstStartMode();
    // True for a GL_RENDERER string of a software rasteriser.
    static bool isSoftwareRenderer(const QString& renderer);
    // The context format of the OpenGL view: the fixed-function (compatibility) profile.
    static QSurfaceFormat glFormat();

    // The rectangles of a page of count cells in an area of the given size: a square grid of
    // floor(sqrt(count)) columns centred with at least space / 2 pixels around it, neighbours
    // sharing one pixel column or row; one to three cells each cover the whole area. There
    // are always MAX_CELLS rectangles; cells past count get empty ones.
    static QVector<QRect> gridRects(int count, const QSize& size, int space);

    OpenGLMode mode() const { return m_mode; }
    int count() const { return m_count; }

    void setInfo(int i, const CDisplayInfo& info);
    void updateDisplayRect(int i, const QRect& rect);
    const QRect& getDisplayRect(int i) const;
    const CDisplayInfo& getInfo(int i) const;
    void clear();
    void setSelected(int i);
    void setDisplaySettings(bool chName, int record, int event);
    void resize(const QSize& size);
    void move(const QPoint& p);
    void addWidget(QWidget* w);
    void startZoom(int i);
    void endZoom();
    // Saves the OpenGL wall as drawn; false when nothing was written (also without OpenGL,
    // where the owner grabs the widget cells itself).
    bool saveCaptureImage(const QString& path, const CAPTURE_FILEFORMAT::ENUM& format);
    void showWaitWidget(QWidget* parent, bool show);

    // The first cell whose rectangle holds pos (parent coordinates, edges included); -1
    // when pos lies in no cell.
    int cellAt(const QPoint& pos) const;

    // New pictures drawn since the container was made.
    quint64 picturesDrawn() const;
    // Of those, cell i's.
    quint64 picturesDrawn(int i) const;
    // Repaints asked for by new pictures since the container was made.
    quint64 pictureRepaints() const { return m_pictureRepaints; }
    // Pictures handed over that no repaint has drawn yet, or a repaint still to come.
    bool picturesWaiting() const;

    CGraphicsView* view() const { return m_view; }
    QOpenGLWidget* glWidget() const { return m_glWidget; }
    CGraphicsScene* scene() const { return m_scene; }
    CScreenWidget* screenWidget(int i) const;
    CWaitWidget* waitWidget() const { return m_waitWidget; }

private:
    bool isOpenGL() const { return m_scene != nullptr; }
    void centreWaitWidget();
    // A repaint after wait ms, or as soon as the repaint interval allows, unless one is due sooner.
    void scheduleRepaint(qint64 wait);
    void repaintPictures();
    // The OpenGL wall drew its cells: the pictures held back go to their cells.
    void wallDrawn();

    // The widgets belong to the parent as well, which may go first.
    OpenGLMode m_mode;
    QPointer<CWallFrame> m_frame;
    QPointer<CGraphicsView> m_view;
    QPointer<QOpenGLWidget> m_glWidget;
    CGraphicsScene* m_scene = nullptr;
    QList<QPointer<CScreenWidget>> m_screenWidgets;
    QPointer<CWaitWidget> m_waitWidget;
    int m_count = 0;
    QTimer* m_repaintTimer = nullptr;
    QElapsedTimer m_sinceRepaint;
    // Widget cells: a picture not yet asked to repaint. OpenGL: a picture not yet on screen.
    std::vector<bool> m_dirty;
    // OpenGL: a cell's picture that came while its last one was not yet on screen.
    std::vector<std::optional<CDisplayInfo>> m_held;
    quint64 m_pictureRepaints = 0;
};
