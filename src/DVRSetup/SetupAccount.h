#pragma once

#include <QList>
#include <QWidget>

#include "account.pb.h"
#include "dvr_conf.pb.h"
#include "ui_SetupAccount.h"

class QCheckBox;
class QListWidgetItem;

// The Account tab: the admin password, the DVR's users with their channels and rights, and
// the automatic log-off. The user controls are an editing area that changes the account
// only through Add and Modify; it always shows the user of the current row.
class CSetupAccount : public QWidget {
    Q_OBJECT

public:
    explicit CSetupAccount(QWidget* parent = nullptr);
    ~CSetupAccount() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Account& account);
    config::Account GetConf();
    void languageChange();

public slots:
    void SetChStateFromAll(int state);
    void SetChAllState();
    void OnClear();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnChangedAdminPassword(const QString& text);
    void OnItemClicked(QListWidgetItem* item);

protected:
    void changeEvent(QEvent* event) override;

private:
    void updateChannelCtrl(int channelCount);
    void UpdateControlFromUser(const config::Account_User& user);
    void UpdateUserFromControl(config::Account_User* user);
    // Shows the user of the current row, or a cleared area when there is none.
    void showCurrentUser();
    // The row other than `except` whose name equals `name` ignoring case; -1 when none.
    int rowNamed(const QString& name, int except) const;

    Ui_CSetupAccount m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    QList<QCheckBox*> m_channel_boxes;
    config::Account m_account;
};
