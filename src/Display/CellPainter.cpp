#include "CellPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <utility>

const CCellPictures& CCellPictures::get()
{
    static const CCellPictures pictures = [] {
        CCellPictures p;
        p.connectionFailed = QPixmap(QStringLiteral(":/Viewer/files/images/ConnectionFailed.png"));
        p.noAuthority = QPixmap(QStringLiteral(":/Viewer/files/images/NoAuthority.png"));
        p.videoLoss = QPixmap(QStringLiteral(":/Viewer/files/images/VideoLoss.png"));
        p.recordIcon = QPixmap(QStringLiteral(":/Viewer/files/images/record.png"));
        p.motionIcon = QPixmap(QStringLiteral(":/Viewer/files/images/motion.png"));
        p.sensorIcon = QPixmap(QStringLiteral(":/Viewer/files/images/sensor.png"));
        return p;
    }();
    return pictures;
}

void CCellTexts::update(const CDisplayInfo& info, const QFont& font, int titleWidth)
{
    if (m_valid && info.title == m_titleText && info.channelName == m_channelNameText && font == m_font &&
        titleWidth == m_titleWidth)
        return;
    m_valid = true;
    m_titleText = info.title;
    m_channelNameText = info.channelName;
    m_font = font;
    m_titleWidth = titleWidth;
    m_title.setTextWidth(titleWidth);
    const QFontMetrics metrics(font);
    m_ascent = metrics.ascent();
    m_lineHeight = metrics.height();
    m_channelNameWidth = metrics.horizontalAdvance(info.channelName);
    // Plain text: a DVR or camera name that looks like markup is shown as it is.
    for (auto [text, layout] : {std::pair{&m_titleText, &m_title}, std::pair{&m_channelNameText, &m_channelName}}) {
        layout->setTextFormat(Qt::PlainText);
        layout->setText(*text);
        layout->prepare(QTransform(), font);
    }
    ++m_layouts;
}

namespace CellPainter {

const QRect& noRect()
{
    static const QRect rect;
    return rect;
}

const CDisplayInfo& emptyInfo()
{
    static const CDisplayInfo info;
    return info;
}

void drawFrame(QPainter& painter, const QRect& rect, const QColor& color, int thickness)
{
    if (!rect.isValid() || thickness <= 0)
        return;
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 2 * thickness || h <= 2 * thickness) {
        painter.fillRect(rect, color);
        return;
    }
    const int l = rect.left();
    const int t = rect.top();
    painter.fillRect(QRect(l, t, w, thickness), color);
    painter.fillRect(QRect(l, rect.bottom() - thickness + 1, w, thickness), color);
    painter.fillRect(QRect(l, t + thickness, thickness, h - 2 * thickness), color);
    painter.fillRect(QRect(rect.right() - thickness + 1, t + thickness, thickness, h - 2 * thickness),
                     color);
}

void drawStatePicture(QPainter& painter, const QRect& cell, const QPixmap& picture)
{
    painter.fillRect(cell.adjusted(1, 1, -1, -1), Qt::black);
    const int x = (cell.left() + cell.right()) / 2 - picture.width() / 2;
    const int y = (cell.top() + cell.bottom()) / 2 - picture.height() / 2;
    painter.drawPixmap(x, y, picture);
}

void drawTexts(QPainter& painter, const QRect& cell, const CDisplayInfo& info, const CCellOsd& osd,
               const CCellPictures& pictures, CCellTexts& texts)
{
    const int l = cell.left();
    const int t = cell.top();
    const int r = cell.right();
    const int b = cell.bottom();

    if (info.channel >= 0 && osd.chName) {
        QFont font = painter.font();
        font.setWeight(QFont::Bold);
        painter.setFont(font);
        painter.setPen(Qt::white);
        // Over a picture, and beside a state's picture, the title stays one line; a cell with
        // neither shows a message (a wait) that is read whole.
        const bool message = !info.failed && info.image.isNull();
        texts.update(info, font, message ? cell.width() - 2 * TITLE_X : -1);
        // Static texts are placed by their top; the positions are baselines.
        painter.drawStaticText(QPoint(l + TITLE_X, t + TITLE_BASELINE - texts.ascent()), texts.title());
        const int x = l + (cell.width() - texts.channelNameWidth()) / 2;
        painter.drawStaticText(QPoint(x, b + 1 - texts.lineHeight() - texts.ascent()), texts.channelName());
    }

    // The icon slots are fixed: a motion icon keeps its place without a record icon.
    const int iconY = t + ICON_Y;
    const int motionX = l + ICON_X + pictures.recordIcon.width();
    const int sensorX = motionX + pictures.motionIcon.width();
    if (info.record) {
        if (osd.record == 2)
            drawFrame(painter, QRect(QPoint(l + 3, t + 3), QPoint(r - 3, b - 3)), RECORD_COLOR);
        else if (osd.record == 1)
            painter.drawPixmap(l + ICON_X, iconY, pictures.recordIcon);
    }
    if (info.motion) {
        if (osd.event == 2)
            drawFrame(painter, QRect(QPoint(l + 2, t + 2), QPoint(r - 2, b - 2)), MOTION_COLOR);
        else if (osd.event == 1)
            painter.drawPixmap(motionX, iconY, pictures.motionIcon);
    }
    if (info.sensor) {
        if (osd.event == 2)
            drawFrame(painter, QRect(QPoint(l + 1, t + 1), QPoint(r - 1, b - 1)), SENSOR_COLOR);
        else if (osd.event == 1)
            painter.drawPixmap(sensorX, iconY, pictures.sensorIcon);
    }
}

void drawOverlay(QPainter& painter, const QRect& cell, const CDisplayInfo& info, const CCellOsd& osd,
                 const CCellPictures& pictures, bool failedTexts, bool selected,
                 const QRect& dragRect, CCellTexts& texts)
{
    if (!cell.isValid())
        return;
    painter.save();
    painter.setClipRect(cell);
    if (info.failed) {
        drawStatePicture(painter, cell, pictures.connectionFailed);
        if (failedTexts)
            drawTexts(painter, cell, info, osd, pictures, texts);
    } else if (!info.authorised) {
        drawStatePicture(painter, cell, pictures.noAuthority);
    } else if (info.videoLoss) {
        drawStatePicture(painter, cell, pictures.videoLoss);
    } else {
        drawTexts(painter, cell, info, osd, pictures, texts);
    }

    drawFrame(painter, cell, BORDER_COLOR);
    if (selected) {
        drawFrame(painter, cell.adjusted(1, 1, -1, -1), SELECTION_COLOR, 2);
        if (dragRect.isValid())
            drawFrame(painter, dragRect, BORDER_COLOR);
    }
    painter.restore();
}

}  // namespace CellPainter
