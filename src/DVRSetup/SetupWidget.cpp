#include "DVRSetup/SetupWidget.h"

#include <QDebug>
#include <QEvent>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include "Common/AppDir.h"
#include "Common/DvrQuery.h"
#include "Common/Prompt.h"
#include "Common/RegularFile.h"
#include "DVRList/SendDVRInfoWidget.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/SetupAccount.h"
#include "DVRSetup/SetupCamera.h"
#include "DVRSetup/SetupEtc.h"
#include "DVRSetup/SetupEvent.h"
#include "DVRSetup/SetupHdd.h"
#include "DVRSetup/SetupNetwork.h"
#include "DVRSetup/SetupRecord.h"
#include "DVRSetup/SetupRules.h"
#include "DVRSetup/SetupSystem.h"
#include "DVRSetup/SetupTabIndex.h"
#include "DVRSetup/Upgrade.h"
#include "Network/ReadDVRData.h"
#include "Network/UpLoader.h"
#include "dvr_types/model_info.h"
#include "sys_conf/types/model_types.h"

namespace {

// The model every page shows before a DVR or a file says otherwise.
constexpr int INITIAL_MODEL = 4;

QByteArray Serialized(const config::DvrConf& conf)
{
    QByteArray bytes(static_cast<int>(conf.ByteSizeLong()), Qt::Uninitialized);
    conf.SerializeToArray(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

// The configuration read and send go as "admin" with the target's password.
DVR AsAdmin(const DVR& dvr)
{
    DVR admin(dvr);
    admin.set_id("admin");
    return admin;
}

template <class Page>
Page* AddPage(QWidget* tab)
{
    auto* page = new Page(tab);
    tab->layout()->addWidget(page);
    return page;
}

}  // namespace

CSetupWidget::CSetupWidget(QWidget* parent)
    : QWidget(parent), m_uploader(new UpLoader(this)), m_readIdleTimeoutMs(CReadDVRData::DEFAULT_IDLE_TIMEOUT_MS)
{
    m_ui.setupUi(this);
    connect(m_uploader, &UpLoader::finished, this, &CSetupWidget::FinishUpload);
    createWidgets();
}

CSetupWidget::~CSetupWidget() { stopRead(); }

void CSetupWidget::createWidgets()
{
    m_system = AddPage<CSetupSystem>(m_ui.SystemTab);
    m_network = AddPage<CSetupNetwork>(m_ui.NetworkTab);
    m_record = AddPage<CSetupRecord>(m_ui.RecordTab);
    m_hdd = AddPage<CSetupHdd>(m_ui.HDDTab);
    m_event = AddPage<CSetupEvent>(m_ui.EventTab);
    m_account = AddPage<CSetupAccount>(m_ui.AccountTab);
    m_camera = AddPage<CSetupCamera>(m_ui.CameraTab);
    m_upgrade = new CUpgrade(this);
    m_etc = new CSetupEtc(this);
    m_upgrade->hide();
    m_etc->hide();
    connect(m_upgrade, &CUpgrade::signalClose, this, &CSetupWidget::OnCloseUpgrade);
    connect(m_etc, &CSetupEtc::signalClose, this, &CSetupWidget::OnCloseDateTime);
}

// ---- pages -----------------------------------------------------------------------------------

void CSetupWidget::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    if (!DvrModel::IsValid(static_cast<int>(info.model())))
        return;
    m_dvr_info.CopyFrom(info);
    DvrInfo_Repair(&m_dvr_info);
    m_system->InitDvrInfo(m_dvr_info);
    m_etc->InitDvrInfo(m_dvr_info);
    m_network->InitDvrInfo(m_dvr_info);
    m_record->InitDvrInfo(m_dvr_info);
    m_hdd->InitDvrInfo(m_dvr_info);
    m_event->InitDvrInfo(m_dvr_info);
    m_account->InitDvrInfo(m_dvr_info);
    m_camera->InitDvrInfo(m_dvr_info);
    InitConf();
}

void CSetupWidget::InitConf()
{
    m_system->InitConf();
    m_etc->InitConf();
    m_network->InitConf();
    m_record->InitConf();
    m_hdd->InitConf();
    m_event->InitConf();
    m_account->InitConf();
    m_camera->InitConf();
}

void CSetupWidget::SetConf(const config::DvrConf& conf)
{
    m_system->SetConf(conf.system());
    m_etc->SetConf(conf.system());
    m_network->SetConf(conf.network());
    m_record->SetConf(conf.record());
    m_hdd->SetConf(conf.hdd());
    m_event->SetConf(conf.event());
    m_account->SetConf(conf.account());
    m_camera->SetConf(conf.camera());
    m_network->SetApplyNetworkTCPIP(conf.limit().apply_network_tcpip());
}

bool CSetupWidget::loadConf(const config::DvrConf& conf)
{
    if (SetDvrConf(conf) != 0) {
        CPrompt::current().message(this, tr("The DVR configuration is of an unknown model (%1).")
                                             .arg(conf.dvr_info().model()));
        return false;
    }
    m_confLoaded = true;
    return true;
}

int CSetupWidget::SetDvrConf(const config::DvrConf& conf)
{
    const int model = static_cast<int>(conf.dvr_info().model());
    if (!DvrModel::IsValid(model)) {
        qDebug("[ERROR] unknown model : %d\n", model);
        return -1;
    }
    InitDvrInfo(conf.dvr_info());
    SetConf(conf);
    return 0;
}

void CSetupWidget::Make_DvrConf(bool all, config::DvrConf* out, bool applyTcpIp)
{
    out->mutable_dvr_info()->CopyFrom(m_dvr_info);
    out->mutable_limit()->set_apply_network_tcpip(applyTcpIp);
    const int tab = all ? -1 : m_ui.tabWidget->currentIndex();
    if (all || tab == SETUP_TAB_SYSTEM)
        *out->mutable_system() = m_system->GetConf();
    if (all || tab == SETUP_TAB_NETWORK)
        *out->mutable_network() = m_network->GetConf();
    if (all || tab == SETUP_TAB_RECORD)
        *out->mutable_record() = m_record->GetConf();
    if (all || tab == SETUP_TAB_HDD)
        *out->mutable_hdd() = m_hdd->GetConf();
    if (all || tab == SETUP_TAB_EVENT)
        *out->mutable_event() = m_event->GetConf();
    if (all || tab == SETUP_TAB_ACCOUNT)
        *out->mutable_account() = m_account->GetConf();
    if (all || tab == SETUP_TAB_CAMERA)
        *out->mutable_camera() = m_camera->GetConf();
}

// ---- the target and reading ------------------------------------------------------------------

void CSetupWidget::Init()
{
    stopRead();
    m_target.Clear();
    m_event->setConnectedDVR(DVR());
    m_confLoaded = false;
    const DvrModelInfo model{DvrModel(INITIAL_MODEL)};
    InitDvrInfo(DvrInfo_ForModel(INITIAL_MODEL, static_cast<int>(model.channel_count), 0));
}

void CSetupWidget::readData(const DVR& dvr, int, config::VideoType)
{
    m_target.CopyFrom(dvr);
    m_event->setConnectedDVR(DVR());
    if (m_target.address().empty())
        return;
    startRead();
}

void CSetupWidget::stopRead()
{
    // Destroying the reader stops it and waits for its thread; no completed() follows.
    delete m_reader;
    m_reader = nullptr;
}

void CSetupWidget::startRead()
{
    stopRead();
    if (m_target.old_protocol()) {
        CPrompt::current().message(this, tr("The configuration of a DVR on the old protocol cannot be read."));
        return;
    }
    m_reader = new CReadDVRData(this);
    m_reader->setIdleTimeout(m_readIdleTimeoutMs);
    connect(m_reader, &CReadDVRData::completed, this, &CSetupWidget::OnReloadCompleted);
    m_reader->startRead(m_target, CgiQueryFor(AsAdmin(m_target), cgi::MODE_GET_DVR_CONF));
}

void CSetupWidget::OnReload()
{
    if (checkConnectedDVR())
        startRead();
}

int CSetupWidget::Byte2Conf(const QByteArray& data, config::DvrConf* conf)
{
    QString refusal;
    return DvrConf_ReadReply(data, conf, &refusal) == ConfReply::Parsed ? 0 : -1;
}

void CSetupWidget::OnReloadCompleted(const QByteArray& data)
{
    config::DvrConf conf;
    QString refusal;
    const ConfReply reply = DvrConf_ReadReply(data, &conf, &refusal);
    if (reply != ConfReply::Parsed) {
        qDebug("[%s]ParseFromArray error\n", "OnReloadCompleted");
        CPrompt::current().message(this, reply == ConfReply::Refused
                                             ? refusal
                                             : tr("The DVR configuration could not be read."));
        return;
    }
    // Only a DVR whose configuration the pages show gets its camera under the zone editor.
    if (loadConf(conf))
        m_event->setConnectedDVR(m_target);
}

bool CSetupWidget::checkConnectedDVR()
{
    CSendDVRInfoWidget dialog;
    dialog.setAddress(QString::fromStdString(m_target.address()));
    dialog.setPort(m_target.port());
    const bool admin = QString::fromStdString(m_target.id()).compare(QLatin1String("admin"), Qt::CaseInsensitive) == 0;
    dialog.setPassword(admin ? QString::fromStdString(m_target.password()) : QString());
    if (CPrompt::current().exec(&dialog) != QDialog::Accepted)
        return false;
    DVR target(m_target);
    target.set_id("admin");
    target.set_address(dialog.getAddress().toStdString());
    target.set_port(dialog.getPort());
    target.set_password(dialog.getPassword().toStdString());
    if (target.address() != m_target.address() || target.port() != m_target.port())
        m_event->setConnectedDVR(DVR());
    m_target = target;
    return true;
}

// ---- sending ---------------------------------------------------------------------------------

void CSetupWidget::OnSend() { send(false); }

void CSetupWidget::OnSendAll() { send(true); }

void CSetupWidget::send(bool all)
{
    if (m_uploading)
        return;
    config::DvrConf conf;
    Make_DvrConf(all, &conf, m_network->GetApplyNetworkTCPIP());
    if (refuseEmptyAdmin(conf))
        return;
    if (!m_confLoaded
        && !CPrompt::current().askYesNo(
            this, tr("No configuration was read from the DVR. Send the default settings anyway?")))
        return;
    if (!checkConnectedDVR())
        return;
    Send_DvrConf(conf);
}

bool CSetupWidget::refuseEmptyAdmin(const config::DvrConf& conf)
{
    if (!conf.has_account() || !conf.account().admin().password().empty())
        return false;
    CPrompt::current().message(this, tr("The admin password must not be empty."));
    return true;
}

void CSetupWidget::Send_DvrConf(const config::DvrConf& conf)
{
    const QByteArray bytes = Serialized(conf);
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        CPrompt::current().message(nullptr, tr("The transmission error occurred!"));
        return;
    }
    file.close();
    setUploading(true);
    m_uploader->upload(QString::fromStdString(m_target.address()), m_target.port(),
                       CgiQueryFor(AsAdmin(m_target), cgi::MODE_SET_DVR_CONF), file.fileName());
}

