#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSettings;

// The PC-side settings, kept in the platform's settings store. Made on the stack where
// needed; every object opens the same store.
class CAppSettings : public QObject {
    Q_OBJECT

public:
    static const QString COMPANY_NAME;
    static const QString APP_NAME;
    static const QString START_PRESET;
    static const QString END_PRESET;
    static const QString PRESET_INTERVAL;
    static const QString LANGUAGE;
    static const QStringList PATH_LIST;  // "Capture", "Record", "Backup"
    static const QString CODEC_TYPE;
    static const QString PLAYBACK_MODE;
    static const QString AUDIO_SUPPORT;
    static const QString SEQ_INTERVAL;
    static const QString RECONNECT;
    static const QString OPENGL;
    static const QString OSD_CH_NAME;
    static const QString OSD_RECORD;
    static const QString OSD_EVENT;
    static const QString ALARM_SOUND;
    static const QString FILE_FORMAT;
    static const QString CAPTURE_FILE_FORMAT;
    static const QString EMAP_POPUP;
    static const QString EMAP_POPDOWN;
    static const QString EMAP_IMAGESIZE;

    CAppSettings();
    ~CAppSettings() override;

    // The value a key takes on a fresh installation, as the PC setup page first writes it
    // (an invalid QVariant for keys that have none).
    static QVariant defaultSetting(const QString& key);

    void writeSetting(const QString& key, const QVariant& value) const;
    QVariant readSetting(const QString& key, const QVariant& defaultValue) const;

    // Auto preset tour of one channel, in the group "channel<n>".
    void writeAutoPreset(int channel, int start, int end, int interval);
    void readAutoPreset(int channel, int& start, int& end, int& interval);

    void writeLanguage(const QString& name);
    // The stored language name; the system locale's language when none is stored.
    QString readLanguage();

    void remove(const QString& key);
    bool contains(const QString& key);

private:
    static QString systemLanguageName();

    QSettings* m_settings;
};
