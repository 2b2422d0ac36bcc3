// Byte builders of what a DVR sends, and the small accessors of a logged request.
#include <set>
#include <tuple>

#include <QDateTime>
#include <QStringEncoder>

#include "dvr_protocol/urlcodec.h"
#include "sim/SimDvr.h"

namespace simdvr {

namespace {

void PutLE(QByteArray& b, int offset, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        b[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBE(QByteArray& b, int offset, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        b[offset + i] = static_cast<char>((value >> (8 * (size - 1 - i))) & 0xFF);
}

// Recording kind 1..3 to the old protocol's code byte (0 and 3 both read as kind 1).
int OldKindCode(uint32_t kind)
{
    switch (kind) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    default: return -1;
    }
}

QByteArray OldSearchRecord(uint32_t start, uint32_t end, uint32_t mask, const uint8_t codes[16])
{
    QByteArray r(32, '\0');
    PutBE(r, 0, start, 4);
    PutBE(r, 4, end, 4);
    PutBE(r, 12, mask, 4);
    for (int c = 0; c < 16; ++c)
        r[16 + c] = static_cast<char>(codes[c]);
    return r;
}

}  // namespace

QByteArray MakePacketHead(uint8_t clientId, uint8_t dataType, uint32_t length, bool bigEndian)
{
    QByteArray p("\xFB\xFB\xFB\xFC", 4);
    p.append(static_cast<char>(clientId));
    p.append(static_cast<char>(dataType));
    QByteArray len(4, '\0');
    if (bigEndian)
        PutBE(len, 0, length, 4);
    else
        PutLE(len, 0, length, 4);
    p.append(len);
    return p;
}

QByteArray MakePacket(uint8_t clientId, uint8_t dataType, const QByteArray& payload, bool bigEndian)
{
    QByteArray p;
    p.reserve(payload.size() + 14);
    p.append(MakePacketHead(clientId, dataType, static_cast<uint32_t>(payload.size()), bigEndian));
    p.append(payload);
    p.append("\xFB\xFB\xFB\xFD", 4);
    return p;
}

QByteArray MakeCFrameHeader(const FrameFields& f)
{
    QByteArray h(f.type == 3 ? 40 : 36, '\0');
    h[0] = static_cast<char>(f.type);
    h[1] = static_cast<char>(f.channel);
    h[2] = static_cast<char>(f.recordReason);
    PutLE(h, 4, f.frameSize, 4);
    PutLE(h, 8, static_cast<uint16_t>(f.width), 2);
    PutLE(h, 10, static_cast<uint16_t>(f.height), 2);
    PutLE(h, 12, static_cast<uint32_t>(f.timeSec), 4);
    PutLE(h, 16, static_cast<uint32_t>(f.timeUsec), 4);
    return h;
}

QByteArray MakeCUFrameHeader(const FrameFields& f)
{
    QByteArray h(80, '\0');
    h[0] = 'U';
    h[1] = 'M';
    PutBE(h, 2, 80, 4);
    PutBE(h, 8, f.frameSize, 4);  // the data follows the header at once
    h[12] = static_cast<char>(f.info);
    h[13] = static_cast<char>((f.recordReason & 0x03) | ((f.pbCode & 0x1F) << 3));
    PutBE(h, 14, f.videoLoss, 2);
    h[16] = static_cast<char>(f.model);
    const uint32_t code = f.type == 3 ? 3u : (f.type == 1 ? 1u : 0u);
    PutBE(h, 17, (f.frameSize & 0xFFFFFu) | (code << 22), 4);
    PutBE(h, 37, static_cast<uint32_t>(f.timeSec), 4);
    PutBE(h, 41, static_cast<uint32_t>(f.timeUsec), 4);
    PutBE(h, 53, static_cast<uint32_t>(f.channel), 4);
    PutBE(h, 57, f.frameSize, 4);
    return h;
}

uint8_t CUFrameResolutionInfo(int width, int height)
{
    int code = 2;
    if (width == 704 && height == 240)
        code = 0;
    else if (width == 352 && height == 240)
        code = 1;
    else if (width == 704 && height == 480)
        code = 2;
    else if (width == 704 && height == 288)
        code = 4;
    else if (width == 352 && height == 288)
        code = 5;
    else if (width == 704 && height == 576)
        code = 3;
    return static_cast<uint8_t>(((code & 0x3) << 1) | ((code >> 2) << 6));
}

QByteArray MakeOldDvrRecord(int channels, uint16_t availableMask, const QStringList& names)
{
    QByteArray r(214, '\0');
    r[0] = static_cast<char>(channels);
    PutBE(r, 2, availableMask, 2);
    QStringEncoder euckr("EUC-KR");
    for (int i = 0; i < 16 && i < names.size(); ++i) {
        QByteArray name = euckr.isValid() ? QByteArray(euckr.encode(names[i])) : names[i].toLatin1();
        name.truncate(12);  // the slot keeps its NUL
        for (int k = 0; k < name.size(); ++k)
            r[6 + 13 * i + k] = name[k];
    }
    return r;
}

QByteArray MakeOldSearchRecords(const std::vector<Span>& spans, uint32_t dvrTime)
{
    const uint8_t none[16] = {};
    QByteArray out = OldSearchRecord(dvrTime, 0, 0, none);
    for (const Span& s : spans) {
        uint8_t codes[16];
        uint32_t mask = 0;
        for (int c = 0; c < 16; ++c) {
            const int code = c < static_cast<int>(s.reasons.size()) ? OldKindCode(s.reasons[c]) : -1;
            codes[c] = code < 0 ? 0xFF : static_cast<uint8_t>(code);
            if (code >= 0 && (s.chmask & (1u << c)))
                mask |= 1u << c;
        }
        if (mask == 0 || s.end < s.start)
            continue;
        for (uint64_t m = s.start / 60 * 60ull; m <= s.end; m += 60)
            out += OldSearchRecord(static_cast<uint32_t>(m), static_cast<uint32_t>(m + 59), mask, codes);
    }
    out += OldSearchRecord(0xFFFFFFFFu, 0xFFFFFFFFu, 255, none);
    return out;
}

cgi::CalData MakeCalData(const std::vector<Span>& spans, uint32_t dvrTime, uint32_t version)
{
    cgi::CalData cal;
    cal.set_dvr_time(dvrTime);
    cal.set_version(version);
    std::set<std::tuple<int, int, int, int>> hours;
    for (const Span& s : spans) {
        cgi::CalItem* item = cal.add_items();
        item->set_start_time(s.start);
        item->set_end_time(s.end);
        item->set_record_chmask(s.chmask);
        for (uint32_t r : s.reasons)
            item->add_record_reason(r);
        if (version == 0 || s.end < s.start)
            continue;
        for (uint64_t h = s.start / 3600 * 3600ull; h <= s.end; h += 3600) {
            const QDateTime t = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(h), Qt::UTC);
            hours.insert({t.date().year(), t.date().month(), t.date().day(), t.time().hour()});
        }
    }
    for (const auto& [y, mo, d, h] : hours) {
        cgi::CalHourItem* item = cal.add_hours();
        item->set_year(static_cast<uint32_t>(y));
        item->set_mon(static_cast<uint32_t>(mo));
        item->set_mday(static_cast<uint32_t>(d));
        item->set_hour(static_cast<uint32_t>(h));
    }
    return cal;
}

QByteArray Request::header(const QByteArray& name) const
{
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return QByteArray();
}

bool Request::hasParam(const QByteArray& key) const
{
    for (const auto& p : params)
        if (p.first == key)
            return true;
    return false;
}

QByteArray Request::param(const QByteArray& key) const
{
    for (const auto& p : params)
        if (p.first == key)
            return p.second;
    return QByteArray();
}

QByteArray Request::paramDecoded(const QByteArray& key) const
{
    const QByteArray value = param(key);
    QByteArray out(value.size() + 1, '\0');
    int len = 0;
    if (urldecode(value.constData(), out.data(), static_cast<size_t>(out.size()), &len) != 0)
        return QByteArray();
    out.truncate(len);
    return out;
}

}  // namespace simdvr
