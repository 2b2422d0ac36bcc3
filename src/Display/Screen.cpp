#include "Screen.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "Display/CellPainter.h"
#include "Display/CheckSpeed.h"
#include "Display/GLExtensions.h"
#include "Display/GraphicsScene.h"
#include "Display/GraphicsView.h"
#include "Display/ScreenWidget.h"
#include "Display/WaitWidget.h"

namespace {

// Connects a double-click signal to the owner's handler when the owner has one (the display
// widget does; the one-cell owners do not).
void connectDoubleClick(QObject* sender, QWidget* parent)
{
    if (!parent || parent->metaObject()->indexOfSlot("mouseDoubleClicked(QMouseEvent*)") < 0)
        return;
    QObject::connect(sender, SIGNAL(doubleClicked(QMouseEvent*)), parent,
                     SLOT(mouseDoubleClicked(QMouseEvent*)));
}

// The probe's answer for this run, for owners that ask for OpenGL without having probed.
bool openGLUsable()
{
    static const bool usable = CScreen::initOpengl(0);
    return usable;
}

}  // namespace

QSurfaceFormat CScreen::glFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 0);
    return format;
}

CScreen::OpenGLProbe CScreen::probeOpenGL()
{
    OpenGLProbe probe;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return probe;
    // The offscreen platform makes contexts when an X display is around, yet it cannot
    // show an OpenGL widget; the minimal one has no OpenGL at all.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return probe;

    QOpenGLContext context;
    context.setFormat(glFormat());
    if (!context.create() || !context.isValid())
        return probe;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface) || QOpenGLContext::currentContext() != &context)
        return probe;
    const auto* renderer = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    probe.renderer = QString::fromLatin1(renderer ? renderer : "");
    probe.software = isSoftwareRenderer(probe.renderer);
    // The wall is drawn with the fixed-function pipeline.
    QOpenGLFunctions_1_1* gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(&context);
    probe.usable = renderer && gl && gl->initializeOpenGLFunctions();
    getGLExtensionFunctions().resolve(&context);
    context.doneCurrent();
    return probe;
}

bool CScreen::initOpengl(int) { return probeOpenGL().usable; }

OpenGLMode CScreen::firstStartMode()
{
    const OpenGLProbe probe = probeOpenGL();
    return probe.usable && !probe.software ? OPENGL_MODE_ON : OPENGL_MODE_OFF;
}

bool CScreen::isSoftwareRenderer(const QString& renderer)
{
    // Mesa's (also under zink), Windows' and macOS's own.
    static const char* const kSoftware[] = {"llvmpipe", "softpipe", "software rasterizer", "swrast",
                                            "gdi generic", "software renderer"};
    for (const char* name : kSoftware)
        if (renderer.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    // OpenSWR: "SWR (LLVM ...)".
    return renderer.startsWith(QLatin1String("SWR "));
}

QVector<QRect> CScreen::gridRects(int count, const QSize& size, int space)
{
    QVector<QRect> rects(MAX_CELLS);
    count = std::clamp(count, 0, MAX_CELLS);
    if (count == 0)
        return rects;
    const int grid = static_cast<int>(std::sqrt(static_cast<double>(count)));
    const int w = size.width();
    const int h = size.height();
    if (grid <= 1) {
        for (int i = 0; i < count; ++i)
            rects[i] = QRect(QPoint(0, 0), QPoint(w - 1, h - 1));
        return rects;
    }
    const int cellW = std::max(0, (w - space) / grid);
    const int cellH = std::max(0, (h - space) / grid);
    for (int k = 0; k < count; ++k) {
        int left;
        int top;
        if (k % grid != 0) {
            left = rects[k - 1].right();
            top = rects[k - 1].top();
        } else {
            left = (w - cellW * grid) / 2;
            top = k == 0 ? (h - cellH * grid) / 2 : rects[k - 1].bottom();
        }
        rects[k] = QRect(left, top, cellW, cellH);
    }
    return rects;
}

CScreen::CScreen(QWidget* parent, const OpenGLMode& mode, int count)
    : m_mode(mode), m_count(std::clamp(count, 0, MAX_CELLS))
{
    // An unknown mode, or OpenGL where this PC cannot show it, draws widget cells.
    if (!OpenGLMode_IsValid(m_mode) || (m_mode != OPENGL_MODE_OFF && !openGLUsable()))
        m_mode = OPENGL_MODE_OFF;

    if (m_mode == OPENGL_MODE_OFF) {
        for (int i = 0; i < m_count; ++i) {
            auto* cell = new CScreenWidget(parent);
            // A cell covers nothing until it is laid out.
            cell->setGeometry(QRect());
            connectDoubleClick(cell, parent);
            cell->show();
            m_screenWidgets.append(cell);
        }
        m_waitWidget = new CWaitWidget(parent);
    } else {
        // The context comes with the first paint of the view.
        m_glWidget = new QOpenGLWidget;
        m_glWidget->setFormat(glFormat());
        // The view paints straight into the widget's frame buffer, not through paintGL():
        // keep what it painted, so that grabbing the frame buffer reads the wall.
        m_glWidget->setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        m_scene = new CGraphicsScene(m_mode, m_count);
        m_scene->resize(parent ? parent->size() : QSize());
        m_view = new CGraphicsView(nullptr);
        m_view->setViewport(m_glWidget);
        m_view->setScene(m_scene);
        // The wall clears and covers the whole viewport itself: filling it first with the
        // palette's colour would be one more pass over every pixel for each picture.
        m_glWidget->setAutoFillBackground(false);
        m_glWidget->setAttribute(Qt::WA_OpaquePaintEvent);
        m_frame = new CWallFrame(m_view, parent);
        connectDoubleClick(m_view, parent);
        m_frame->show();
        m_waitWidget = new CWaitWidget(nullptr);
        m_scene->addWidget(m_waitWidget);
    }
    centreWaitWidget();
    m_waitWidget->hide();

    m_dirty.assign(static_cast<size_t>(m_count), false);
    m_held.resize(static_cast<size_t>(m_count));
    m_repaintTimer = new QTimer;
    m_repaintTimer->setSingleShot(true);
    m_repaintTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_repaintTimer, &QTimer::timeout, m_repaintTimer, [this] { repaintPictures(); });
    if (m_scene)
        m_scene->setDrawnHandler([this] { wallDrawn(); });
}

