#include "DVRSetup/Upgrade.h"

#include <QDebug>
#include <QEvent>
#include <QSignalBlocker>

#include "Common/AppDir.h"
#include "Common/DvrQuery.h"
#include "Common/Prompt.h"
#include "DVRSetup/ProgressDialog.h"
#include "Network/UpLoader.h"
#include "cgi_request.pb.h"
#include "sys_conf/types/value_table.h"

namespace {

const config::table::Row<cgi::SwUpgrade_Type> kUpgradeTypes[] = {
    {cgi::SwUpgrade::TYPE_RAMDISK, "Ramdisk"},
    {cgi::SwUpgrade::TYPE_KERNEL, "Kernel"},
};
constexpr int kUpgradeTypeCount = config::table::Count(kUpgradeTypes);

}  // namespace

CUpgrade::CUpgrade(QWidget* parent)
    : QWidget(parent), m_uploader(new UpLoader(this)), m_progress(new CProgressDialog(this))
{
    m_ui.setupUi(this);
    addItems();
    connect(m_ui.upgrade, &QPushButton::clicked, this, &CUpgrade::OnUpgrade);
    connect(m_ui.browse, &QPushButton::clicked, this, &CUpgrade::OnSelectFile);
    connect(m_ui.close, &QPushButton::clicked, this, &CUpgrade::signalClose);
    connect(m_progress, &CProgressDialog::Aborted, this, &CUpgrade::AbortUpload);
    connect(m_uploader, &UpLoader::progress, m_progress, &CProgressDialog::Progress);
    connect(m_uploader, &UpLoader::finished, this, &CUpgrade::FinishUpload);
}

CUpgrade::~CUpgrade() = default;

void CUpgrade::addItems()
{
    const QSignalBlocker block(m_ui.type);
    m_ui.type->clear();
    for (const auto& row : kUpgradeTypes)
        m_ui.type->addItem(QString::fromLatin1(row.label));
}

QString CUpgrade::UpgradeQuery(const DVR& dvr, int typeIndex)
{
    const auto* row = config::table::At(kUpgradeTypes, kUpgradeTypeCount, typeIndex);
    if (!row)
        return QString();
    cgi::SwUpgrade request;
    request.set_type(row->type);
    return CgiQueryFor(dvr, cgi::MODE_SW_UPGRADE, request);
}

void CUpgrade::OnSelectFile()
{
    const QString name = CPrompt::current().chooseOpenFile(this, tr("Select File"), CAppDir::getCurrentPath(),
                                                           tr("All files(*.*)"));
    m_ui.fileName->setText(name);
}

void CUpgrade::OnUpgrade()
{
    if (m_uploading || m_dvr.address().empty() || m_ui.fileName->text().isEmpty())
        return;
    const QString query = UpgradeQuery(m_dvr, m_ui.type->currentIndex());
    if (query.isEmpty())
        return;
    m_progress->restart();
    m_progress->show();
    setUploading(true);
    m_uploader->upload(QString::fromStdString(m_dvr.address()), m_dvr.port(), query, m_ui.fileName->text());
}

void CUpgrade::AbortUpload() { m_uploader->abort(); }

void CUpgrade::FinishUpload(bool error, bool aborted, const QString& text)
{
    qDebug("%s : error : %d\n", "FinishUpload", int(error));
    qDebug("%s : abort : %d\n", "FinishUpload", int(aborted));
    qDebug("%s : text : %s\n", "FinishUpload", qPrintable(text));
    m_progress->hide();
    setUploading(false);
    if (aborted)
        return;
    CPrompt::current().message(nullptr, error ? tr("The upgrade is failed!") : tr("The upgrade is completed!"));
}

void CUpgrade::setUploading(bool uploading)
{
    m_uploading = uploading;
    m_ui.upgrade->setEnabled(!uploading);
    m_ui.close->setEnabled(!uploading);
}

void CUpgrade::languageChange() { m_ui.retranslateUi(this); }

void CUpgrade::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