void CSetupWidget::FinishUpload(bool error, bool aborted, const QString& text)
{
    qDebug().noquote() << QStringLiteral("%1 : error %2, aborted %3, errstr %4\n")
                              .arg(QStringLiteral("FinishUpload"))
                              .arg(int(error))
                              .arg(int(aborted))
                              .arg(text);
    setUploading(false);
    // An aborted upload finishes without an error, yet nothing reached the DVR.
    CPrompt::current().message(nullptr, error || aborted ? tr("The transmission error occurred!")
                                                         : tr("The DVR configuration is correctly transfered!"));
}

void CSetupWidget::setUploading(bool uploading)
{
    if (m_uploading == uploading)
        return;
    m_uploading = uploading;
    emit uploadRunning(uploading);
}

// ---- files and models ------------------------------------------------------------------------

void CSetupWidget::OnOpenFiles()
{
    const QString name = CPrompt::current().chooseOpenFile(this, tr("Please select a configuration file."),
                                                           CAppDir::getCurrentPath(), tr("Configs (*.conf)"));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!OpenRegularFile(file)) {
        CPrompt::current().message(this, tr("The file %1 cannot be opened.").arg(name));
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    config::DvrConf conf;
    if (!conf.ParseFromArray(bytes.constData(), static_cast<int>(bytes.size()))) {
        CPrompt::current().message(this, tr("The file %1 is not a DVR configuration.").arg(name));
        return;
    }
    loadConf(conf);
}

