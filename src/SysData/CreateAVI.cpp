#include "CreateAVI.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <deque>
#include <vector>

#include <QDir>
#include <QFile>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

#include "Common/DecodeAudio.h"
#include "Common/DecodeVideo.h"
#include "Common/Frame.h"
#include "Common/XvidCodec.h"
#include "SysData/RecordFiles.h"

namespace {

constexpr double DEFAULT_RATE = 30;
constexpr int IO_BUFFER = 64 * 1024;
// Disk space is reserved in steps, with room for the index entries of every packet (an idx1
// entry and, past 1 GiB, an OpenDML one), the chunk header of the next packet and the header
// (about 10 KiB with two streams).
constexpr int64_t RESERVE_STEP = 256 * 1024;
constexpr int64_t RESERVE_MARGIN = 32 * 1024;
constexpr int64_t INDEX_ENTRY_BYTES = 16 + 8;
constexpr int64_t CHUNK_HEADER_BYTES = 9;  // fourcc, size, padding byte

struct Held {
    bool video = true;
    bool key = false;
    double time = 0;  // seconds
    std::vector<uint8_t> data;
};

}  // namespace

struct CCreateAVI::Impl {
    struct Channel {
        AVFormatContext* ctx = nullptr;
        AVStream* video = nullptr;
        AVStream* audio = nullptr;
        QString path;
        int fd = -1;
        int64_t pos = 0;             // where the muxer writes next
        int64_t end = 0;             // end of the bytes written
        int64_t reserved = 0;        // bytes of the file allocated on the disk
        int64_t chunks = 0;          // packets written, one index entry each
        bool started = false;        // header written
        double firstTime = 0;
        int64_t frames = 0;          // video frames written
        int64_t samples = 0;         // audio samples written
        std::deque<Held> held;       // before the header
        CDecodeAudio decoder;
    };

    QString folder;
    RecordDvr dvr;
    bool audio = true;
    QString error;
    QStringList files;
    Channel ch[MAX_CHANNELS];
    bool failed = false;
    int64_t checkedSecond = -1;  // video time of the last look for removed files

    // The first failure is the one the operator is told about.
    bool fail(Channel& c, const char* what, int err)
    {
        if (!failed) {
            char text[AV_ERROR_MAX_STRING_SIZE] = {};
            av_strerror(err, text, sizeof text);
            // Whatever the write reported: the name may hold another file by now.
            const QString reason = RecordFileRemoved(c.fd) ? RecordFileGoneReason() : QString::fromLocal8Bit(text);
            error = QStringLiteral("%1 %2 (%3)").arg(QString::fromLatin1(what), QDir::toNativeSeparators(c.path), reason);
        }
        failed = true;
        return false;
    }

    static int WriteIo(void* opaque, uint8_t* buf, int size)
    {
        Channel& c = *static_cast<Channel*>(opaque);
        if (RecordFileRemoved(c.fd))
            return AVERROR(ENOENT);
        for (int done = 0; done < size;) {
            const ssize_t n = ::pwrite(c.fd, buf + done, static_cast<size_t>(size - done), c.pos);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return AVERROR(n < 0 ? errno : ENOSPC);
            done += static_cast<int>(n);
            c.pos += n;
            c.end = std::max(c.end, c.pos);
        }
        return size;
    }

