// Streams: the first packets, then video and audio frames paced by the clock (or as fast
// as the client takes them), with the misbehaviour that is switched on.
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include <QDateTime>
#include <QFileInfo>

#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"
#include "sim/SimConn.h"

namespace simdvr {

namespace {

struct Media {
    testmedia::Clip clip;
    bool ok = false;
};

}  // namespace

const testmedia::Clip* GetClip(const QString& dir, testmedia::Codec codec, const QString& size)
{
    static std::mutex lock;
    static std::map<std::string, Media> cache;
    const std::string base = dir.isEmpty() ? testmedia::MediaDir() : dir.toStdString();
    const std::string name = codec == testmedia::Codec::H264 ? "h264_" + size.toStdString() + ".264"
                                                             : "mpeg4_" + size.toStdString() + ".m4v";
    const std::string key = base + "/" + name;
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(key);
    if (it == cache.end()) {
        Media m;
        // The clip reader throws on a missing file; a DVR without its clip just sends no video.
        const std::vector<uint8_t> bytes =
            QFileInfo(QString::fromStdString(key)).isReadable() ? testmedia::ReadFile(key) : std::vector<uint8_t>();
        m.clip.codec = codec;
        m.clip.width = 704;
        m.clip.height = size == QLatin1String("cif") ? 240 : 480;
        m.clip.units = codec == testmedia::Codec::H264 ? testmedia::SplitH264(bytes.data(), bytes.size())
                                                       : testmedia::SplitMpeg4(bytes.data(), bytes.size());
        if (size == QLatin1String("cif"))
            m.clip.width = 352;
        m.ok = !m.clip.units.empty();
        it = cache.emplace(key, std::move(m)).first;
    }
    return it->second.ok ? &it->second.clip : nullptr;
}

const std::vector<uint8_t>* GetTone(const QString& dir, bool g726)
{
    static std::mutex lock;
    static std::map<std::string, std::vector<uint8_t>> cache;
    const std::string base = dir.isEmpty() ? testmedia::MediaDir() : dir.toStdString();
    const std::string key = base + (g726 ? "/tone_24k.g726" : "/tone.alaw");
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const bool readable = QFileInfo(QString::fromStdString(key)).isReadable();
        it = cache.emplace(key, readable ? testmedia::ReadFile(key) : std::vector<uint8_t>()).first;
    }
    const size_t frame = g726 ? kG726Frame : kAlawFrame;
    return it->second.size() >= frame ? &it->second : nullptr;
}

bool PlayingMode(uint32_t pb)
{
    return pb <= PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X)
           || pb == PB_SLOW_1_4 || pb == PB_SLOW_1_2;
}

// Media milliseconds one frame advances in a playback mode.
double PbStepMs(uint32_t pb, int fps)
{
    const double frame = 1000.0 / fps;
    if (pb <= PB_FORWARD_256X)
        return frame * (1 << pb);
    if (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X)
        return -frame * (1 << (pb - PB_REVERSE_1X));
    if (pb == PB_SLOW_1_4)
        return frame / 4;
    if (pb == PB_SLOW_1_2)
        return frame / 2;
    if (pb == PB_STEP_FORWARD)
        return frame;
    if (pb == PB_STEP_BACKWARD)
        return -frame;
    return 0;
}

// PbMode to the CUFrame playback-mode code.
int OldPbCode(uint32_t pb)
{
    if (pb <= PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb <= PB_REVERSE_256X))
        return static_cast<int>(pb) + 1;
    switch (pb) {
    case PB_STEP_FORWARD: return 13;
    case PB_SLOW_1_2: return 14;
    case PB_SLOW_1_4: return 15;
    case PB_STEP_BACKWARD: return 29;
    default: return 10;
    }
}