CScreen::~CScreen()
{
    if (m_scene)
        m_scene->setDrawnHandler(nullptr);
    delete m_repaintTimer;
    // Deleting the scene takes the wait indicator with it; the frame its view and the view
    // its viewport.
    delete m_scene;
    delete m_frame.data();
    if (!isOpenGL()) {
        for (const QPointer<CScreenWidget>& cell : std::as_const(m_screenWidgets))
            delete cell.data();
        delete m_waitWidget.data();
    }
}

CScreenWidget* CScreen::screenWidget(int i) const
{
    return i >= 0 && i < m_screenWidgets.size() ? m_screenWidgets[i].data() : nullptr;
}

void CScreen::setInfo(int i, const CDisplayInfo& info)
{
    if (i < 0 || i >= m_count)
        return;
    const bool picture = CellPainter::showsPicture(info);
    if (picture)
        gCheckSpeed.addData(info.frameBytes);
    if (!isOpenGL()) {
        m_screenWidgets[i]->setInfo(info, false);
        m_dirty[static_cast<size_t>(i)] = true;
        scheduleRepaint(0);
        return;
    }
    const size_t cell = static_cast<size_t>(i);
    if (picture && m_dirty[cell]) {
        // Its last picture is not on screen yet: this one follows it rather than replace it.
        m_held[cell] = info;
        scheduleRepaint(0);
        return;
    }
    m_held[cell].reset();
    // A cell's first picture, or its first since a state took it, need not wait for the
    // pictures of other streams.
    const bool waits = picture && CellPainter::showsPicture(m_scene->getInfo(i));
    m_scene->setInfo(i, info);
    m_dirty[cell] = picture;
    scheduleRepaint(waits ? PICTURE_WAIT_MS : 0);
}

void CScreen::scheduleRepaint(qint64 wait)
{
    // Streams deliver their pictures at different moments: one repaint draws whatever
    // arrived until then.
    if (m_sinceRepaint.isValid())
        wait = std::max(wait, REPAINT_INTERVAL_MS - m_sinceRepaint.elapsed());
    if (m_repaintTimer->isActive() && m_repaintTimer->remainingTime() <= wait)
        return;
    if (wait <= 0)
        repaintPictures();
    else
        m_repaintTimer->start(static_cast<int>(wait));
}

void CScreen::repaintPictures()
{
    m_repaintTimer->stop();
    m_sinceRepaint.start();
    ++m_pictureRepaints;
    if (isOpenGL()) {
        m_glWidget->update();
        return;
    }
    for (int i = 0; i < m_count; ++i) {
        if (!m_dirty[static_cast<size_t>(i)])
            continue;
        m_dirty[static_cast<size_t>(i)] = false;
        if (CScreenWidget* cell = screenWidget(i))
            cell->update();
    }
}

bool CScreen::picturesWaiting() const
{
    // A held picture always waits behind a dirty cell.
    return m_repaintTimer->isActive() || std::find(m_dirty.begin(), m_dirty.end(), true) != m_dirty.end();
}

void CScreen::wallDrawn()
{
    bool held = false;
    for (int i = 0; i < m_count; ++i) {
        const size_t cell = static_cast<size_t>(i);
        m_dirty[cell] = false;
        if (!m_held[cell])
            continue;
        m_scene->setInfo(i, *m_held[cell]);
        m_held[cell].reset();
        m_dirty[cell] = true;
        held = true;
    }
    // Called while the wall paints: the next repaint comes from the timer, never from within
    // this one.
    if (held)
        scheduleRepaint(1);
}

