#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every modal question the pages and dialogs put to the operator goes through here, so a
// test can answer in place of the operator without a modal loop. The default asks with the
// Qt dialogs.
class CPrompt {
public:
    virtual ~CPrompt();

    virtual void message(QWidget* parent, const QString& text);
    // Tells without waiting for an answer: the box stays until the operator closes it.
    virtual void notice(QWidget* parent, const QString& text);
    // A message box without title or icon. It runs through exec(), so a script sees the box.
    virtual void plainMessage(QWidget* parent, const QString& text);
    virtual bool askYesNo(QWidget* parent, const QString& text);
    // False when cancelled; *text holds the start value and then the answer.
    virtual bool askText(QWidget* parent, const QString& title, const QString& label, QString* text);
    // An existing folder, or an empty string when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start);
    // A file to open or a name to save under (filter as QFileDialog takes it); empty when
    // cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, const QString& start,
                                   const QString& filter);
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                                   const QString& filter);
    // Runs a modal dialog; the dialog's result code.
    virtual int exec(QDialog* dialog);

    static CPrompt& current();
    // Not owned; null restores the Qt dialogs.
    static void install(CPrompt* prompt);
};
