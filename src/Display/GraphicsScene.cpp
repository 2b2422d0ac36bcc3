#include "GraphicsScene.h"

#include <QDebug>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QOpenGLWidget>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "Common/ThreadCheck.h"
#include "Display/GLExtensions.h"

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace {

const QRect kInvalidZoom(QPoint(-1, -1), QPoint(-3, -3));

// A picture in a form a texture takes straight from memory: 32-bit BGRA or packed 24-bit
// RGB with whole pixels per line.
QImage uploadable(const QImage& image, unsigned& format, int& bytesPerPixel)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        format = GL_BGRA;
        bytesPerPixel = 4;
        return image;
    case QImage::Format_RGB888:
        if (image.bytesPerLine() % 3 == 0) {
            format = GL_RGB;
            bytesPerPixel = 3;
            return image;
        }
        break;
    default:
        break;
    }
    format = GL_BGRA;
    bytesPerPixel = 4;
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

CGraphicsScene::CGraphicsScene(const OpenGLMode& mode, int count)
    : m_mode(mode), m_count(std::max(0, count))
{
    m_rects.resize(m_count);
    m_infos.resize(m_count);
    m_textures.resize(m_count);
    m_picturesDrawn.assign(static_cast<size_t>(m_count), 0);
    m_texts.resize(m_count);
    if (m_mode == OPENGL_MODE_POWER_OF_2)
        m_glImages.resize(m_count);
}

CGraphicsScene::~CGraphicsScene()
{
    if (m_context && m_glWidget) {
        m_glWidget->makeCurrent();
        if (QOpenGLContext::currentContext() == m_context)
            releaseGL();
        m_glWidget->doneCurrent();
    }
}

void CGraphicsScene::setInfo(int i, const CDisplayInfo& info)
{
    if (!validIndex(i))
        return;
    m_infos[i] = info;
    m_textures[i].stale = true;
}

const CDisplayInfo& CGraphicsScene::getInfo(int i) const
{
    return validIndex(i) ? m_infos[i] : CellPainter::emptyInfo();
}

void CGraphicsScene::clear()
{
    for (int i = 0; i < m_count; ++i) {
        m_infos[i].clear();
        m_textures[i].stale = true;
    }
}

void CGraphicsScene::setSelected(int i)
{
    m_selected = i;
}

void CGraphicsScene::setDisplaySettings(bool chName, int record, int event)
{
    m_osd = CCellOsd{chName, record, event};
}

void CGraphicsScene::updateDisplayRect(int i, const QRect& rect)
{
    if (validIndex(i))
        m_rects[i] = rect;
}

const QRect& CGraphicsScene::getDisplayRect(int i) const
{
    return validIndex(i) ? m_rects[i] : CellPainter::noRect();
}

void CGraphicsScene::startZoom()
{
    m_zoomMode = true;
}

void CGraphicsScene::endZoom()
{
    m_zoomApplied = false;
    m_zoomMode = false;
    m_zoomRect = kInvalidZoom;
    m_dragging = false;
}

void CGraphicsScene::resize(const QSize& size)
{
    setSceneRect(0, 0, size.width(), size.height());
}

QString CGraphicsScene::getToolTip(const QPoint& point) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_infos[i].failed && m_rects[i].contains(point)) {
            qDebug("tooltip channel %d", i);
            return m_infos[i].title;
        }
    }
    return QString();
}

int CGraphicsScene::powerOfTwo(int n)
{
    int pot = 2;
    while (pot < n && pot < (1 << 30))
        pot *= 2;
    return pot;
}

void CGraphicsScene::ConvertToGLImage(const QImage& source, QImage& target)
{
    const int potW = powerOfTwo(source.width());
    const int potH = powerOfTwo(source.height());
    if (target.width() != potW || target.height() != potH || target.format() != source.format()) {
        target = QImage(potW, potH, source.format());
        // Linear filtering reads one texel past the picture's edge: keep that black.
        target.fill(0);
    }
    const qsizetype bytes = std::min(source.bytesPerLine(), target.bytesPerLine());
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(target.scanLine(y), source.constScanLine(y), static_cast<size_t>(bytes));
}

