#pragma once

// What the page and dialog tests share: an empty settings store and application folder of
// their own, an operator that answers the questions of CPrompt, and screenshots on demand.

#include <functional>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "Common/AppDir.h"
#include "Common/Prompt.h"
#include "Settings/AppSettings.h"

namespace uitest {

// An empty settings store in a scratch folder for the whole program, and an empty
// application folder for this object's life.
class Sandbox {
public:
    Sandbox()
    {
        static QTemporaryDir store;
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path() + "/user");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, store.path() + "/system");
        QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).clear();
        CAppDir::setOverridePath(m_appDir.path());
    }
    ~Sandbox() { CAppDir::setOverridePath(QString()); }

    QString appDir() const { return m_appDir.path(); }

private:
    QTemporaryDir m_appDir;
};

// Stands in for the operator while installed: records every message and question, answers
// questions with the next scripted answer (no when none is left) and runs dialogs through
// `onDialog` (rejected when none is set).
class ScriptedPrompt : public CPrompt {
public:
    // Scripted prompts nest: the one in use before comes back when this one goes.
    ScriptedPrompt() : m_previous(&CPrompt::current()) { CPrompt::install(this); }
    ~ScriptedPrompt() override { CPrompt::install(m_previous); }

    void message(QWidget*, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString& text) override
    {
        questions << text;
        return !yesNo.isEmpty() && yesNo.takeFirst();
    }
    bool askText(QWidget*, const QString&, const QString& label, QString* text) override
    {
        questions << label + ": " + *text;
        if (texts.isEmpty())
            return false;
        *text = texts.takeFirst();
        return true;
    }
    QString chooseFolder(QWidget*, const QString& title, const QString&) override
    {
        questions << title;
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString chooseOpenFile(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        questions << caption + " " + filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseSaveFile(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        questions << caption + " " + filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    int exec(QDialog* dialog) override
    {
        ++dialogs;
        if (!onDialog)
            return QDialog::Rejected;
        onDialog(dialog);
        return dialog->result();
    }

    QStringList messages;
    QStringList questions;
    QList<bool> yesNo;
    QStringList texts;
    QStringList folders;
    QStringList files;
    int dialogs = 0;
    // Fills the dialog and ends it with accept() or reject().
    std::function<void(QDialog*)> onDialog;

private:
    CPrompt* m_previous;
};

// The program's style sheet for the life of the object: the resource file the window loads,
// which a test program that uses it builds in.
struct ProgramStyle {
    ProgramStyle()
    {
        QFile file(QStringLiteral(":/Viewer/files/qss/default.qss"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromLatin1(file.readAll()));
    }
    ~ProgramStyle() { qApp->setStyleSheet(QString()); }
};

// Saves the widget as the X server or the offscreen platform draws it, when
// ZAVO_SCREENSHOT_DIR names a folder.
inline void Screenshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    widget->show();
    QCoreApplication::processEvents();
    widget->grab().save(QDir(dir).filePath(name + ".png"));
}

}  // namespace uitest
