#pragma once

#include <QWidget>

#include "dvr_conf.pb.h"
#include "hdd.pb.h"
#include "ui_SetupHdd.h"

// The HDD tab: the disk write mode, forced deletion and the S.M.A.R.T. check. Every control
// writes into the message as it changes; nothing here depends on the model.
class CSetupHdd : public QWidget {
    Q_OBJECT

public:
    explicit CSetupHdd(QWidget* parent = nullptr);
    ~CSetupHdd() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Hdd& hdd);
    config::Hdd GetConf() const;
    void languageChange();

public slots:
    void OnChangedWriteMode(int index);
    void OnChangedForceDeletion(int index);
    void OnChangedSmart(int id);
    void OnChangedCheckInterval(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CSetupHdd m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::Hdd m_hdd;
};