void CGraphicsScene::textureRange(const QSize& picture, const QSize& texture, bool zoom,
                                  const QRect& zoomRect, const QRect& cell, float range[4])
{
    const float sMax = texture.width() > 0 ? float(picture.width()) / float(texture.width()) : 0.0f;
    const float tMax = texture.height() > 0 ? float(picture.height()) / float(texture.height()) : 0.0f;
    range[0] = 0.0f;
    range[1] = 0.0f;
    range[2] = sMax;
    range[3] = tMax;
    const int cellW = cell.right() - cell.left() + 1;
    const int cellH = cell.bottom() - cell.top() + 1;
    if (zoom && zoomRect.isValid() && cellW != 0 && cellH != 0) {
        range[0] = float(zoomRect.left()) * sMax / float(cellW);
        range[2] = float(zoomRect.right()) * sMax / float(cellW);
        range[1] = float(zoomRect.top()) * tMax / float(cellH);
        range[3] = float(zoomRect.bottom()) * tMax / float(cellH);
    }
}

std::vector<QRect> CGraphicsScene::markedTiles(const QImage& overlay, int tile)
{
    std::vector<QRect> tiles;
    if (tile <= 0 || overlay.isNull() || overlay.depth() != 32)
        return tiles;
    const int columns = (overlay.width() + tile - 1) / tile;
    std::vector<bool> marked(static_cast<size_t>(columns));
    for (int top = 0; top < overlay.height(); top += tile) {
        const int bottom = std::min(top + tile, overlay.height());
        std::fill(marked.begin(), marked.end(), false);
        for (int y = top; y < bottom; ++y) {
            const auto* line = reinterpret_cast<const quint32*>(overlay.constScanLine(y));
            for (int x = 0; x < overlay.width(); ++x)
                if (line[x] != 0)
                    marked[static_cast<size_t>(x / tile)] = true;
        }
        for (int c = 0; c < columns;) {
            if (!marked[static_cast<size_t>(c)]) {
                ++c;
                continue;
            }
            const int first = c;
            while (c < columns && marked[static_cast<size_t>(c)])
                ++c;
            const int right = std::min(c * tile, overlay.width());
            tiles.emplace_back(QPoint(first * tile, top), QPoint(right - 1, bottom - 1));
        }
    }
    return tiles;
}

bool CGraphicsScene::oneTexelPerPixel(const QSize& picture, const QRect& cell, bool zoom)
{
    return !zoom && picture == cell.size();
}

bool CGraphicsScene::setUpGL()
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    m_context = nullptr;
    m_gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context);
    if (!m_gl || !m_gl->initializeOpenGLFunctions()) {
        m_gl = nullptr;
        return false;
    }
    m_context = context;
    forgetTextures();
    getGLExtensionFunctions().resolve(context);

    // The textures go with the context: free them while it can still be made current.
    QGraphicsView* view = views().isEmpty() ? nullptr : views().first();
    m_glWidget = view ? qobject_cast<QOpenGLWidget*>(view->viewport()) : nullptr;
    connect(context, &QOpenGLContext::aboutToBeDestroyed, this, [this, context] {
        if (m_context != context)
            return;
        if (m_glWidget)
            m_glWidget->makeCurrent();
        if (QOpenGLContext::currentContext() == context)
            releaseGL();
        m_context = nullptr;
        m_gl = nullptr;
        forgetTextures();
    }, Qt::DirectConnection);
    return true;
}

void CGraphicsScene::releaseGL()
{
    if (!m_gl)
        return;
    if (m_overlayTexture != 0) {
        GLuint name = m_overlayTexture;
        m_gl->glDeleteTextures(1, &name);
    }
    for (CellTexture& texture : m_textures) {
        if (texture.name != 0) {
            GLuint name = texture.name;
            m_gl->glDeleteTextures(1, &name);
        }
    }
    forgetTextures();
}

void CGraphicsScene::forgetTextures()
{
    for (CellTexture& texture : m_textures)
        texture = CellTexture();
    m_overlayTexture = 0;
    m_overlayTextureSize = QSize();
    m_overlayCells.clear();
    m_overlayTiles.clear();
}