    static int64_t SeekIo(void* opaque, int64_t offset, int whence)
    {
        Channel& c = *static_cast<Channel*>(opaque);
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET: c.pos = offset; break;
        case SEEK_CUR: c.pos += offset; break;
        case SEEK_END: c.pos = c.end + offset; break;
        case AVSEEK_SIZE: return c.end;
        default: return AVERROR(EINVAL);
        }
        return c.pos;
    }

    // Allocates the disk space for `bytes` more and for the index and header the file is
    // finished with, before the muxer gets them: when the disk fills up, the files written so
    // far can still be finished.
    bool reserve(Channel& c, int64_t bytes)
    {
        const int64_t need = avio_tell(c.ctx->pb) + bytes + INDEX_ENTRY_BYTES * (c.chunks + 1) + RESERVE_MARGIN;
        if (need <= c.reserved)
            return true;
        int64_t upTo = std::max(need, c.reserved + RESERVE_STEP);
        int err = posix_fallocate(c.fd, c.reserved, upTo - c.reserved);
        if (err != 0 && upTo > need) {
            upTo = need;  // no whole step left on the disk: only what this needs
            err = posix_fallocate(c.fd, c.reserved, upTo - c.reserved);
        }
        if (err != 0)
            return fail(c, "Cannot write", AVERROR(err));
        c.reserved = upTo;
        return true;
    }

    // Closes the file of a channel; one without a video frame is removed.
    void release(Channel& c)
    {
        if (c.ctx) {
            if (c.ctx->pb) {
                avio_flush(c.ctx->pb);
                av_freep(&c.ctx->pb->buffer);
                avio_context_free(&c.ctx->pb);
            }
            avformat_free_context(c.ctx);
        }
        if (c.fd >= 0) {
            // The space reserved past the end goes back.
            if (::ftruncate(c.fd, c.end) != 0 && !failed)
                fail(c, "Cannot write", AVERROR(errno));
            ::close(c.fd);
            if (c.frames == 0) {
                QFile::remove(c.path);
                files.removeAll(c.path);
            }
        }
        c.ctx = nullptr;
        c.video = c.audio = nullptr;
        c.fd = -1;
        c.pos = c.end = c.reserved = c.chunks = 0;
        c.started = false;
        c.held.clear();
        c.frames = c.samples = 0;
    }

    // "<folder>/<yyyyMMdd_hhmmss>_<channel>.avi" of the first second from `time` on whose
    // file does not exist yet: an earlier recording is never overwritten. Built from its
    // parts, so a "%" in the folder or the DVR name stays what it is.
    QString freePath(int channel, unsigned int time) const
    {
        const QString suffix = QLatin1Char('_') + QStringLiteral("%1").arg(channel + 1, 2, 10, QLatin1Char('0')) +
                               QLatin1String(recfile::AVI_SUFFIX);
        QString path = folder + QLatin1Char('/') + RecordFileTime(time) + suffix;
        while (QFile::exists(path))
            path = folder + QLatin1Char('/') + RecordFileTime(++time) + suffix;
        return path;
    }

    bool create(Channel& c, int channel, const FrameFacts& f, ProtocolType type, double time)
    {
        c.path = freePath(channel, static_cast<unsigned int>(time));
        const QByteArray name = QFile::encodeName(c.path);
        int err = avformat_alloc_output_context2(&c.ctx, nullptr, "avi", name.constData());
        if (err < 0 || !c.ctx)
            return fail(c, "Cannot create", err);
        c.video = avformat_new_stream(c.ctx, nullptr);
        if (!c.video)
            return fail(c, "Cannot create", AVERROR(ENOMEM));
        AVCodecParameters* v = c.video->codecpar;
        v->codec_type = AVMEDIA_TYPE_VIDEO;
        v->width = f.resolution.width;
        v->height = f.resolution.height;
        if (type == PROTOCOL_CUFRAME_MPEG4) {
            v->codec_id = AV_CODEC_ID_MPEG4;
            v->codec_tag = MKTAG('D', 'X', '5', '0');
            // The stream has no VOL header: the file carries the one the decoder uses.
            v->extradata = static_cast<uint8_t*>(av_mallocz(CXvidCodec::HEADER_SIZE + AV_INPUT_BUFFER_PADDING_SIZE));
            CXvidCodec::MakeMP4SeqHdr(v->width, v->height, v->height >= 480, v->extradata);
            v->extradata_size = CXvidCodec::HEADER_SIZE;
        } else {
            v->codec_id = AV_CODEC_ID_H264;
            v->codec_tag = MKTAG('H', '2', '6', '4');
        }
        if (audio) {
            c.audio = avformat_new_stream(c.ctx, nullptr);
            if (!c.audio)
                return fail(c, "Cannot create", AVERROR(ENOMEM));
            AVCodecParameters* a = c.audio->codecpar;
            a->codec_type = AVMEDIA_TYPE_AUDIO;
            a->codec_id = AV_CODEC_ID_PCM_S16LE;
            a->sample_rate = AUDIO_RATE;
            av_channel_layout_default(&a->ch_layout, 1);
            a->bits_per_coded_sample = 16;
            a->block_align = 2;
            a->bit_rate = AUDIO_RATE * 16;
            c.audio->time_base = AVRational{1, AUDIO_RATE};
        }
        c.fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (c.fd < 0)
            return fail(c, "Cannot create", AVERROR(errno));
        files << c.path;
        auto* buffer = static_cast<unsigned char*>(av_malloc(IO_BUFFER));
        c.ctx->pb = buffer ? avio_alloc_context(buffer, IO_BUFFER, 1, &c, nullptr, WriteIo, SeekIo) : nullptr;
        if (!c.ctx->pb) {
            av_free(buffer);
            return fail(c, "Cannot create", AVERROR(ENOMEM));
        }
        c.firstTime = time;
        // Room for the header from the start: a file begun is a file that can be finished.
        return reserve(c, 0);
    }

    // The rate of the held frames: frames per second of time stamp, over the window.
    static double measureRate(const Channel& c)
    {
        int n = 0;
        double last = c.firstTime;
        for (const Held& h : c.held) {
            if (!h.video)
                continue;
            ++n;
            last = h.time;
        }
        if (n >= 2 && last > c.firstTime) {
            // Frame gaps per second of time stamps.
            const double rate = (n - 1) / (last - c.firstTime);
            if (rate >= 1 && rate <= 120)
                return rate;
        }
        return DEFAULT_RATE;
    }

    bool startFile(Channel& c)
    {
        const double rate = measureRate(c);
        const AVRational r = av_d2q(rate, 100000);
        c.video->time_base = av_inv_q(r);
        c.video->avg_frame_rate = r;
        c.video->r_frame_rate = r;
        if (!reserve(c, 0))
            return false;
        const int err = avformat_write_header(c.ctx, nullptr);
        if (err < 0)
            return fail(c, "Cannot write", err);
        c.started = true;
        while (!c.held.empty()) {
            Held h = std::move(c.held.front());
            c.held.pop_front();
            if (!put(c, h.video, h.key, h.data.data(), h.data.size()))
                return false;
        }
        return true;
    }

    bool put(Channel& c, bool video, bool key, const uint8_t* data, size_t size)
    {
        AVStream* s = video ? c.video : c.audio;
        if (!s)
            return true;
        if (!reserve(c, CHUNK_HEADER_BYTES + static_cast<int64_t>(size)))
            return false;
        AVPacket* pkt = av_packet_alloc();
        if (!pkt || av_new_packet(pkt, static_cast<int>(size)) < 0) {
            av_packet_free(&pkt);
            return fail(c, "Cannot write", AVERROR(ENOMEM));
        }
        std::memcpy(pkt->data, data, size);
        pkt->stream_index = s->index;
        if (video) {
            pkt->pts = pkt->dts = c.frames++;
            pkt->duration = 1;
            if (key)
                pkt->flags |= AV_PKT_FLAG_KEY;
            av_packet_rescale_ts(pkt, AVRational{c.video->time_base.num, c.video->time_base.den}, s->time_base);
        } else {
            const int n = static_cast<int>(size / 2);
            pkt->pts = pkt->dts = av_rescale_q(c.samples, AVRational{1, AUDIO_RATE}, s->time_base);
            pkt->duration = av_rescale_q(n, AVRational{1, AUDIO_RATE}, s->time_base);
            pkt->flags |= AV_PKT_FLAG_KEY;
            c.samples += n;
        }
        // In the order they come: the muxer's interleaving would hold packets back, out of reach
        // of the reservation.
        const int err = av_write_frame(c.ctx, pkt);
        av_packet_free(&pkt);
        if (err < 0)
            return fail(c, "Cannot write", err);
        ++c.chunks;
        return true;
    }

    bool take(Channel& c, bool video, bool key, double time, const uint8_t* data, size_t size)
    {
        if (c.started)
            return put(c, video, key, data, size);
        c.held.push_back(Held{video, key, time, std::vector<uint8_t>(data, data + size)});
        if (video && time - c.firstTime >= RATE_WINDOW_MS / 1000.0)
            return startFile(c);
        return true;
    }

    // Writes the channel's index and header (and first its held frames) and closes it.
    bool finish(Channel& c)
    {
        // A removed file is only let go: nothing written into it would be kept.
        if (RecordFileRemoved(c.fd)) {
            fail(c, "Cannot write", AVERROR(ENOENT));
            release(c);
            return false;
        }
        bool ok = true;
        if (c.ctx && !c.started)
            ok = startFile(c);
        if (c.started) {
            const int err = av_write_trailer(c.ctx);
            if (err < 0)
                ok = fail(c, "Cannot write", err);
        }
        release(c);
        return ok;
    }

    // One frame packet payload of a CCreateAVI::writeFrame.
    bool write(bool oldProtocol, const unsigned char* data, size_t length);

    // Once per second of video: a channel whose data sit in a buffer or in frames held back
    // would otherwise hear of its removed file only when they are written, if ever.
    bool checkRemoved(int64_t second)
    {
        if (second == checkedSecond)
            return true;
        checkedSecond = second;
        for (Channel& c : ch)
            if (RecordFileRemoved(c.fd))
                return fail(c, "Cannot write", AVERROR(ENOENT));
        return true;
    }

    // Every file finished as far as it can be.
    bool finishAll()
    {
        bool ok = true;
        for (Channel& c : ch)
            ok = finish(c) && ok;
        return ok;
    }
};

