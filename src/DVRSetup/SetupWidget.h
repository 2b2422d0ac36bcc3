#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "DVRList.pb.h"
#include "ModelInfo.pb.h"
#include "dvr_conf.pb.h"
#include "ui_SetupWidget.h"

class CReadDVRData;
class CSetupAccount;
class CSetupCamera;
class CSetupEtc;
class CSetupEvent;
class CSetupHdd;
class CSetupNetwork;
class CSetupRecord;
class CSetupSystem;
class CUpgrade;
class UpLoader;

// The body of Configuration mode: reads a DVR's whole configuration (mode 22) into seven
// tab pages reset to the defaults of its model, assembles a configuration from the pages
// and uploads it (mode 9), opens and saves ".conf" files, sets a model up offline, and
// shows the firmware upgrade and date/time panels. Reads, sends, upgrades, clock setting
// and reset go to the target DVR after the operator has confirmed it.
class CSetupWidget : public QWidget {
    Q_OBJECT

public:
    explicit CSetupWidget(QWidget* parent = nullptr);
    ~CSetupWidget() override;

    // Before a new DVR: no target, model 4's facts, every page at its defaults; a read still
    // running is stopped.
    void Init();
    // Takes the DVR to configure and, for a current-protocol DVR with an address, reads its
    // configuration. channels and vtype are not used.
    void readData(const DVR& dvr, int channels, config::VideoType vtype);

    // 0 when the first packet of a reply carries a configuration that parses, else -1.
    static int Byte2Conf(const QByteArray& data, config::DvrConf* conf);

    const DVR& targetDVR() const { return m_target; }
    const config::DvrConf_DvrInfo& dvrInfo() const { return m_dvr_info; }
    bool isUploading() const { return m_uploading; }
    const CReadDVRData* reader() const { return m_reader; }
    // How long a silent DVR holds a read (tests shorten it).
    void setReadIdleTimeout(int msec) { m_readIdleTimeoutMs = msec; }

    void languageChange();

public slots:
    void OnOpenFiles();
    void OnSaveFiles();
    void OnSetupModel();
    void OnLoadDefault();
    void OnReload();
    void OnSend();
    void OnSendAll();
    void OnUpgrade();
    void OnCloseUpgrade();
    void OnDateTime();
    void OnCloseDateTime();
    void OnResetDVR();
    void OnReloadCompleted(const QByteArray& data);
    void FinishUpload(bool error, bool aborted, const QString& text);

signals:
    // "Apply" and "Apply All" are refused while a configuration upload runs.
    void uploadRunning(bool running);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createWidgets();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void InitConf();
    void SetConf(const config::DvrConf& conf);
    int SetDvrConf(const config::DvrConf& conf);
    // SetDvrConf, telling the operator about an unknown model; false for one.
    bool loadConf(const config::DvrConf& conf);
    void Make_DvrConf(bool all, config::DvrConf* out, bool applyTcpIp);
    void Send_DvrConf(const config::DvrConf& conf);
    bool checkConnectedDVR();
    void startRead();
    void stopRead();
    void send(bool all);
    // Tells the operator when the configuration would lock the DVR's administrator out.
    bool refuseEmptyAdmin(const config::DvrConf& conf);
    void setUploading(bool uploading);
    void showPanel(QWidget* panel, QWidget* other);

    Ui_CSetupWidget m_ui;
    CSetupSystem* m_system = nullptr;
    CSetupNetwork* m_network = nullptr;
    CSetupRecord* m_record = nullptr;
    CSetupHdd* m_hdd = nullptr;
    CSetupEvent* m_event = nullptr;
    CSetupAccount* m_account = nullptr;
    CSetupCamera* m_camera = nullptr;
    CUpgrade* m_upgrade = nullptr;
    CSetupEtc* m_etc = nullptr;

    config::DvrConf_DvrInfo m_dvr_info;
    DVR m_target;
    UpLoader* m_uploader;
    CReadDVRData* m_reader = nullptr;
    int m_readIdleTimeoutMs;
    bool m_uploading = false;
    // A configuration was read, opened or set up: until then the pages hold defaults.
    bool m_confLoaded = false;
};
