#pragma once

// The conversions and repairs of the System, Network, Record and Event pages as plain
// functions over the config messages, so that they are tested without widgets. Every
// index <-> value mapping they use comes from the value tables of sys_conf/types.

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "dvr_conf.pb.h"
#include "sys_conf/types/event_types.h"

// ---- the model ------------------------------------------------------------------------------

// What the pages take from a model record: channels N, sensors S, the relay output, the
// model type and the video standard (0 NTSC, 1 PAL). The model code must be valid.
struct PageModel {
    int channels;
    int sensors;
    bool relay;
    config::ModelType type;
    config::VideoType vtype;
};
PageModel PageModel_Of(const config::DvrConf_DvrInfo& info);

// ---- system part ----------------------------------------------------------------------------

// The text in lower case, then its first character in upper case: "english" and "ENGLISH"
// both give "English", "chinese_tw" gives "Chinese_tw".
QString Capitalize(const QString& text);
// An ID the DVR cannot hold (256 or more) becomes 0.
void System_MakeValid(config::System* system);

// ---- per-resolution lists -------------------------------------------------------------------

// The stream settings keep one quality and one rate per config::Resolution.
constexpr int RESOLUTIONS = 4;

// Writes entry index of a repeated field; an index the list lacks writes nothing.
template <class List, class Value>
void SetEntry(List* list, int index, Value value)
{
    if (index >= 0 && index < list->size())
        list->Set(index, value);
}

// ---- network part ---------------------------------------------------------------------------

// The Network page's own default stream of a channel: resolution 0, quality high and the sub
// stream's default rate at each resolution.
config::Network_H264 Network_DefaultStream(int channels, config::VideoType vtype);
// One stream entry per channel: a list of another length is replaced by N default entries,
// and an entry's quality or rate list of other than four entries by the default list. A
// channel's resolution is never changed.
void Network_MakeValid(config::Network* network, int channels, config::VideoType vtype);

// What the operator chose while the stream channel stood on "All".
struct StreamEdits {
    std::optional<config::Quality> qual;
    std::optional<uint32_t> fps;
};
// Each choice reaches every channel's entry at that channel's own resolution.
void Network_ApplyAll(config::Network* network, const StreamEdits& edits);

// ---- record part ----------------------------------------------------------------------------

// Four weekly schedules of one cell per hour: cell day * 24 + hour, day 0 = Sunday.
constexpr int SCHEDULES = 4;
constexpr int SCHEDULE_DAYS = 7;
constexpr int SCHEDULE_HOURS = 24;
constexpr int SCHEDULE_CELLS = SCHEDULE_DAYS * SCHEDULE_HOURS;
int Schedule_Cell(int day, int hour);

// The defaults of a model with that many channels before Record_MakeValid completes them:
// resolution 3 and quality high at every resolution.
config::Record Record_Defaults(int channels);
// One entry per channel (another count loses every channel's settings), a resolution the
// model type offers, four entries in each per-resolution list (quality high, the main
// stream's default rates), record modes the model offers, four schedules of 168 cells
// (padded with MANUAL or cut) holding modes the model offers.
void Record_MakeValid(config::Record* record, const PageModel& model);

// What the operator chose while the channel selector stood on "ALL".
struct RecordEdits {
    std::optional<config::Resolution> resolution;
    std::optional<config::RecordMode> mode;
    std::optional<config::Quality> qual;
    std::optional<uint32_t> fps;
    std::optional<config::Quality> qual_evt;
    std::optional<uint32_t> fps_evt;
};
// The resolution and mode reach every channel; the qualities and rates every channel's
// entry at that channel's own (possibly just set) resolution.
void Record_ApplyAll(config::Record* record, const RecordEdits& edits);

// ---- event part -----------------------------------------------------------------------------

// The e-mail receivers the DVR keeps.
constexpr int EMAIL_RECEIVERS = 4;

config::MotionGrid Event_MotionGrid(const PageModel& model);
// A zone padded with unwatched cells or cut to the grid's cells.
void Event_SizeZone(config::Event_Motion* motion, int cells);
// N motion entries, S sensors (sensor j linked to channel j), N and S relay switches and
// four receivers: a list of another length is rebuilt at its defaults, one of the right
// length is kept. Every zone is brought to the grid's cells.
void Event_MakeValid(config::Event* event, const PageModel& model, int cells);
// The "ALL" entry: channel 1's settings with every cell watched.
config::Event_Motion Event_AllShadow(const config::Event& event, int cells);

// A zone as the motion zone editor takes it: one byte per cell, 1 watched.
QByteArray Zone_ToBytes(const config::Event_Motion& motion);
// Cell i := byte i != 0, for the cells both hold.
void Zone_FromBytes(config::Event_Motion* motion, const QByteArray& bytes);

// What the operator chose while the motion channel stood on "ALL".
struct MotionEdits {
    std::optional<uint32_t> sensitivity;
    std::optional<QByteArray> zone;
    std::optional<bool> pop_up;
};
void Event_ApplyAll(config::Event* event, const MotionEdits& edits);