void CSetupWidget::OnSaveFiles()
{
    config::DvrConf conf;
    Make_DvrConf(true, &conf, m_network->GetApplyNetworkTCPIP());
    // What Apply refuses to send is not saved either, and the operator learns it before
    // choosing a file.
    if (refuseEmptyAdmin(conf))
        return;
    const QString name = CPrompt::current().chooseSaveFile(this, tr("Please select a configuration file."),
                                                           CAppDir::getCurrentPath(), tr("Configs (*.conf)"));
    if (name.isEmpty())
        return;
    if (!name.endsWith(QLatin1String(".conf"), Qt::CaseSensitive)) {
        qDebug("[ERROR] File extension is not conf");
        CPrompt::current().message(this, tr("The file name must end with \".conf\"."));
        return;
    }
    const QByteArray bytes = Serialized(conf);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        CPrompt::current().message(this, tr("The file %1 cannot be written.").arg(name));
}

void CSetupWidget::OnLoadDefault() { InitConf(); }

void CSetupWidget::OnSetupModel()
{
    CModelInfoDialog dialog;
    if (const QWidget* window = parentWidget()) {
        QRect geometry = dialog.geometry();
        geometry.moveCenter(window->geometry().center());
        dialog.setGeometry(geometry);
    }
    dialog.setDVRChannels(static_cast<int>(m_dvr_info.ch_num()));
    dialog.setVideoType(m_dvr_info.vtype() != 0 ? config::VideoType_PAL : config::VideoType_NTSC);
    dialog.setModel(static_cast<int>(m_dvr_info.model()));
    if (CPrompt::current().exec(&dialog) != QDialog::Accepted)
        return;
    const int channels = dialog.getDVRChannels();
    const int model = config::ModelCode_OfChoice(channels, static_cast<config::ModelType>(dialog.getModelType()));
    if (model < 0 || !DvrModel::IsValid(model))
        return;
    InitDvrInfo(DvrInfo_ForModel(model, channels, dialog.getVideoType() == 1 ? 1 : 0));
    m_confLoaded = true;
}

