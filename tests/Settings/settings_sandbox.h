#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Settings/AppSettings.h"

// Points the settings store at a scratch folder for the whole test program, before any
// store is opened, so no test reads or writes the real settings.
inline QString settingsSandbox()
{
    static QTemporaryDir dir;
    static const bool ready = [] {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/user");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.path() + "/system");
        return true;
    }();
    (void)ready;
    return dir.path();
}

// Every test starts from an empty store.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = settingsSandbox();
        ASSERT_FALSE(m_root.isEmpty());
        QSettings store(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME);
        ASSERT_TRUE(store.fileName().startsWith(m_root)) << store.fileName().toStdString();
        store.clear();
        store.sync();
    }

    QString m_root;
};
