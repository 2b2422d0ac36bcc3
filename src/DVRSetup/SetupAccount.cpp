#include "DVRSetup/SetupAccount.h"

#include <QCheckBox>
#include <QEvent>
#include <QSignalBlocker>

#include "Common/ChannelNum.h"
#include "Common/Prompt.h"
#include "Common/TextCodec.h"
#include "DVRSetup/ChannelBoxes.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/PageFill.h"
#include "sys_conf/conf_metatypes.h"
#include "sys_conf/types/account_types.h"

namespace {

QString TimeoutLabel(int minutes)
{
    if (minutes == 0)
        return QStringLiteral("Continuous");
    return QStringLiteral("%1 %2").arg(minutes).arg(minutes == 1 ? "minute" : "minutes");
}

}  // namespace

CSetupAccount::CSetupAccount(QWidget* parent) : QWidget(parent)
{
    config::RegisterMetaTypes();
    m_ui.setupUi(this);
    m_ui.admin_password->setEchoMode(QLineEdit::Password);
    m_ui.password->setEchoMode(QLineEdit::Password);
    connect(m_ui.chAll, &QCheckBox::stateChanged, this, &CSetupAccount::SetChStateFromAll);
    connect(m_ui.clear, &QPushButton::clicked, this, &CSetupAccount::OnClear);
    connect(m_ui.userAdd, &QPushButton::clicked, this, &CSetupAccount::OnAdd);
    connect(m_ui.userModify, &QPushButton::clicked, this, &CSetupAccount::OnModify);
    connect(m_ui.userDelete, &QPushButton::clicked, this, &CSetupAccount::OnDelete);
    connect(m_ui.admin_password, &QLineEdit::textChanged, this, &CSetupAccount::OnChangedAdminPassword);
    connect(m_ui.userList, &QListWidget::itemClicked, this, &CSetupAccount::OnItemClicked);
    // Keys move the current row as well as clicks do.
    connect(m_ui.userList, &QListWidget::currentRowChanged, this, &CSetupAccount::showCurrentUser);
    m_ui.admin_password->setValidator(KValidator::UserPass(m_ui.admin_password));
    m_ui.name->setValidator(KValidator::UserName(m_ui.name));
    m_ui.password->setValidator(KValidator::UserPass(m_ui.password));
    m_ui.buttonLayout->setSpacing(20);
    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupAccount::~CSetupAccount() = default;

void CSetupAccount::InitControls()
{
    {
        const QSignalBlocker block(m_ui.networkTimeout);
        m_ui.networkTimeout->clear();
        for (int i = 0; i < config::NetworkTimeout_Count(); ++i) {
            const int minutes = config::NetworkTimeout_Index2Minutes(i);
            m_ui.networkTimeout->addItem(TimeoutLabel(minutes), minutes);
        }
    }
    {
        const QSignalBlocker block(m_ui.logoffWaitTime);
        m_ui.logoffWaitTime->clear();
        for (int i = 0; i <= config::Account_Logoff::WAIT_TIME_10MIN; ++i)
            m_ui.logoffWaitTime->addItem(QString::fromLatin1(config::WaitTime_Index2String(i)));
    }
    const std::pair<QButtonGroup*, std::pair<QAbstractButton*, QAbstractButton*>> groups[] = {
        {m_ui.ptzfGroup, {m_ui.ptzfOff, m_ui.ptzfOn}},
        {m_ui.playbackGroup, {m_ui.playbackOff, m_ui.playbackOn}},
        {m_ui.backupGroup, {m_ui.backupOff, m_ui.backupOn}},
        {m_ui.networkGroup, {m_ui.networkOff, m_ui.networkOn}},
        {m_ui.networkProhibitionGroup, {m_ui.networkProhibitionOff, m_ui.networkProhibitionOn}},
        {m_ui.logoffAutoGroup, {m_ui.logoffAutoOff, m_ui.logoffAutoOn}},
    };
    for (const auto& [group, buttons] : groups) {
        const QSignalBlocker block(group);
        group->setId(buttons.first, 0);
        group->setId(buttons.second, 1);
    }
    for (QSpinBox* hours : {m_ui.networkProhibitionStart, m_ui.networkProhibitionEnd}) {
        const QSignalBlocker block(hours);
        hours->setRange(0, 23);
    }
}

void CSetupAccount::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    m_account.Clear();
    SetConf(m_account);
}

