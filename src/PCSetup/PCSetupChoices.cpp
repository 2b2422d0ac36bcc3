#include "PCSetup/PCSetupChoices.h"

#include <QCoreApplication>

#include "Settings/AppSettings.h"

namespace {

int IndexOfValue(const PCSetupChoiceKey& key, int value)
{
    for (size_t i = 0; i < key.choices.size(); ++i)
        if (key.choices[i].value == value)
            return static_cast<int>(i);
    return -1;
}

int IndexOfStored(const PCSetupChoiceKey& key, const QVariant& stored)
{
    if (!stored.isValid())
        return -1;
    if (key.storedAsText) {
        const QString text = stored.toString();
        for (size_t i = 0; i < key.choices.size(); ++i)
            if (text == QLatin1String(key.choices[i].label))
                return static_cast<int>(i);
        return -1;
    }
    bool ok = false;
    const int value = stored.toInt(&ok);
    return ok ? IndexOfValue(key, value) : -1;
}

}  // namespace

const std::vector<PCSetupChoiceKey>& PCSetupChoiceKeys()
{
    static const std::vector<PCSetupChoice> offOn = {{0, QT_TRANSLATE_NOOP("CPCSetupPage", "Off")},
                                                     {1, QT_TRANSLATE_NOOP("CPCSetupPage", "On")}};
    static const std::vector<PCSetupChoice> marks = {{0, QT_TRANSLATE_NOOP("CPCSetupPage", "None")},
                                                     {1, QT_TRANSLATE_NOOP("CPCSetupPage", "Icon")},
                                                     {2, QT_TRANSLATE_NOOP("CPCSetupPage", "Outline")}};
    static const std::vector<PCSetupChoiceKey> keys = {
        {CAppSettings::CODEC_TYPE,
         {{0, QT_TRANSLATE_NOOP("CPCSetupPage", "Main")},
          {1, QT_TRANSLATE_NOOP("CPCSetupPage", "Sub")},
          {3, QT_TRANSLATE_NOOP("CPCSetupPage", "Auto")}}},
        {CAppSettings::PLAYBACK_MODE,
         {{0, QT_TRANSLATE_NOOP("CPCSetupPage", "Continuous")}, {1, QT_TRANSLATE_NOOP("CPCSetupPage", "Skip")}}},
        {CAppSettings::AUDIO_SUPPORT, offOn},
        {CAppSettings::RECONNECT, offOn},
        {CAppSettings::OPENGL,
         {{0, QT_TRANSLATE_NOOP("CPCSetupPage", "OpenGL(High PC)")},
          {1, QT_TRANSLATE_NOOP("CPCSetupPage", "OpenGL(Low PC)")},
          {2, QT_TRANSLATE_NOOP("CPCSetupPage", "Off")}}},
        {CAppSettings::OSD_CH_NAME, offOn},
        {CAppSettings::OSD_RECORD, marks},
        {CAppSettings::OSD_EVENT, marks},
        {CAppSettings::ALARM_SOUND, offOn},
        {CAppSettings::FILE_FORMAT, {{0, "QVF"}, {1, "AVI"}}},
        {CAppSettings::CAPTURE_FILE_FORMAT, {{0, "JPEG"}, {1, "PNG"}}},
        {CAppSettings::SEQ_INTERVAL,
         {{2, "2"}, {4, "4"}, {5, "5"}, {8, "8"}, {10, "10"}, {15, "15"}, {30, "30"}},
         true},
    };
    return keys;
}

int PCSetupChoiceIndex(const PCSetupChoiceKey& key, const QVariant& stored)
{
    for (const int index : {IndexOfStored(key, stored), IndexOfStored(key, CAppSettings::defaultSetting(key.key)),
                            IndexOfValue(key, 0)})
        if (index >= 0)
            return index;
    return 0;
}

QVariant PCSetupChoiceValue(const PCSetupChoiceKey& key, int index)
{
    if (key.choices.empty())
        return QVariant();
    const PCSetupChoice& choice = key.choices[index >= 0 && size_t(index) < key.choices.size() ? size_t(index) : 0];
    if (key.storedAsText)
        return QString::fromLatin1(choice.label);
    return choice.value;
}