uint32_t ApplyPbCommand(uint32_t pb, int cmd)
{
    switch (cmd) {
    case cgi::PbControl::CMD_FORWARD: return PB_FORWARD_1X;
    case cgi::PbControl::CMD_REVERSE: return PB_REVERSE_1X;
    case cgi::PbControl::CMD_PAUSE: return PB_PAUSE;
    case cgi::PbControl::CMD_STOP: return PB_STOP;
    case cgi::PbControl::CMD_STEP_REVERSE: return PB_STEP_BACKWARD;
    case cgi::PbControl::CMD_STEP_FORWARD: return PB_STEP_FORWARD;
    case cgi::PbControl::CMD_FASTER:
        if (pb < PB_FORWARD_256X || (pb >= PB_REVERSE_1X && pb < PB_REVERSE_256X))
            return pb + 1;
        if (pb == PB_SLOW_1_4)
            return PB_SLOW_1_2;
        if (pb == PB_SLOW_1_2)
            return PB_FORWARD_1X;
        return pb;
    case cgi::PbControl::CMD_SLOWER:
        if ((pb > PB_FORWARD_1X && pb <= PB_FORWARD_256X) || (pb > PB_REVERSE_1X && pb <= PB_REVERSE_256X))
            return pb - 1;
        if (pb == PB_FORWARD_1X)
            return PB_SLOW_1_2;
        if (pb == PB_SLOW_1_2)
            return PB_SLOW_1_4;
        return pb;
    default:
        return pb;
    }
}

// The old protocol's playback button codes.
int OldPbButtonToCmd(int code)
{
    switch (code) {
    case 4: return cgi::PbControl::CMD_FORWARD;
    case 6: return cgi::PbControl::CMD_REVERSE;
    case 5: return cgi::PbControl::CMD_PAUSE;
    case 1: return cgi::PbControl::CMD_STOP;
    case 8: return cgi::PbControl::CMD_STEP_REVERSE;
    case 7: return cgi::PbControl::CMD_STEP_FORWARD;
    case 2: return cgi::PbControl::CMD_SLOWER;
    case 3: return cgi::PbControl::CMD_FASTER;
    default: return -1;
    }
}

// "yyMMddhhmmss" of UTC wall-clock time.
uint32_t ParseOldTime(const QByteArray& text)
{
    if (text.size() != 12)
        return 0;
    bool ok = false;
    text.toLongLong(&ok);
    if (!ok)
        return 0;
    auto num = [&](int pos) { return text.mid(pos, 2).toInt(); };
    const QDate date(2000 + num(0), num(2), num(4));
    const QTime time(num(6), num(8), num(10));
    if (!date.isValid() || !time.isValid())
        return 0;
    return static_cast<uint32_t>(QDateTime(date, time, Qt::UTC).toSecsSinceEpoch());
}

// --- streams -----------------------------------------------------------------------------

void Conn::refuseStream(Request& r, int code, const Misbehaviour& mis)
{
    isStream = true;
    info.errorCode = code;
    info.clientId = -1;
    {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        info.id = w->s->nextStreamId++;
        info.requestSeq = r.seq;
        r.streamId = info.id;
        w->s->streamRequests++;
        w->s->requests.push_back(r);
        w->s->streams[info.id] = info;
        w->s->changed.notify_all();
    }
    const uint8_t type = info.oldProtocol ? kOldResult : static_cast<uint8_t>(cgi::DATA_RESPONSE);
    emitPacket(type, QByteArray(1, static_cast<char>(code)), FrameKind::None, mis);
    publish();
    if (mis.closeAfterError)
        closeWhenDrained();
}