void CSetupAccount::UpdateControls() {}

void CSetupAccount::MakeConfValid()
{
    if (!m_account.has_admin())
        m_account.mutable_admin()->set_password(config::Account_Admin().password());
}

void CSetupAccount::InitConf()
{
    m_account.Clear();
    SetConf(m_account);
}

void CSetupAccount::SetConf(const config::Account& account)
{
    m_account.CopyFrom(account);
    MakeConfValid();
    {
        const QSignalBlocker block(m_ui.userList);
        m_ui.userList->clear();
        updateChannelCtrl(static_cast<int>(m_dvr_info.ch_num()));
    }
    {
        const QSignalBlocker block(m_ui.admin_password);
        m_ui.admin_password->setText(CTextCodec::FromEucKr(m_account.admin().password()));
    }
    {
        const QSignalBlocker block(m_ui.userList);
        for (const config::Account_User& user : m_account.users()) {
            auto* row = new QListWidgetItem(CTextCodec::FromEucKr(user.name()));
            row->setData(Qt::UserRole, QVariant::fromValue(user));
            m_ui.userList->addItem(row);
        }
        if (m_ui.userList->count() > 0)
            m_ui.userList->setCurrentRow(0);
    }
    showCurrentUser();
    CheckId(m_ui.logoffAutoGroup, m_account.logoff().auto_enable() ? 1 : 0);
    const QSignalBlocker block(m_ui.logoffWaitTime);
    m_ui.logoffWaitTime->setCurrentIndex(config::WaitTime_Type2Index(m_account.logoff().wait_time()));
}

config::Account CSetupAccount::GetConf()
{
    config::Account_Logoff* logoff = m_account.mutable_logoff();
    logoff->set_auto_enable(IsOn(m_ui.logoffAutoGroup));
    logoff->set_wait_time(config::WaitTime_Index2Type(m_ui.logoffWaitTime->currentIndex()));
    return m_account;
}

void CSetupAccount::updateChannelCtrl(int channelCount)
{
    for (QCheckBox* box : std::as_const(m_channel_boxes))
        disconnect(box, &QCheckBox::stateChanged, this, &CSetupAccount::SetChAllState);
    m_channel_boxes = ShowBoxesBelow(FindNumberedBoxes(this, QRegularExpression(CHANNEL_REGEX)), channelCount);
    for (QCheckBox* box : std::as_const(m_channel_boxes))
        connect(box, &QCheckBox::stateChanged, this, &CSetupAccount::SetChAllState);
}

void CSetupAccount::SetChStateFromAll(int state)
{
    for (QCheckBox* box : std::as_const(m_channel_boxes)) {
        const QSignalBlocker block(box);
        box->setChecked(state != 0);
    }
}

void CSetupAccount::SetChAllState()
{
    bool all = true;
    for (const QCheckBox* box : std::as_const(m_channel_boxes))
        all = all && box->isChecked();
    const QSignalBlocker block(m_ui.chAll);
    m_ui.chAll->setChecked(all);
}

void CSetupAccount::UpdateControlFromUser(const config::Account_User& user)
{
    {
        const QSignalBlocker name(m_ui.name);
        const QSignalBlocker password(m_ui.password);
        m_ui.name->setText(CTextCodec::FromEucKr(user.name()));
        m_ui.password->setText(CTextCodec::FromEucKr(user.password()));
    }
    CChnum::setCheckBoxValue(m_channel_boxes, user.ch_mask());
    SetChAllState();
    CheckId(m_ui.ptzfGroup, user.ptz() ? 1 : 0);
    CheckId(m_ui.playbackGroup, user.playback() ? 1 : 0);
    CheckId(m_ui.backupGroup, user.backup() ? 1 : 0);
    CheckId(m_ui.networkGroup, user.network() ? 1 : 0);
    CheckId(m_ui.networkProhibitionGroup, user.network_prohibition() ? 1 : 0);
    const QSignalBlocker timeout(m_ui.networkTimeout);
    const QSignalBlocker start(m_ui.networkProhibitionStart);
    const QSignalBlocker end(m_ui.networkProhibitionEnd);
    m_ui.networkTimeout->setCurrentIndex(config::NetworkTimeout_Type2Index(user.network_timeout()));
    m_ui.networkProhibitionStart->setValue(static_cast<int>(user.network_prohibition_start()));
    m_ui.networkProhibitionEnd->setValue(static_cast<int>(user.network_prohibition_end()));
}

