#pragma once

// The drawing rules of one screen cell, shared by the widget cells and the OpenGL scene so
// that a cell looks the same whichever way the wall is drawn. Only the picture itself is
// drawn differently (scaled by the painter, or as a texture).

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QStaticText>
#include <QString>

#include "Display/DisplayInfo.h"

class QPainter;

// The pictures a cell draws over or beside its video.
struct CCellPictures {
    QPixmap connectionFailed;
    QPixmap noAuthority;
    QPixmap videoLoss;
    QPixmap recordIcon;
    QPixmap motionIcon;
    QPixmap sensorIcon;

    // Loaded from the resources on first use (GUI thread).
    static const CCellPictures& get();
};

// On-screen display settings: names on or off; record and event marks 0 none, 1 icon,
// 2 outline.
struct CCellOsd {
    bool chName = true;
    int record = 1;
    int event = 1;

    bool operator==(const CCellOsd& o) const
    {
        return chName == o.chName && record == o.record && event == o.event;
    }
    bool operator!=(const CCellOsd& o) const { return !(*this == o); }
};

// A cell's title and camera name laid out once, kept until a text or the font changes, so
// that a paint draws them without laying them out again.
class CCellTexts {
public:
    // Lays the texts out again when they, the font or the title's width differ from the last
    // call. A title given a width is wrapped at its words to fit it; otherwise it is one line.
    void update(const CDisplayInfo& info, const QFont& font, int titleWidth = -1);

    const QStaticText& title() const { return m_title; }
    const QStaticText& channelName() const { return m_channelName; }
    int channelNameWidth() const { return m_channelNameWidth; }
    int ascent() const { return m_ascent; }
    int lineHeight() const { return m_lineHeight; }
    // Times the texts were laid out (the cache's misses).
    int layouts() const { return m_layouts; }

private:
    QString m_titleText;
    QString m_channelNameText;
    QFont m_font;
    int m_titleWidth = -1;
    bool m_valid = false;
    QStaticText m_title;
    QStaticText m_channelName;
    int m_channelNameWidth = 0;
    int m_ascent = 0;
    int m_lineHeight = 0;
    int m_layouts = 0;
};

namespace CellPainter {

constexpr int TITLE_X = 2;
constexpr int TITLE_BASELINE = 12;
constexpr int ICON_X = 1;
constexpr int ICON_Y = 15;

const QColor BORDER_COLOR(255, 255, 255);
const QColor SELECTION_COLOR(255, 255, 0);
const QColor RECORD_COLOR(255, 0, 0, 200);
const QColor MOTION_COLOR(0, 255, 0, 200);
const QColor SENSOR_COLOR(255, 130, 0, 200);

// A frame `thickness` pixels wide along the inside of rect (every edge pixel of rect
// included). Filled, not stroked, so that every paint engine covers the same pixels.
void drawFrame(QPainter& painter, const QRect& rect, const QColor& color, int thickness = 1);

// The state picture: the cell without its edge blacked out, the picture centred.
void drawStatePicture(QPainter& painter, const QRect& cell, const QPixmap& picture);

// Title, camera name and the record, motion and sensor marks; the texts from the cell's
// cache (brought up to date first).
void drawTexts(QPainter& painter, const QRect& cell, const CDisplayInfo& info,
               const CCellOsd& osd, const CCellPictures& pictures, CCellTexts& texts);

// Everything over the picture: state or texts and marks, the white edge, the selection
// frame and the zoom rectangle while it is dragged. A failed cell draws its texts only with
// failedTexts (the widget cells show the title as a tooltip instead).
void drawOverlay(QPainter& painter, const QRect& cell, const CDisplayInfo& info,
                 const CCellOsd& osd, const CCellPictures& pictures, bool failedTexts,
                 bool selected, const QRect& dragRect, CCellTexts& texts);

// What an index outside the wall reads: no rectangle, an empty cell.
const QRect& noRect();
const CDisplayInfo& emptyInfo();

// The cell shows a live picture: it has one and no state picture covers it.
inline bool showsPicture(const CDisplayInfo& info)
{
    return !info.failed && info.authorised && !info.videoLoss && !info.image.isNull();
}

}  // namespace CellPainter