void Conn::startStream(Request& r, const Config& cfg, const Misbehaviour& mis)
{
    info.oldProtocol = r.oldProtocol;
    const uint32_t avail = ChannelMask(cfg);
    uint32_t vch = 0, ach = 0, hdr = 0;
    int code = -1;
    bool refused = false;
    info.pbMode = PB_FORWARD_1X;
    if (!r.oldProtocol) {
        switch (r.mode) {
        case cgi::MODE_LIVE: {
            cgi::Live m;
            r.message(&m);
            info.mode = 0;
            info.codec = m.codec() == cgi::CODEC_SUB ? 1 : 0;
            vch = m.vchmask();
            ach = m.achmask();
            hdr = m.header_only_mask();
            break;
        }
        case cgi::MODE_PLAYBACK: {
            cgi::Playback m;
            r.message(&m);
            info.mode = 1;
            info.startTime = m.start_time();
            vch = m.vchmask();
            ach = m.achmask();
            break;
        }
        case cgi::MODE_BACKUP: {
            cgi::Backup m;
            r.message(&m);
            info.mode = 2;
            info.startTime = m.start_time();
            info.endTime = m.end_time();
            vch = ach = m.chmask();
            break;
        }
        default:
            refused = true;
            code = cgi::ERR_CODE_6;
        }
        if (!refused && (!r.userOk || !r.dataOk))
            refused = true, code = cgi::ERR_CODE_6;
    } else {
        const uint32_t ch = r.param("CH").toUInt(nullptr, 16);
        switch (r.mode) {
        case 0: case 9: info.mode = 0; info.codec = r.mode == 9; vch = ch; break;
        case 1: case 10: info.mode = 0; info.codec = r.mode == 10; info.audioOnly = true; ach = ch; break;
        case 2:
        case 3:
            info.startTime = ParseOldTime(r.param("STARTTIME"));
            info.endTime = ParseOldTime(r.param("ENDTIME"));
            info.mode = r.hasParam("ENDTIME") ? 2 : 1;
            info.audioOnly = r.mode == 3;
            (info.audioOnly ? ach : vch) = ch;
            break;
        default:
            refused = true;
            code = 0;  // shown as "unknown"
        }
        if (!refused && r.param("VER") != "3000")
            refused = true, code = 3;  // protocol version
    }
    if (!refused) {
        const int cred = credentialCode(r, cfg);
        if (cred)
            refused = true, code = cred;
    }
    if (!refused && cfg.maxClients > 0 && static_cast<int>(w->heldSlots.size()) >= cfg.maxClients)
        refused = true, code = r.oldProtocol ? 4 : cgi::ERR_CLIENT_LIMIT;
    if (!refused && mis.streamErrorCode >= 0)
        refused = true, code = mis.streamErrorCode;
    if (refused) {
        refuseStream(r, code, mis);
        return;
    }

    isStream = true;
    info.vchmask = vch & avail;
    info.achmask = ach & avail & cfg.audioMask;
    info.headerOnlyMask = hdr & avail;
    if (r.oldProtocol && info.audioOnly && r.hasParam("CID")) {
        info.clientId = r.param("CID").toInt() & 0xFF;
        // The audio of a playback or backup plays the recording its video stream plays.
        if (r.mode == 3)
            if (const Conn* video = w->findStream(info.clientId - 100)) {
                info.mode = video->info.mode;
                info.startTime = video->info.startTime;
                info.endTime = video->info.endTime;
            }
    }
    else if (cfg.reuseClientId)
        info.clientId = std::clamp(cfg.firstClientId, 0, 99);
    else
        info.clientId = w->allocClientId(cfg.firstClientId);
    fps = cfg.fps > 0 ? cfg.fps : 30;
    model = static_cast<int>(cfg.model);
    audioPresentClock = r.oldProtocol && info.audioOnly && cfg.oldAudioPresentClock;
    const bool mpeg4 = r.oldProtocol && cfg.model >= 6 && cfg.model <= 11;
    const QString size = info.codec == 1 ? cfg.subSize : cfg.mainSize;
    clip = GetClip(cfg.mediaDir, mpeg4 ? testmedia::Codec::Mpeg4 : testmedia::Codec::H264, size);
    tone = GetTone(cfg.mediaDir, r.oldProtocol);
    if (info.mode == 0 && cfg.startFrame > 0)
        videoIdx = videoBase = firstVideoIdx = cfg.startFrame;

    {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        info.id = w->s->nextStreamId++;
        info.requestSeq = r.seq;
        r.streamId = info.id;
        w->s->streamRequests++;
        w->s->requests.push_back(r);
        w->s->streams[info.id] = info;
        splitLeft = w->s->mis.splitPackets;
        misGeneration = w->s->misGeneration;
        w->s->changed.notify_all();
    }
    w->heldSlots[info.id] = info.clientId;
    w->usedClientIds.insert(info.clientId);
    junk.seed(static_cast<quint32>(info.id));

    if (mis.closeAfterPackets == 0) {
        closeWhenDrained();
        return;
    }
    if (!info.audioOnly) {
        if (r.oldProtocol) {
            emitPacket(kOldDvrRecord, MakeOldDvrRecord(cfg.channels, static_cast<uint16_t>(avail), ChannelNames(cfg)),
                       FrameKind::None, mis);
        } else {
            emitPacket(cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), FrameKind::None, mis);
            if (info.mode == 0)
                sendStatus();
            else if (info.mode == 1)
                sendPbStatus();
        }
    }
    clock.start();
    publish();
    produce();
}

