#pragma once

#include "DVRSetup/PassThroughPage.h"

// The Network tab: carries the network part and the TCP/IP apply flag unchanged until its
// controls exist.
class CSetupNetwork : public CPassThroughPage<config::Network> {
    Q_OBJECT

public:
    explicit CSetupNetwork(QWidget* parent = nullptr) : CPassThroughPage(parent) {}

    bool GetApplyNetworkTCPIP() const { return m_applyTcpIp; }
    void SetApplyNetworkTCPIP(bool apply) { m_applyTcpIp = apply; }

private:
    bool m_applyTcpIp = false;
};
