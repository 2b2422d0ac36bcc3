#include "DVRSetup/SetupNetwork.h"

#include <QEvent>

#include "Common/TextCodec.h"
#include "DVRSetup/DefStream.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/PageFill.h"
#include "sys_conf/types/network_types.h"

namespace {

constexpr int MAX_PORT = 65535;

}  // namespace

CSetupNetwork::CSetupNetwork(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    m_ui.pppoePassword->setEchoMode(QLineEdit::Password);
    connect(m_ui.networkType, &QComboBox::currentIndexChanged, m_ui.stackedWidget, &QStackedWidget::setCurrentIndex);
    connect(m_ui.upnpPort, &QSpinBox::valueChanged, this, &CSetupNetwork::OnChangedUpnpPort);
    connect(m_ui.ipAddress, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedIpAddress);
    connect(m_ui.subnetMask, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedSubnetMask);
    connect(m_ui.gateway, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedGateway);
    connect(m_ui.dnsIP, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedDnsIP);
    connect(m_ui.port, &QSpinBox::valueChanged, this, &CSetupNetwork::OnChangedPort);
    connect(m_ui.staticUpnpGroup, &QButtonGroup::idClicked, this, &CSetupNetwork::OnChangedStaticUpnp);
    connect(m_ui.ddnsLinkGroup, &QButtonGroup::idClicked, this, &CSetupNetwork::OnChangedDdnsLink);
    connect(m_ui.dhcpPort, &QSpinBox::valueChanged, this, &CSetupNetwork::OnChangedDhcpPort);
    connect(m_ui.dhcpUpnpGroup, &QButtonGroup::idClicked, this, &CSetupNetwork::OnChangedDhcpUpnp);
    connect(m_ui.pppoeId, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedPppoeId);
    connect(m_ui.pppoePassword, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedPppoePassword);
    connect(m_ui.pppoeUpnpGroup, &QButtonGroup::idClicked, this, &CSetupNetwork::OnChangedPppoeUpnp);
    connect(m_ui.pppoeDnsIp, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedPppoeDnsIP);
    for (QComboBox* box : bandwidthBoxes())
        connect(box, &QComboBox::currentIndexChanged, this, &CSetupNetwork::SetBWLimitation);
    connect(m_ui.ddnsHostname, &QLineEdit::textChanged, this, &CSetupNetwork::OnChangedDdnsHostname);
    connect(m_ui.streamChannel, &QComboBox::currentIndexChanged, this, &CSetupNetwork::OnChangedStreamChannel);
    connect(m_ui.streamQuality, &QComboBox::currentIndexChanged, this, &CSetupNetwork::OnChangedStreamQuality);
    connect(m_ui.streamFPS, &QComboBox::currentIndexChanged, this, &CSetupNetwork::OnChangedStreamFPS);
    m_ui.ddnsHostname->setValidator(KValidator::Hostname(m_ui.ddnsHostname));
    m_ui.applyNetworkTCPIP->setChecked(false);
    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupNetwork::~CSetupNetwork() = default;

config::VideoType CSetupNetwork::videoType() const
{
    return m_dvr_info.vtype() != 0 ? config::VideoType_PAL : config::VideoType_NTSC;
}

QList<QComboBox*> CSetupNetwork::bandwidthBoxes() const
{
    return {m_ui.upnpBWLimitation, m_ui.BWLimitation, m_ui.dhcpBWLimitation, m_ui.pppoeBWLimitation};
}

void CSetupNetwork::InitControls()
{
    QStringList types, bandwidths;
    for (int i = 0; i < config::Network::Type_ARRAYSIZE; ++i)
        types << QString::fromLatin1(config::NetworkType_Index2String(i));
    for (int i = 0; i < config::Network::BandWidthLimitation_ARRAYSIZE; ++i)
        bandwidths << QString::fromLatin1(config::BandWidthLimitation_Index2String(i));
    SetItemsBlocked(m_ui.networkType, types);
    for (QComboBox* box : bandwidthBoxes())
        SetItemsBlocked(box, bandwidths);
    SetItemsBlocked(m_ui.streamQuality, DefStream::Quality);
    for (QSpinBox* box : {m_ui.upnpPort, m_ui.port, m_ui.dhcpPort}) {
        const QSignalBlocker block(box);
        box->setRange(0, MAX_PORT);
    }
    SetOffOnIds(m_ui.staticUpnpGroup, m_ui.staticUpnpOff, m_ui.staticUpnpOn);
    SetOffOnIds(m_ui.ddnsLinkGroup, m_ui.ddnsOff, m_ui.ddnsOn);
    SetOffOnIds(m_ui.dhcpUpnpGroup, m_ui.dhcpUpnpOff, m_ui.dhcpUpnpOn);
    SetOffOnIds(m_ui.pppoeUpnpGroup, m_ui.pppoeUpnpOff, m_ui.pppoeUpnpOn);
    m_ui.applyNetworkTCPIP->setChecked(false);
    UpdateControls();
}

void CSetupNetwork::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    UpdateControls();
    InitConf();
}