void CGraphicsScene::ImageDrawToOpenGL(CellTexture& texture, const QImage& image, const QSize& size,
                                       const QRect& rect)
{
    if (texture.name == 0) {
        GLuint name = 0;
        m_gl->glGenTextures(1, &name);
        texture.name = name;
        texture.size = QSize();
    }
    m_gl->glBindTexture(GL_TEXTURE_2D, texture.name);
    const int filter = oneTexelPerPixel(size, rect, m_zoomApplied) ? GL_NEAREST : GL_LINEAR;
    if (texture.filter != filter) {
        setTextureFilter(filter);
        texture.filter = filter;
    }
    if (texture.stale) {
        unsigned format = 0;
        int bytesPerPixel = 0;
        const QImage pixels = uploadable(image, format, bytesPerPixel);
        m_gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        m_gl->glPixelStorei(GL_UNPACK_ROW_LENGTH, int(pixels.bytesPerLine() / bytesPerPixel));
        uploadTexture(texture.size, pixels.size(), format, pixels.constBits());
        m_gl->glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        m_gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        texture.stale = false;
    }

    float range[4];
    textureRange(size, texture.size, m_zoomApplied, m_zoomRect, rect, range);
    // The quad covers the cell's last column and row too, as a painted picture does.
    const float left = float(rect.left());
    const float top = float(rect.top());
    const float right = float(rect.right() + 1);
    const float bottom = float(rect.bottom() + 1);
    m_gl->glBegin(GL_QUADS);
    m_gl->glTexCoord2f(range[0], range[1]);
    m_gl->glVertex2f(left, top);
    m_gl->glTexCoord2f(range[2], range[1]);
    m_gl->glVertex2f(right, top);
    m_gl->glTexCoord2f(range[2], range[3]);
    m_gl->glVertex2f(right, bottom);
    m_gl->glTexCoord2f(range[0], range[3]);
    m_gl->glVertex2f(left, bottom);
    m_gl->glEnd();
}

bool CGraphicsScene::ImageDraw(QPainter* painter, const QRectF& exposed)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    const bool gl = context && painter->paintEngine()
                    && painter->paintEngine()->type() == QPaintEngine::OpenGL2
                    && (context == m_context || setUpGL());
    if (!gl) {
        // Rendered without OpenGL (into an image): the painter scales the pictures.
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->fillRect(exposed, Qt::black);
        for (int i = 0; i < m_count; ++i) {
            const QRect& rect = m_rects[i];
            if (rect.isEmpty() || !CellPainter::showsPicture(m_infos[i]))
                continue;
            const QImage& image = m_infos[i].image;
            QRectF source = image.rect();
            if (m_zoomApplied) {
                float range[4];
                textureRange(image.size(), image.size(), true, m_zoomRect, rect, range);
                source = QRectF(QPointF(range[0] * image.width(), range[1] * image.height()),
                                QPointF(range[2] * image.width(), range[3] * image.height()));
            }
            if (m_textures[i].stale)
                ++m_picturesDrawn[static_cast<size_t>(i)];
            m_textures[i].stale = false;
            painter->drawImage(QRectF(rect), image, source);
        }
        painter->restore();
        return false;
    }

    const QPaintDevice* device = painter->device();
    const qreal ratio = device->devicePixelRatioF();
    m_gl->glViewport(0, 0, int(device->width() * ratio), int(device->height() * ratio));
    m_gl->glMatrixMode(GL_PROJECTION);
    m_gl->glPushMatrix();
    m_gl->glLoadIdentity();
    m_gl->glOrtho(0, device->width(), device->height(), 0, 1, -1);
    m_gl->glMatrixMode(GL_MODELVIEW);
    m_gl->glPushMatrix();
    // Scene to viewport, as the painter maps it.
    const QMatrix4x4 toViewport(painter->combinedTransform());
    m_gl->glLoadMatrixf(toViewport.constData());

    m_gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_gl->glDisable(GL_BLEND);
    m_gl->glDisable(GL_DEPTH_TEST);
    m_gl->glEnable(GL_TEXTURE_2D);
    m_gl->glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    for (int i = 0; i < m_count; ++i) {
        const QRect& rect = m_rects[i];
        const CDisplayInfo& info = m_infos[i];
        if (!rect.isValid() || rect.isEmpty() || !CellPainter::showsPicture(info)) {
            // A cell without a picture gives its memory back (a smaller layout leaves many).
            CellTexture& texture = m_textures[i];
            if (texture.name != 0) {
                GLuint name = texture.name;
                m_gl->glDeleteTextures(1, &name);
                texture = CellTexture();
            }
            if (m_mode == OPENGL_MODE_POWER_OF_2)
                m_glImages[i] = QImage();
            continue;
        }
        const bool fresh = m_textures[i].stale;
        if (m_mode == OPENGL_MODE_POWER_OF_2) {
            if (fresh)
                ConvertToGLImage(info.image, m_glImages[i]);
            ImageDrawToOpenGL(m_textures[i], m_glImages[i], info.image.size(), rect);
        } else {
            ImageDrawToOpenGL(m_textures[i], info.image, info.image.size(), rect);
        }
        if (fresh)
            ++m_picturesDrawn[static_cast<size_t>(i)];
    }

    const bool cached = m_mode == OPENGL_MODE_ON;
    if (cached)
        drawCachedOverlay(painter->font(), QSize(device->width(), device->height()));

    m_gl->glBindTexture(GL_TEXTURE_2D, 0);
    m_gl->glDisable(GL_TEXTURE_2D);
    m_gl->glMatrixMode(GL_MODELVIEW);
    m_gl->glPopMatrix();
    m_gl->glMatrixMode(GL_PROJECTION);
    m_gl->glPopMatrix();
    m_gl->glMatrixMode(GL_MODELVIEW);
    return cached;
}

