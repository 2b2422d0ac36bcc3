#pragma once

#include <QWidget>

#include "DVRSetup/PageRules.h"
#include "dvr_conf.pb.h"
#include "network.pb.h"
#include "ui_SetupNetwork.h"

// The Network tab: connection type with its addresses, ports, UPnP and bandwidth limit, the
// DDNS host name and each channel's network stream; and the check box that lets the DVR
// apply the TCP/IP and DDNS part of a sent configuration. The connection type is written
// by GetConf from the page shown; everything else as it changes. The JPEG stream, remote
// DVRs and the stream entries of resolutions not shown pass through.
class CSetupNetwork : public QWidget {
    Q_OBJECT

public:
    explicit CSetupNetwork(QWidget* parent = nullptr);
    ~CSetupNetwork() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Network& network);
    config::Network GetConf();
    void languageChange();

    bool GetApplyNetworkTCPIP() const;
    void SetApplyNetworkTCPIP(bool apply);

public slots:
    void OnChangedUpnpPort(int value);
    void OnChangedIpAddress(const QString& text);
    void OnChangedSubnetMask(const QString& text);
    void OnChangedGateway(const QString& text);
    void OnChangedDnsIP(const QString& text);
    void OnChangedPort(int value);
    void OnChangedStaticUpnp(int id);
    void OnChangedDdnsLink(int id);
    void OnChangedDhcpPort(int value);
    void OnChangedDhcpUpnp(int id);
    void OnChangedPppoeId(const QString& text);
    void OnChangedPppoePassword(const QString& text);
    void OnChangedPppoeUpnp(int id);
    void OnChangedPppoeDnsIP(const QString& text);
    void SetBWLimitation(int index);
    void OnChangedDdnsHostname(const QString& text);
    void OnChangedStreamChannel(int index);
    void OnChangedStreamQuality(int index);
    void OnChangedStreamFPS(int index);
    void OnChangedStreamType(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    int channelCount() const { return static_cast<int>(m_dvr_info.ch_num()); }
    config::VideoType videoType() const;
    bool onAll() const { return m_ui.streamChannel->currentIndex() == channelCount(); }
    // The stream entry the quality and rate edit: the channel chosen, or the "All" shadow.
    config::Network_H264* streamTarget();
    QList<QComboBox*> bandwidthBoxes() const;
    // The port and UPnP controls of the static, DHCP and PPPoE pages show one field each.
    void showPort();
    void setUpnp(int id);

    Ui_CSetupNetwork m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::Network m_network;
    config::Network_H264 m_all_stream;
    // The operator's own choices on "All", the only values GetConf copies to every channel.
    StreamEdits m_allEdits;
};