CCreateAVI::CCreateAVI() : d(new Impl) {}

CCreateAVI::~CCreateAVI() { close(); }

QString CCreateAVI::error() const { return d->error; }

QStringList CCreateAVI::files() const { return d->files; }

void CCreateAVI::open(const QString& folder, const RecordDvr& dvr, bool audio)
{
    close();
    d->folder = folder;
    d->dvr = dvr;
    d->audio = audio;
    d->error.clear();
    d->files.clear();
    d->failed = false;
    d->checkedSecond = -1;
}

void CCreateAVI::setDvr(const RecordDvr& dvr) { d->dvr = dvr; }

bool CCreateAVI::writeFrame(bool oldProtocol, const unsigned char* data, size_t length)
{
    if (d->failed)
        return false;
    if (d->write(oldProtocol, data, length))
        return true;
    d->finishAll();
    return false;
}

bool CCreateAVI::Impl::write(bool oldProtocol, const unsigned char* data, size_t length)
{
    FrameFacts f;
    if (!ReadFrameHeader(oldProtocol, data, length, &f) || !f.fits || f.channel >= MAX_CHANNELS)
        return true;
    Channel& c = ch[f.channel];
    const double time = static_cast<double>(f.time.sec) + f.time.usec / 1e6;
    const unsigned char* coded = data + f.offset;

    if (f.kind == FRAME_AUDIO) {
        if (!c.ctx || !audio)
            return true;
        std::vector<short> pcm(static_cast<size_t>(CDecodeAudio::getDecodedSize(oldProtocol)));
        const int n = c.decoder.DecodeFrame(oldProtocol, coded, static_cast<int>(f.rawSize), pcm.data(),
                                            static_cast<int>(pcm.size()));
        if (n <= 0)
            return true;
        return take(c, false, false, time, reinterpret_cast<const uint8_t*>(pcm.data()),
                       static_cast<size_t>(n) * sizeof(short));
    }

    if (!checkRemoved(f.time.sec))
        return false;
    const ProtocolType type = RecordProtocolType(oldProtocol, oldProtocol ? f.model : dvr.model);
    if (!c.ctx) {
        if (f.kind != FRAME_KEY)
            return true;  // a file starts at its channel's first key frame
        if (!create(c, f.channel, f, type, time))
            return false;
    }
    const bool key = f.kind == FRAME_KEY;
    if (key && type == PROTOCOL_CUFRAME_H264) {
        // These key frames come without parameter sets: a player needs them in the file.
        std::vector<uint8_t> out(SEQH_MAX_LENGTH + f.rawSize);
        const size_t n = MakeDecodeFrame(coded, f.rawSize, f.resolution.width, f.resolution.height, out.data());
        return take(c, true, true, time, out.data(), n);
    }
    return take(c, true, key, time, coded, f.rawSize);
}

bool CCreateAVI::close()
{
    const bool ok = !d->failed;
    return d->finishAll() && ok;
}
