#pragma once

#include "DVRList.pb.h"
#include "DVRSetup/PassThroughPage.h"

// The Event tab: carries the event part unchanged until its controls exist; keeps the DVR
// whose cameras its motion zones will show.
class CSetupEvent : public CPassThroughPage<config::Event> {
    Q_OBJECT

public:
    explicit CSetupEvent(QWidget* parent = nullptr) : CPassThroughPage(parent) {}

    void setConnectedDVR(const DVR& dvr) { m_dvr.CopyFrom(dvr); }
    const DVR& connectedDVR() const { return m_dvr; }

private:
    DVR m_dvr;
};