quint64 CGraphicsScene::picturesDrawn() const
{
    return std::accumulate(m_picturesDrawn.begin(), m_picturesDrawn.end(), quint64(0));
}

quint64 CGraphicsScene::picturesDrawn(int i) const
{
    return validIndex(i) ? m_picturesDrawn[static_cast<size_t>(i)] : 0;
}

void CGraphicsScene::setTextureFilter(int filter)
{
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void CGraphicsScene::uploadTexture(QSize& allocated, const QSize& size, unsigned format,
                                   const void* pixels)
{
    if (allocated != size) {
        m_gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size.width(), size.height(), 0, format,
                           GL_UNSIGNED_BYTE, pixels);
        allocated = size;
    } else {
        m_gl->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.width(), size.height(), format,
                              GL_UNSIGNED_BYTE, pixels);
    }
    // The pixels are read: the decoder that made them may write them again once the wall
    // lets go of the picture.
    ThreadCheck::HandOver(pixels);
}

bool CGraphicsScene::OverlayCell::operator==(const OverlayCell& o) const
{
    return rect == o.rect && channel == o.channel && title == o.title && channelName == o.channelName &&
           record == o.record && motion == o.motion && sensor == o.sensor && videoLoss == o.videoLoss &&
           authorised == o.authorised && failed == o.failed && selected == o.selected && drag == o.drag;
}

std::vector<CGraphicsScene::OverlayCell> CGraphicsScene::overlayCells() const
{
    std::vector<OverlayCell> cells(static_cast<size_t>(m_count));
    for (int i = 0; i < m_count; ++i) {
        const CDisplayInfo& info = m_infos[i];
        OverlayCell& c = cells[static_cast<size_t>(i)];
        c.rect = m_rects[i];
        c.channel = info.channel;
        c.title = info.title;
        c.channelName = info.channelName;
        c.record = info.record;
        c.motion = info.motion;
        c.sensor = info.sensor;
        c.videoLoss = info.videoLoss;
        c.authorised = info.authorised;
        c.failed = info.failed;
        c.selected = i == m_selected;
        c.drag = dragRect(i);
    }
    return cells;
}

QRect CGraphicsScene::dragRect(int i) const
{
    return i == m_selected && !m_zoomApplied && m_zoomRect.isValid() ? m_zoomRect : QRect();
}

