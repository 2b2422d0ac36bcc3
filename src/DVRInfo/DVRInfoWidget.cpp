#include "DVRInfo/DVRInfoWidget.h"

#include <QEvent>

#include "Common/DvrQuery.h"
#include "Common/Prompt.h"
#include "DVRInfo/InfoWidget.h"
#include "Network/OldQuery.h"

CDVRInfoWidget::CDVRInfoWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    connect(&m_reader, &CReadDVRData::completed, this, &CDVRInfoWidget::OnCompleted);
}

CDVRInfoWidget::~CDVRInfoWidget()
{
    m_reader.stopRead();
}

void CDVRInfoWidget::readData(const DVR& dvr)
{
    stopRead();
    m_dvr = dvr;
    m_hasDvr = true;
    showTitle();
    m_ui.infoWidget->clear(dvr.old_protocol());
    start(dvr.old_protocol() ? Step::OldPage : Step::DvrInfo);
}

void CDVRInfoWidget::stopRead()
{
    m_reader.stopRead();
    m_step = Step::Idle;
    m_ui.status->clear();
}

void CDVRInfoWidget::setReadTimeout(int msec)
{
    m_reader.setIdleTimeout(msec);
}

void CDVRInfoWidget::start(Step step)
{
    m_step = step;
    m_ui.status->setText(tr("Reading the DVR information..."));
    switch (step) {
    case Step::DvrInfo: m_reader.startRead(m_dvr, CgiQueryFor(m_dvr, cgi::MODE_GET_DVR_INFO)); break;
    case Step::HddInfo: m_reader.startRead(m_dvr, CgiQueryFor(m_dvr, cgi::MODE_GET_HDD_INFO)); break;
    case Step::SysLog: m_reader.startRead(m_dvr, CgiQueryFor(m_dvr, cgi::MODE_GET_SYS_LOG)); break;
    case Step::OldPage: m_reader.startRead(m_dvr, COldQuery::ReadInfo(m_dvr)); break;
    case Step::Idle: break;
    }
}

void CDVRInfoWidget::OnCompleted(const QByteArray& data)
{
    const Step step = m_step;
    if (step == Step::Idle)
        return;
    const InfoReply reply = step == Step::OldPage ? m_ui.infoWidget->showOldPage(data)
                                                  : m_ui.infoWidget->OnCompleted(data);
    if (reply.result == InfoReply::Refused) {
        finish(reply.error);
        return;
    }
    if (reply.result == InfoReply::Empty) {
        finish(tr("No information was received from the DVR."));
        return;
    }
    switch (step) {
    case Step::DvrInfo: start(Step::HddInfo); break;
    case Step::HddInfo: start(Step::SysLog); break;
    default: finish(QString()); break;
    }
}

void CDVRInfoWidget::finish(const QString& message)
{
    m_step = Step::Idle;
    m_ui.status->clear();
    if (!message.isEmpty())
        CPrompt::current().message(this, message);
}

void CDVRInfoWidget::showTitle()
{
    if (!m_hasDvr) {
        m_ui.title->clear();
        return;
    }
    m_ui.title->setText(tr("%1 ( %2:%3 )")
                            .arg(QString::fromStdString(m_dvr.name()),
                                 QString::fromStdString(m_dvr.address()))
                            .arg(m_dvr.port()));
}

void CDVRInfoWidget::languageChange()
{
    m_ui.retranslateUi(this);
    showTitle();
}

void CDVRInfoWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
