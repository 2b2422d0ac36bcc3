#include "Common/Prompt.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

CPrompt* g_installed = nullptr;

}  // namespace

CPrompt::~CPrompt() = default;

void CPrompt::message(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QString(), text);
}

void CPrompt::notice(QWidget* parent, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void CPrompt::plainMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    exec(&box);
}

bool CPrompt::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool CPrompt::askText(QWidget* parent, const QString& title, const QString& label, QString* text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, *text, &ok);
    if (ok)
        *text = answer;
    return ok;
}

QString CPrompt::chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QString CPrompt::chooseOpenFile(QWidget* parent, const QString& title, const QString& start,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString CPrompt::chooseSaveFile(QWidget* parent, const QString& title, const QString& start,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

int CPrompt::exec(QDialog* dialog)
{
    return dialog->exec();
}

CPrompt& CPrompt::current()
{
    static CPrompt qtDialogs;
    return g_installed ? *g_installed : qtDialogs;
}

void CPrompt::install(CPrompt* prompt)
{
    g_installed = prompt;
}
