#include "Settings/AppSettings.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

#include "Common/AppDir.h"

const QString CAppSettings::COMPANY_NAME = QStringLiteral("COMPANY");
const QString CAppSettings::APP_NAME = QStringLiteral("LOMA ZAVO");
const QString CAppSettings::START_PRESET = QStringLiteral("StartPreset");
const QString CAppSettings::END_PRESET = QStringLiteral("EndPreset");
const QString CAppSettings::PRESET_INTERVAL = QStringLiteral("PresetInterval");
const QString CAppSettings::LANGUAGE = QStringLiteral("Language");
const QStringList CAppSettings::PATH_LIST = {QStringLiteral("Capture"), QStringLiteral("Record"),
                                             QStringLiteral("Backup")};
const QString CAppSettings::CODEC_TYPE = QStringLiteral("CodecType");
const QString CAppSettings::PLAYBACK_MODE = QStringLiteral("PlaybackMode");
const QString CAppSettings::AUDIO_SUPPORT = QStringLiteral("AudioSupport");
// The misspelling is the stored key name.
const QString CAppSettings::SEQ_INTERVAL = QStringLiteral("SeqenceInterval");
const QString CAppSettings::RECONNECT = QStringLiteral("Reconnect");
const QString CAppSettings::OPENGL = QStringLiteral("Opengl");
const QString CAppSettings::OSD_CH_NAME = QStringLiteral("OsdChName");
const QString CAppSettings::OSD_RECORD = QStringLiteral("OsdRecord");
const QString CAppSettings::OSD_EVENT = QStringLiteral("OsdEvent");
const QString CAppSettings::ALARM_SOUND = QStringLiteral("AlarmSound");
const QString CAppSettings::FILE_FORMAT = QStringLiteral("FileFormat");
const QString CAppSettings::CAPTURE_FILE_FORMAT = QStringLiteral("CaptureFileFormat");
const QString CAppSettings::EMAP_POPUP = QStringLiteral("EmapPopup");
const QString CAppSettings::EMAP_POPDOWN = QStringLiteral("EmapPopdown");
const QString CAppSettings::EMAP_IMAGESIZE = QStringLiteral("EmapImageSize");

CAppSettings::CAppSettings()
    : m_settings(new QSettings(COMPANY_NAME, APP_NAME))
{
}

CAppSettings::~CAppSettings()
{
    delete m_settings;
}

QVariant CAppSettings::defaultSetting(const QString& key)
{
    if (PATH_LIST.contains(key))
        return QDir::toNativeSeparators(CAppDir::getCurrentPath() + QLatin1Char('/') + key);
    if (key == CODEC_TYPE)
        return 3;  // automatic stream choice
    if (key == PLAYBACK_MODE || key == AUDIO_SUPPORT || key == RECONNECT || key == OSD_CH_NAME
        || key == OSD_RECORD || key == OSD_EVENT)
        return 1;
    if (key == SEQ_INTERVAL)
        return QStringLiteral("2");
    if (key == OPENGL || key == ALARM_SOUND || key == FILE_FORMAT || key == CAPTURE_FILE_FORMAT
        || key == EMAP_POPUP || key == EMAP_POPDOWN || key == EMAP_IMAGESIZE || key == START_PRESET
        || key == END_PRESET || key == PRESET_INTERVAL)
        return 0;
    if (key == LANGUAGE)
        return systemLanguageName();
    return QVariant();
}

void CAppSettings::writeSetting(const QString& key, const QVariant& value) const
{
    m_settings->setValue(key, value);
}

QVariant CAppSettings::readSetting(const QString& key, const QVariant& defaultValue) const
{
    return m_settings->value(key, defaultValue);
}

void CAppSettings::writeAutoPreset(int channel, int start, int end, int interval)
{
    m_settings->beginGroup(QStringLiteral("channel%1").arg(channel));
    m_settings->setValue(START_PRESET, start);
    m_settings->setValue(END_PRESET, end);
    m_settings->setValue(PRESET_INTERVAL, interval);
    m_settings->endGroup();
}

void CAppSettings::readAutoPreset(int channel, int& start, int& end, int& interval)
{
    m_settings->beginGroup(QStringLiteral("channel%1").arg(channel));
    start = m_settings->value(START_PRESET).toInt();
    end = m_settings->value(END_PRESET).toInt();
    interval = m_settings->value(PRESET_INTERVAL).toInt();
    m_settings->endGroup();
}

void CAppSettings::writeLanguage(const QString& name)
{
    m_settings->setValue(LANGUAGE, name);
}

QString CAppSettings::readLanguage()
{
    const QString systemName = systemLanguageName();
    const QString stored = m_settings->value(LANGUAGE, systemName).toString();
    return stored.isEmpty() ? systemName : stored;
}

void CAppSettings::remove(const QString& key)
{
    m_settings->remove(key);
}

bool CAppSettings::contains(const QString& key)
{
    return m_settings->contains(key);
}

QString CAppSettings::systemLanguageName()
{
    const QString code = QLocale::system().name().split(QLatin1Char('_')).first();
    return QLocale::languageToString(QLocale(code).language());
}