void Conn::sendStatus()
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const cgi::LiveStatus st = LiveStatusOf(w->s->config);
    const Misbehaviour mis = w->s->mis;
    lock.unlock();
    emitPacket(cgi::DATA_LIVE_STATUS, Serialized(st), FrameKind::None, mis);
}

void Conn::sendPbStatus()
{
    if (info.oldProtocol)
        return;  // old DVRs tell the mode in each frame header
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Misbehaviour mis = w->s->mis;
    lock.unlock();
    cgi::PbStatus st;
    st.set_mode(info.pbMode);
    emitPacket(cgi::DATA_PB_STATUS, Serialized(st), FrameKind::None, mis);
}

void Conn::emitPacket(uint8_t type, const QByteArray& head, const uint8_t* data, int size, FrameKind kind,
                      const Misbehaviour& mis)
{
    if (closing || closed)
        return;
    const int64_t n = ++info.packets;
    const uint8_t cid = static_cast<uint8_t>(info.clientId < 0 ? 0 : info.clientId);
    const int payloadSize = head.size() + size;
    QByteArray p;
    p.reserve(payloadSize + 14);
    p.append("\xFB\xFB\xFB\xFC", 4);
    p.append(static_cast<char>(cid));
    p.append(static_cast<char>(type));
    for (int i = 0; i < 4; ++i) {
        const int shift = info.oldProtocol ? 8 * (3 - i) : 8 * i;
        p.append(static_cast<char>((static_cast<uint32_t>(payloadSize) >> shift) & 0xFF));
    }
    p.append(head);
    if (size > 0)
        p.append(reinterpret_cast<const char*>(data), size);
    p.append("\xFB\xFB\xFB\xFD", 4);
    bool corrupt = false;
    if (mis.corruptLengthEvery > 0 && n % mis.corruptLengthEvery == 0) {
        uint32_t len = static_cast<uint32_t>(payloadSize);
        switch (mis.lengthFault) {
        case LengthFault::OverLimit: len = 0x2800001u; break;
        case LengthFault::Longer: len += 64; break;
        case LengthFault::Huge: len = 0x2800000u; break;
        }
        for (int i = 0; i < 4; ++i) {
            const int shift = info.oldProtocol ? 8 * (3 - i) : 8 * i;
            p[6 + i] = static_cast<char>((len >> shift) & 0xFF);
        }
        corrupt = true;
    }
    if (mis.corruptEndCodeEvery > 0 && n % mis.corruptEndCodeEvery == 0) {
        p[p.size() - 1] = static_cast<char>(0xFE);
        corrupt = true;
    }
    if (mis.junkEvery > 0 && n % mis.junkEvery == 0) {
        QByteArray j(1 + static_cast<int>(junk.bounded(48)), '\0');
        for (int i = 0; i < j.size(); ++i) {
            // Mostly bytes of the start code, so that a scanner is really tested.
            const quint32 r = junk.bounded(4);
            j[i] = static_cast<char>(r == 0 ? junk.bounded(256) : 0xFB);
            if (i >= 3 && static_cast<uint8_t>(j[i]) == 0xFC && static_cast<uint8_t>(j[i - 1]) == 0xFB
                && static_cast<uint8_t>(j[i - 2]) == 0xFB && static_cast<uint8_t>(j[i - 3]) == 0xFB)
                j[i] = 0;
        }
        info.junkBytes += j.size();
        p.prepend(j);
    }
    bool split = false;
    if (splitLeft != 0) {
        split = true;
        if (splitLeft > 0)
            --splitLeft;
    }
    info.bytes += p.size();
    if (corrupt)
        info.corruptPackets++;
    else if (kind == FrameKind::Video)
        info.videoFrames++;
    else if (kind == FrameKind::HeaderOnly)
        info.headerOnlyFrames++;
    else if (kind == FrameKind::Audio)
        info.audioFrames++;
    write(p, split);
    if (mis.closeAfterPackets > 0 && n >= mis.closeAfterPackets)
        closeWhenDrained();
}

