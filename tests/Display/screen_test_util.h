#pragma once

// Pictures and pixel checks for the screen cell tests.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdlib>

#include "Display/DisplayInfo.h"

namespace screentest {

inline QImage Solid(int w, int h, const QColor& color, QImage::Format format = QImage::Format_RGB888)
{
    QImage image(w, h, format);
    image.fill(color);
    return image;
}

// Four quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
inline QImage Quadrants(int w, int h, QImage::Format format = QImage::Format_RGB888)
{
    QImage image(w, h, format);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
    return image;
}

inline CDisplayInfo Picture(const QImage& image, int channel = 0)
{
    CDisplayInfo info;
    info.image = image;
    info.channel = channel;
    info.screen = channel;
    info.frameBytes = 1000;
    return info;
}

inline bool Near(QRgb a, QRgb b, int tolerance = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// color drawn with its alpha over under.
inline QRgb Over(const QColor& color, QRgb under)
{
    QImage one(1, 1, QImage::Format_RGB32);
    one.setPixel(0, 0, under);
    QPainter p(&one);
    p.fillRect(0, 0, 1, 1, color);
    p.end();
    return one.pixel(0, 0);
}

// picture drawn over a background colour, as a cell draws it.
inline QImage Composed(const QPixmap& picture, const QColor& background)
{
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawPixmap(0, 0, picture);
    p.end();
    return out;
}

// Pixels of expected that differ from image at offset (x, y) by more than tolerance.
inline int Mismatches(const QImage& image, int x, int y, const QImage& expected, int tolerance = 3)
{
    int bad = 0;
    for (int j = 0; j < expected.height(); ++j) {
        for (int i = 0; i < expected.width(); ++i) {
            if (!image.rect().contains(x + i, y + j)
                || !Near(image.pixel(x + i, y + j), expected.pixel(i, j), tolerance))
                ++bad;
        }
    }
    return bad;
}

inline bool Bright(QRgb c) { return qRed(c) > 180 && qGreen(c) > 180 && qBlue(c) > 180; }

// Bounding box of the bright pixels inside area.
inline QRect BrightBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && Bright(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace screentest