void CSetupNetwork::UpdateControls()
{
    QStringList channels;
    for (int c = 1; c <= channelCount(); ++c)
        channels << QStringLiteral("Ch %1").arg(c);
    channels << QStringLiteral("All");
    SetItemsBlocked(m_ui.streamChannel, channels);
    QStringList rates;
    for (int rate : videoType() == config::VideoType_NTSC ? DefStream::FPSNtsc : DefStream::FPSPal)
        rates << QString::number(rate);
    SetItemsBlocked(m_ui.streamFPS, rates);
}

void CSetupNetwork::MakeConfValid()
{
    Network_MakeValid(&m_network, channelCount(), videoType());
    m_all_stream = m_network.stream().h264(0);
    m_allEdits = {};
}

void CSetupNetwork::InitConf()
{
    m_network.Clear();
    SetConf(m_network);
    m_ui.applyNetworkTCPIP->setChecked(false);
}

void CSetupNetwork::SetConf(const config::Network& network)
{
    if (&network != &m_network)
        m_network.CopyFrom(network);
    MakeConfValid();
    const config::Network_TcpIp& tcpip = m_network.tcpip();
    const int type = config::NetworkType_Type2Index(tcpip.type());
    SetIndexBlocked(m_ui.networkType, type);
    {
        const QSignalBlocker block(m_ui.stackedWidget);
        m_ui.stackedWidget->setCurrentIndex(type);
    }
    SetValueBlocked(m_ui.upnpPort, static_cast<int>(tcpip.auto_upnp_port()));
    SetTextBlocked(m_ui.ipAddress, CTextCodec::FromEucKr(tcpip.static_net().ip_address()));
    SetTextBlocked(m_ui.subnetMask, CTextCodec::FromEucKr(tcpip.static_net().subnetmask()));
    SetTextBlocked(m_ui.gateway, CTextCodec::FromEucKr(tcpip.static_net().gateway()));
    SetTextBlocked(m_ui.dnsIP, CTextCodec::FromEucKr(tcpip.static_net().dns_ip()));
    showPort();
    setUpnp(tcpip.upnp() ? 1 : 0);
    CheckId(m_ui.ddnsLinkGroup, tcpip.static_net().ddns_support() ? 1 : 0);
    SetTextBlocked(m_ui.pppoeId, CTextCodec::FromEucKr(tcpip.pppoe_net().id()));
    SetTextBlocked(m_ui.pppoePassword, CTextCodec::FromEucKr(tcpip.pppoe_net().password()));
    SetTextBlocked(m_ui.pppoeDnsIp, CTextCodec::FromEucKr(tcpip.pppoe_net().dns_ip()));
    SetBWLimitation(config::BandWidthLimitation_Type2Index(tcpip.bandwidth_limitation()));
    SetTextBlocked(m_ui.ddnsHostname, CTextCodec::FromEucKr(m_network.ddns().hostname()));
    OnChangedStreamType(0);
}

config::Network CSetupNetwork::GetConf()
{
    m_network.mutable_tcpip()->set_type(config::NetworkType_Index2Type(m_ui.stackedWidget->currentIndex()));
    if (onAll())
        Network_ApplyAll(&m_network, m_allEdits);
    return m_network;
}

bool CSetupNetwork::GetApplyNetworkTCPIP() const { return m_ui.applyNetworkTCPIP->isChecked(); }

void CSetupNetwork::SetApplyNetworkTCPIP(bool apply) { m_ui.applyNetworkTCPIP->setChecked(apply); }

void CSetupNetwork::showPort()
{
    const int port = static_cast<int>(m_network.tcpip().port());
    SetValueBlocked(m_ui.port, port);
    SetValueBlocked(m_ui.dhcpPort, port);
}

void CSetupNetwork::setUpnp(int id)
{
    for (QButtonGroup* group : {m_ui.staticUpnpGroup, m_ui.dhcpUpnpGroup, m_ui.pppoeUpnpGroup})
        CheckId(group, id);
}