void CScreen::updateDisplayRect(int i, const QRect& rect)
{
    if (isOpenGL()) {
        m_scene->updateDisplayRect(i, rect);
        m_glWidget->update();
    } else if (CScreenWidget* cell = screenWidget(i)) {
        cell->setGeometry(rect);
        cell->move(rect.topLeft());
    }
}

const QRect& CScreen::getDisplayRect(int i) const
{
    if (isOpenGL())
        return m_scene->getDisplayRect(i);
    const CScreenWidget* cell = screenWidget(i);
    return cell ? cell->geometry() : CellPainter::noRect();
}

const CDisplayInfo& CScreen::getInfo(int i) const
{
    if (isOpenGL())
        return m_scene->getInfo(i);
    const CScreenWidget* cell = screenWidget(i);
    return cell ? cell->getInfo() : CellPainter::emptyInfo();
}

void CScreen::clear()
{
    if (isOpenGL()) {
        std::fill(m_held.begin(), m_held.end(), std::nullopt);
        m_scene->clear();
        m_glWidget->update();
    } else {
        for (CScreenWidget* cell : std::as_const(m_screenWidgets))
            cell->clear();
    }
}

void CScreen::setSelected(int i)
{
    if (isOpenGL()) {
        m_scene->setSelected(i);
        m_glWidget->update();
    } else {
        for (CScreenWidget* cell : std::as_const(m_screenWidgets))
            if (cell->isSelected())
                cell->setSelected(false);
        if (CScreenWidget* cell = screenWidget(i))
            cell->setSelected(true);
    }
}

void CScreen::setDisplaySettings(bool chName, int record, int event)
{
    if (isOpenGL()) {
        m_scene->setDisplaySettings(chName, record, event);
        m_glWidget->update();
    } else {
        for (CScreenWidget* cell : std::as_const(m_screenWidgets))
            cell->setDisplaySettings(chName, record, event);
    }
}

void CScreen::resize(const QSize& size)
{
    if (isOpenGL()) {
        m_frame->resize(size);
        // At once, even while the frame waits to be shown.
        m_view->resize(size);
    }
    centreWaitWidget();
}

void CScreen::centreWaitWidget()
{
    const QWidget* parent = isOpenGL() ? m_frame->parentWidget() : m_waitWidget->parentWidget();
    if (!parent)
        return;
    const int x = (parent->width() - 1) / 2 - m_waitWidget->width() / 2;
    const int y = (parent->height() - 1) / 2 - m_waitWidget->height() / 2;
    m_waitWidget->move(x, y);
}

void CScreen::move(const QPoint& p)
{
    if (isOpenGL()) {
        m_frame->move(p);
    } else {
        for (CScreenWidget* cell : std::as_const(m_screenWidgets))
            cell->move(p);
    }
}

void CScreen::addWidget(QWidget* w)
{
    if (!w)
        return;
    if (isOpenGL()) {
        m_scene->addWidget(w);
        return;
    }
    assert(m_screenWidgets.size() == 1 && "m_screenWidgets.size() == 1");
    if (m_screenWidgets.size() != 1)
        return;
    w->setParent(m_screenWidgets.first());
    w->show();
}

void CScreen::startZoom(int i)
{
    if (isOpenGL())
        m_scene->startZoom();
    else if (CScreenWidget* cell = screenWidget(i))
        cell->startZoom();
}

void CScreen::endZoom()
{
    // Repainted at once, so that a still picture does not stay zoomed.
    if (isOpenGL()) {
        m_scene->endZoom();
        m_glWidget->update();
    } else {
        for (CScreenWidget* cell : std::as_const(m_screenWidgets)) {
            cell->endZoom();
            cell->update();
        }
    }
}

bool CScreen::saveCaptureImage(const QString& path, const CAPTURE_FILEFORMAT::ENUM& format)
{
    if (!isOpenGL())
        return false;
    const QImage image = m_glWidget->grabFramebuffer();
    if (image.isNull())
        return false;
    return image.save(path, format != CAPTURE_FILEFORMAT::JPEG ? "PNG" : "JPEG");
}

void CScreen::showWaitWidget(QWidget* parent, bool show)
{
    Q_UNUSED(parent);
    m_waitWidget->setVisible(show);
}

int CScreen::cellAt(const QPoint& pos) const
{
    const QPoint p = isOpenGL() ? pos - m_frame->pos() : pos;
    for (int i = 0; i < m_count; ++i) {
        const QRect& rect = getDisplayRect(i);
        if (!rect.isEmpty() && rect.contains(p))
            return i;
    }
    return -1;
}

quint64 CScreen::picturesDrawn() const
{
    if (isOpenGL())
        return m_scene->picturesDrawn();
    quint64 drawn = 0;
    for (const QPointer<CScreenWidget>& cell : m_screenWidgets)
        drawn += cell ? cell->picturesDrawn() : 0;
    return drawn;
}

quint64 CScreen::picturesDrawn(int i) const
{
    if (isOpenGL())
        return m_scene->picturesDrawn(i);
    const CScreenWidget* cell = screenWidget(i);
    return cell ? cell->picturesDrawn() : 0;
}
