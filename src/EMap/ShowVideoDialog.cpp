#include "EMap/ShowVideoDialog.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "Settings/AppSettings.h"

CShowVideoDialog::CShowVideoDialog(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
    const auto mode = static_cast<OpenGLMode>(CAppSettings().readSetting(CAppSettings::OPENGL, 0).toInt());
    m_screen = std::make_unique<CScreen>(this, mode, 1);
    const QRect area(0, 0, MIN_WIDTH, MIN_HEIGHT);
    m_screen->updateDisplayRect(0, area);
    m_screen->resize(area.size());
    m_screen->clear();
    resize(area.size());
}

CShowVideoDialog::~CShowVideoDialog() = default;

void CShowVideoDialog::setDisplayInfo(const CDisplayInfo& info)
{
    m_screen->setInfo(0, info);
}

void CShowVideoDialog::reportClose()
{
    if (m_closeReported)
        return;
    m_closeReported = true;
    emit closeVideo();
}

void CShowVideoDialog::closeEvent(QCloseEvent* event)
{
    reportClose();
    QDialog::closeEvent(event);
}

void CShowVideoDialog::done(int result)
{
    reportClose();
    QDialog::done(result);
}

void CShowVideoDialog::resizeEvent(QResizeEvent* event)
{
    m_screen->updateDisplayRect(0, rect());
    m_screen->resize(size());
    QDialog::resizeEvent(event);
}