void CSetupNetwork::OnChangedUpnpPort(int value)
{
    m_network.mutable_tcpip()->set_auto_upnp_port(static_cast<uint32_t>(value));
}

void CSetupNetwork::OnChangedIpAddress(const QString& text)
{
    m_network.mutable_tcpip()->mutable_static_net()->set_ip_address(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedSubnetMask(const QString& text)
{
    m_network.mutable_tcpip()->mutable_static_net()->set_subnetmask(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedGateway(const QString& text)
{
    m_network.mutable_tcpip()->mutable_static_net()->set_gateway(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedDnsIP(const QString& text)
{
    m_network.mutable_tcpip()->mutable_static_net()->set_dns_ip(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedPort(int value)
{
    m_network.mutable_tcpip()->set_port(static_cast<uint32_t>(value));
    showPort();
}

void CSetupNetwork::OnChangedStaticUpnp(int id)
{
    m_network.mutable_tcpip()->set_upnp(id != 0);
    setUpnp(id);
}

void CSetupNetwork::OnChangedDdnsLink(int)
{
    m_network.mutable_tcpip()->mutable_static_net()->set_ddns_support(IsOn(m_ui.ddnsLinkGroup));
}

void CSetupNetwork::OnChangedDhcpPort(int value) { OnChangedPort(value); }

void CSetupNetwork::OnChangedDhcpUpnp(int id) { OnChangedStaticUpnp(id); }

void CSetupNetwork::OnChangedPppoeId(const QString& text)
{
    m_network.mutable_tcpip()->mutable_pppoe_net()->set_id(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedPppoePassword(const QString& text)
{
    m_network.mutable_tcpip()->mutable_pppoe_net()->set_password(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::OnChangedPppoeUpnp(int id) { OnChangedStaticUpnp(id); }

void CSetupNetwork::OnChangedPppoeDnsIP(const QString& text)
{
    m_network.mutable_tcpip()->mutable_pppoe_net()->set_dns_ip(CTextCodec::ToEucKr(text));
}

void CSetupNetwork::SetBWLimitation(int index)
{
    if (index < 0)
        return;
    for (QComboBox* box : bandwidthBoxes())
        SetIndexBlocked(box, index);
    m_network.mutable_tcpip()->set_bandwidth_limitation(config::BandWidthLimitation_Index2Type(index));
}

void CSetupNetwork::OnChangedDdnsHostname(const QString& text)
{
    m_network.mutable_ddns()->set_hostname(CTextCodec::ToEucKr(text));
}

config::Network_H264* CSetupNetwork::streamTarget()
{
    const int c = m_ui.streamChannel->currentIndex();
    if (c < 0)
        return nullptr;
    if (c >= channelCount())
        return &m_all_stream;
    return c < m_network.stream().h264_size() ? m_network.mutable_stream()->mutable_h264(c) : nullptr;
}

void CSetupNetwork::OnChangedStreamType(int index)
{
    if (index < 0)
        return;
    SetIndexBlocked(m_ui.streamChannel, channelCount());
    OnChangedStreamChannel(channelCount());
}

void CSetupNetwork::OnChangedStreamChannel(int index)
{
    if (index < 0)
        return;
    const config::Network_H264* source = streamTarget();
    if (!source)
        return;
    const int r = source->resolution();
    SetIndexBlocked(m_ui.streamQuality, source->qual(r));
    SetIndexBlocked(m_ui.streamFPS, DefStream::FPS_REAL2IDX(videoType(), static_cast<int>(source->fps(r))));
}

void CSetupNetwork::OnChangedStreamQuality(int index)
{
    config::Network_H264* target = streamTarget();
    if (index < 0 || !target || !config::Quality_IsValid(index))
        return;
    const auto quality = static_cast<config::Quality>(index);
    target->set_qual(target->resolution(), quality);
    if (target == &m_all_stream)
        m_allEdits.qual = quality;
}

void CSetupNetwork::OnChangedStreamFPS(int index)
{
    config::Network_H264* target = streamTarget();
    if (index < 0 || !target)
        return;
    const auto fps = static_cast<uint32_t>(DefStream::FPS_IDX2REAL(videoType(), index));
    target->set_fps(target->resolution(), fps);
    if (target == &m_all_stream)
        m_allEdits.fps = fps;
}

void CSetupNetwork::languageChange() { m_ui.retranslateUi(this); }

void CSetupNetwork::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