void Conn::emitFrame(int64_t index, const Misbehaviour& mis, uint32_t record, uint32_t vloss,
                     uint32_t motion, uint32_t sensor)
{
    if (!clip)
        return;
    const testmedia::AccessUnit& unit = clip->units[static_cast<size_t>(index % static_cast<int64_t>(clip->units.size()))];
    const uint32_t wanted = info.vchmask | info.headerOnlyMask;
    if (wanted == 0)
        return;
    if (waitKey && !unit.key) {
        for (int c = 0; c < 16; ++c)
            if (wanted & (1u << c))
                info.droppedFrames++;
        return;
    }
    waitKey = false;
    int64_t ms;
    if (info.mode == 0)
        ms = QDateTime::currentMSecsSinceEpoch();
    else
        ms = static_cast<int64_t>(info.startTime) * 1000 + static_cast<int64_t>(std::llround(mediaMs));
    FrameFields f;
    f.type = unit.key ? 0 : 1;
    f.frameSize = static_cast<uint32_t>(unit.data.size());
    f.width = clip->width;
    f.height = clip->height;
    f.timeSec = ms / 1000;
    f.timeUsec = static_cast<int32_t>((ms % 1000) * 1000);
    f.model = model;
    f.pbCode = info.mode == 0 ? 0 : OldPbCode(info.pbMode);
    f.videoLoss = static_cast<uint16_t>(vloss & 0xFFFF);
    const uint8_t resolution = CUFrameResolutionInfo(clip->width, clip->height);
    for (int c = 0; c < 16; ++c) {
        const uint32_t bit = 1u << c;
        if (!(wanted & bit))
            continue;
        const bool headerOnly = (info.headerOnlyMask & bit) || (vloss & bit);
        f.channel = c;
        f.recordReason = (record & bit) ? 1 : 0;
        f.info = static_cast<uint8_t>(resolution | ((motion & bit) ? 0x08 : 0) | ((sensor & bit) ? 0x10 : 0)
                                      | ((record & bit) ? 0x20 : 0));
        const QByteArray header = info.oldProtocol ? MakeCUFrameHeader(f) : MakeCFrameHeader(f);
        const uint8_t type = info.oldProtocol ? (unit.key ? kOldVideoKey : kOldVideoDelta)
                                              : static_cast<uint8_t>(cgi::DATA_VIDEO);
        emitPacket(type, header, unit.data.data(), headerOnly ? 0 : static_cast<int>(unit.data.size()),
                   headerOnly ? FrameKind::HeaderOnly : FrameKind::Video, mis);
    }
    info.lastFrameTime = f.timeSec;
}

void Conn::emitAudio(int64_t index, const Misbehaviour& mis)
{
    if (!tone || info.achmask == 0)
        return;
    const int frame = info.oldProtocol ? kG726Frame : kAlawFrame;
    const int64_t frames = static_cast<int64_t>(tone->size()) / frame;
    const uint8_t* data = tone->data() + (index % frames) * frame;
    int64_t ms;
    if (info.mode == 0 || audioPresentClock)
        ms = QDateTime::currentMSecsSinceEpoch();
    else if (info.audioOnly)  // no video moves its media clock
        ms = static_cast<int64_t>(info.startTime) * 1000 + index * (info.oldProtocol ? kG726PeriodMs : kAlawPeriodMs);
    else
        ms = static_cast<int64_t>(info.startTime) * 1000 + static_cast<int64_t>(std::llround(mediaMs));
    FrameFields f;
    f.type = 3;
    f.frameSize = static_cast<uint32_t>(frame);
    f.timeSec = ms / 1000;
    f.timeUsec = static_cast<int32_t>((ms % 1000) * 1000);
    f.model = model;
    for (int c = 0; c < 16; ++c) {
        if (!(info.achmask & (1u << c)))
            continue;
        f.channel = c;
        emitPacket(info.oldProtocol ? kOldAudio : static_cast<uint8_t>(cgi::DATA_AUDIO),
                   info.oldProtocol ? MakeCUFrameHeader(f) : MakeCFrameHeader(f), data, frame, FrameKind::Audio, mis);
    }
}