void CGraphicsScene::drawOverlays(QPainter& painter)
{
    const CCellPictures& pictures = CCellPictures::get();
    for (int i = 0; i < m_count; ++i) {
        const QRect& cell = m_rects[i];
        if (!cell.isValid() || cell.isEmpty())
            continue;
        CellPainter::drawOverlay(painter, cell, m_infos[i], m_osd, pictures, true, i == m_selected,
                                 dragRect(i), m_texts[i]);
    }
}

void CGraphicsScene::drawCachedOverlay(const QFont& font, const QSize& size)
{
    if (size.isEmpty())
        return;
    std::vector<OverlayCell> cells = overlayCells();
    const bool stale = m_overlayTexture == 0 || m_overlayTextureSize != size || m_overlayOsd != m_osd ||
                       font != m_overlayFont || cells != m_overlayCells;
    if (m_overlayTexture == 0) {
        GLuint name = 0;
        m_gl->glGenTextures(1, &name);
        m_overlayTexture = name;
        m_gl->glBindTexture(GL_TEXTURE_2D, m_overlayTexture);
        // Drawn one texel to a pixel: no filtering.
        setTextureFilter(GL_NEAREST);
    }
    m_gl->glBindTexture(GL_TEXTURE_2D, m_overlayTexture);
    if (stale) {
        // Drawn by the raster engine into a transparent picture of the wall, then uploaded.
        if (m_overlay.size() != size)
            m_overlay = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_overlay.fill(Qt::transparent);
        {
            QPainter painter(&m_overlay);
            painter.setFont(font);
            drawOverlays(painter);
        }
        m_gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        uploadTexture(m_overlayTextureSize, size, GL_BGRA, m_overlay.constBits());
        m_overlayTiles = markedTiles(m_overlay, OVERLAY_TILE);
        m_overlayCells = std::move(cells);
        m_overlayOsd = m_osd;
        m_overlayFont = font;
        ++m_overlayRenders;
    }
    // Premultiplied: the picture shows through where the marks leave it.
    m_gl->glEnable(GL_BLEND);
    m_gl->glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    const float w = float(size.width());
    const float h = float(size.height());
    m_gl->glBegin(GL_QUADS);
    for (const QRect& tile : m_overlayTiles) {
        const float left = float(tile.left()), right = float(tile.right() + 1);
        const float top = float(tile.top()), bottom = float(tile.bottom() + 1);
        m_gl->glTexCoord2f(left / w, top / h);
        m_gl->glVertex2f(left, top);
        m_gl->glTexCoord2f(right / w, top / h);
        m_gl->glVertex2f(right, top);
        m_gl->glTexCoord2f(right / w, bottom / h);
        m_gl->glVertex2f(right, bottom);
        m_gl->glTexCoord2f(left / w, bottom / h);
        m_gl->glVertex2f(left, bottom);
    }
    m_gl->glEnd();
    m_gl->glDisable(GL_BLEND);
}

void CGraphicsScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    painter->beginNativePainting();
    const bool cached = ImageDraw(painter, rect);
    painter->endNativePainting();
    if (!cached)
        drawOverlays(*painter);
    if (m_drawn)
        m_drawn();
}

void CGraphicsScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mousePressEvent(event);
    if (m_zoomMode && event->button() == Qt::LeftButton) {
        m_zoomApplied = false;
        m_zoomRect = kInvalidZoom;
        m_dragging = true;
        m_pressPos = event->scenePos();
    }
}

void CGraphicsScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mouseMoveEvent(event);
    if (m_zoomMode && m_dragging) {
        m_movePos = event->scenePos();
        const int x0 = int(std::min(m_pressPos.x(), m_movePos.x()));
        const int y0 = int(std::min(m_pressPos.y(), m_movePos.y()));
        const int x1 = int(std::max(m_pressPos.x(), m_movePos.x()));
        const int y1 = int(std::max(m_pressPos.y(), m_movePos.y()));
        m_zoomRect = QRect(QPoint(x0, y0), QPoint(x1, y1)) & getDisplayRect(m_selected);
        if (!m_zoomRect.isValid())
            m_zoomRect = kInvalidZoom;
        event->accept();
        update();
    }
}

void CGraphicsScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mouseReleaseEvent(event);
    if (m_zoomMode) {
        m_dragging = false;
        m_zoomApplied = true;
        update();
    }
}
