#pragma once

// What a map view in view mode derives from its map: the streams it opens, the commands that
// switch a camera between frame headers and whole frames, and its event log lines.

#include <cstdint>

#include <QList>
#include <QString>

#include "EMapList.pb.h"
#include "Network/EMapStatus.h"

// One stream per DVR address and port; the record of the first camera of that DVR, its
// bit_ch replaced by the channels of the map's cameras on it.
struct EMapStreamPlan {
    QList<DVR> streams;
    QList<int> streamOfItem;  // per map item, its stream
};
EMapStreamPlan EMap_PlanStreams(const EMap& map);

// The channel bit of a camera; 0 for a channel no DVR has.
uint32_t EMap_ChannelBit(int channel);

// The stream-channel command for the stream clientId once the channels in openMask have
// their pop-ups open. cameraDvr: the record stored with the camera; streamMask: the channels
// the stream was opened with, which keep sending their headers.
QString EMap_PopupQuery(const DVR& cameraDvr, uint32_t streamMask, int clientId, uint32_t openMask);

// The title the DVR record keeps for a camera; empty when it has none.
QString EMap_CameraTitle(const DVR& dvr, int camera);

// "<time>  <DVR name>  <camera title>  <state>"; empty for a state without a word.
QString EMap_LogLine(const QString& strTime, const DVR& dvr, int camera, EMap_Status::ENUM status);