void CSetupAccount::UpdateUserFromControl(config::Account_User* user)
{
    user->set_name(CTextCodec::ToEucKr(m_ui.name->text()));
    user->set_password(CTextCodec::ToEucKr(m_ui.password->text()));
    user->set_ch_mask(static_cast<uint32_t>(CChnum::getCheckBoxValue(m_channel_boxes)));
    user->set_ptz(IsOn(m_ui.ptzfGroup));
    user->set_playback(IsOn(m_ui.playbackGroup));
    user->set_backup(IsOn(m_ui.backupGroup));
    user->set_network(IsOn(m_ui.networkGroup));
    user->set_network_timeout(config::NetworkTimeout_Index2Type(m_ui.networkTimeout->currentIndex()));
    user->set_network_prohibition(IsOn(m_ui.networkProhibitionGroup));
    user->set_network_prohibition_start(static_cast<uint32_t>(m_ui.networkProhibitionStart->value()));
    user->set_network_prohibition_end(static_cast<uint32_t>(m_ui.networkProhibitionEnd->value()));
}

void CSetupAccount::showCurrentUser()
{
    const QListWidgetItem* row = m_ui.userList->currentItem();
    if (!row) {
        OnClear();
        return;
    }
    const QVariant data = row->data(Qt::UserRole);
    UpdateControlFromUser(data.canConvert<config::Account_User>() ? data.value<config::Account_User>()
                                                                    : config::Account_User());
}

int CSetupAccount::rowNamed(const QString& name, int except) const
{
    for (int i = 0; i < m_ui.userList->count(); ++i)
        if (i != except && m_ui.userList->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void CSetupAccount::OnClear()
{
    UpdateControlFromUser(config::Account_User());
    const QSignalBlocker name(m_ui.name);
    const QSignalBlocker password(m_ui.password);
    m_ui.name->clear();
    m_ui.password->clear();
}

void CSetupAccount::OnAdd()
{
    const QString name = m_ui.name->text();
    if (name.isEmpty() || m_ui.password->text().isEmpty())
        return;
    if (rowNamed(name, -1) >= 0) {
        CPrompt::current().plainMessage(this, tr("Can't add same user."));
        return;
    }
    config::Account_User* user = m_account.add_users();
    UpdateUserFromControl(user);
    auto* row = new QListWidgetItem(name);
    row->setData(Qt::UserRole, QVariant::fromValue(*user));
    const QSignalBlocker block(m_ui.userList);
    m_ui.userList->addItem(row);
    m_ui.userList->setCurrentItem(row);
}

void CSetupAccount::OnModify()
{
    const int index = m_ui.userList->currentRow();
    const QString name = m_ui.name->text();
    if (index < 0 || index >= m_account.users_size() || name.isEmpty() || m_ui.password->text().isEmpty())
        return;
    if (rowNamed(name, index) >= 0) {
        CPrompt::current().plainMessage(this, tr("Another user already has this name."));
        return;
    }
    config::Account_User* user = m_account.mutable_users(index);
    UpdateUserFromControl(user);
    QListWidgetItem* row = m_ui.userList->item(index);
    row->setData(Qt::UserRole, QVariant::fromValue(*user));
    row->setText(name);
}

void CSetupAccount::OnDelete()
{
    const int index = m_ui.userList->currentRow();
    if (index < 0 || index >= m_account.users_size())
        return;
    m_account.mutable_users()->DeleteSubrange(index, 1);
    // The list moves the current row on, which shows that row's user.
    delete m_ui.userList->takeItem(index);
    showCurrentUser();
}

void CSetupAccount::OnChangedAdminPassword(const QString& text)
{
    m_account.mutable_admin()->set_password(CTextCodec::ToEucKr(text));
}

void CSetupAccount::OnItemClicked(QListWidgetItem*) { showCurrentUser(); }

void CSetupAccount::languageChange() { m_ui.retranslateUi(this); }

void CSetupAccount::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
