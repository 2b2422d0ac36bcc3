#pragma once

#include <QString>

// The e-map settings ("EmapPopup", "EmapPopdown", "EmapImageSize"), which only the e-map setup
// dialog writes. A value outside the dialog's range (a settings store edited by hand) reads
// as 0, like an absent one, wherever it is read.
struct EMapSettings {
    enum ImageSize { IMAGE_ADJUST = 0, IMAGE_ORIGINAL = 1 };

    static int read(const QString& key);
    static void write(const QString& key, int value);

    static bool popup();
    // How long an event pop-up stays open; 0 for "CONT" (until it is closed).
    static int popDownMs();
    static ImageSize imageSize();
};