void Conn::produce()
{
    if (!streaming() || info.errorCode >= 0)
        return;
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Misbehaviour mis = w->s->mis;
    if (misGeneration != w->s->misGeneration) {
        misGeneration = w->s->misGeneration;
        splitLeft = mis.splitPackets;
    }
    const uint32_t record = w->s->config.recordMask;
    const uint32_t vloss = w->s->config.vlossMask;
    const uint32_t motion = w->s->config.motionMask;
    const uint32_t sensor = w->s->config.sensorMask;
    lock.unlock();

    const double frameMs = 1000.0 / fps;
    const int audioPeriod = info.oldProtocol ? kG726PeriodMs : kAlawPeriodMs;
    const bool playing = info.mode != 1 || PlayingMode(info.pbMode) || stepPending;
    const bool video = !info.audioOnly;

    auto oneVideoFrame = [&](bool send) {
        if (send) {
            emitFrame(videoIdx, mis, record, vloss, motion, sensor);
            if (stepStatusPending) {
                stepStatusPending = false;
                sendPbStatus();
            }
            if (info.mode != 0) {
                mediaMs += info.mode == 2 ? frameMs : PbStepMs(info.pbMode, fps);
                if (mediaMs < -1000.0 * info.startTime)
                    mediaMs = -1000.0 * info.startTime;
            }
        }
        ++videoIdx;
    };
    auto backupDone = [&] {
        // The whole last second is sent; the first frame past it ends the backup.
        return info.mode == 2 && info.endTime != 0 && info.lastFrameTime > info.endTime;
    };

    const int64_t elapsed = clock.elapsed();
    const int64_t videoDue = videoBase + elapsed * fps / 1000 + 1;
    const int64_t audioDue = audioBase + elapsed / audioPeriod + 1;
    auto rebase = [&] {
        clock.restart();
        videoBase = videoIdx;
        audioBase = audioIdx;
    };

    if (mis.stall) {
        rebase();
        publish();
        return;
    }

    if (mis.flood) {
        for (int i = 0; i < kFloodFramesPerRound && !closing && backlog() < kFloodBacklog; ++i) {
            if (video) {
                if (!playing)
                    break;
                oneVideoFrame(true);
                stepPending = false;
                if (backupDone()) {
                    closeWhenDrained();
                    break;
                }
                const int64_t adue = static_cast<int64_t>((videoIdx - firstVideoIdx) * frameMs) / audioPeriod;
                while (audioIdx < adue && !closing)
                    emitAudio(audioIdx++, mis);
            } else {
                emitAudio(audioIdx++, mis);
            }
        }
        rebase();
        publish();
        return;
    }

    if (video) {
        if (videoDue - videoIdx > 2 * fps)
            videoIdx = videoDue - 1;  // after a long pause: no burst
        while (videoIdx < videoDue && !closing) {
            if (!playing) {
                videoIdx = videoDue;
                break;
            }
            if (backlog() > kPacedBacklog)
                waitKey = true;
            oneVideoFrame(true);
            stepPending = false;
            if (backupDone()) {
                closeWhenDrained();
                break;
            }
        }
    }
    if (audioDue - audioIdx > 2000 / audioPeriod + 1)
        audioIdx = audioDue - 1;
    while (audioIdx < audioDue && !closing) {
        if (!playing || backlog() > kPacedBacklog) {
            audioIdx = audioDue;
            break;
        }
        emitAudio(audioIdx++, mis);
    }
    publish();
}

void Conn::publish()
{
    if (!isStream)
        return;
    std::unique_lock<std::mutex> lock(w->s->mutex);
    if (StreamInfo* st = w->s->findStream(info.id))
        *st = info;
    w->s->totalVideoFrames += info.videoFrames - published;
    published = info.videoFrames;
    w->s->changed.notify_all();
}

}  // namespace simdvr
