#pragma once

// The requests of the live control pages, for both protocol generations. Each builder
// returns the query to post, or an empty string when there is nothing to send (a command
// the DVR's protocol lacks, or a request over the query limits).

#include <QByteArray>
#include <QString>

#include "DVRList.pb.h"
#include "cgi_request.pb.h"
#include "cgi_response.pb.h"

// Where a command goes. Taken when the command starts, so that what follows it (a stop, an
// auto-off) reaches the same DVR, connection and camera whatever was selected meanwhile.
struct CommandTarget {
    DVR dvr;
    int clientId = 0;
    int channel = 0;
};

// A current-protocol query with the DVR entry's own account.
QString LiveCtrl_CgiQuery(cgi::Mode mode, const DVR& dvr, const google::protobuf::MessageLite& data);

// PTZ. name: "Set" or "Go" (preset store and recall, presetIndex 0-98), "ptzf_<move>" (a
// move at speed 0-3), empty (stop).
QString Ptzf_Query(const CommandTarget& target, const QString& name, int speed, int presetIndex);

// Preset tour over the presets from startIndex to endIndex (0-based), interval seconds each.
QString AutoPreset_StartQuery(const CommandTarget& target, int startIndex, int endIndex, int interval);
QString AutoPreset_EndQuery(const CommandTarget& target);

// The relay output.
QString RelayPort_Query(const DVR& dvr, int clientId, unsigned int port, bool on);
// The delay of an auto-off button by its name ("AutoOff0" to "AutoOff3": 5, 10, 20, 30 s);
// -1 for any other name.
int RelayPort_AutoOffSeconds(const QString& objectName);

// Picture controls (current protocol only).
QString PictureControl_ReadQuery(const DVR& dvr);
QString PictureControl_SetQuery(const DVR& dvr, int channel, cgi::PictureControlSet_Type type,
                                unsigned int value);
// The values in a read's reply: its first packet must be a picture-control packet that
// parses. False (and *picture untouched) otherwise.
bool PictureControl_Parse(const QByteArray& reply, cgi::PictureControlGet* picture);