// ---- panels ----------------------------------------------------------------------------------

void CSetupWidget::showPanel(QWidget* panel, QWidget* other)
{
    m_ui.tabWidget->hide();
    other->hide();
    panel->resize(width() - 10, height() - 10);
    panel->show();
}

void CSetupWidget::OnUpgrade()
{
    if (!checkConnectedDVR())
        return;
    m_upgrade->setDVR(m_target);
    showPanel(m_upgrade, m_etc);
}

void CSetupWidget::OnDateTime()
{
    if (!checkConnectedDVR())
        return;
    m_etc->setDVR(m_target);
    // The clock is set from what the panel shows: start at the PC's time, not an old one.
    m_etc->SetCurrentTime();
    showPanel(m_etc, m_upgrade);
}

void CSetupWidget::OnCloseUpgrade()
{
    m_upgrade->hide();
    m_ui.tabWidget->show();
}

void CSetupWidget::OnCloseDateTime()
{
    m_etc->hide();
    m_ui.tabWidget->show();
}

void CSetupWidget::OnResetDVR()
{
    if (!checkConnectedDVR())
        return;
    m_etc->setDVR(m_target);
    m_etc->ResetDVR();
}

void CSetupWidget::resizeEvent(QResizeEvent* event)
{
    m_ui.tabWidget->resize(width() - 10, height() - 10);
    QWidget::resizeEvent(event);
}

void CSetupWidget::showEvent(QShowEvent* event)
{
    if (isVisible()) {
        m_ui.tabWidget->show();
        m_upgrade->hide();
        m_etc->hide();
    }
    QWidget::showEvent(event);
}

void CSetupWidget::languageChange() { m_ui.retranslateUi(this); }

void CSetupWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
