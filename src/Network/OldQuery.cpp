#include "OldQuery.h"

#include "Common/DateTime.h"
#include "DVRList.pb.h"

namespace {

// Every query is filled in one pass: substituted text (an encoded "%26") is never taken
// for a placeholder.
QString Hex(unsigned int mask) { return QString::number(mask, 16); }
QString N(qint64 value) { return QString::number(value); }

}  // namespace

bool COldQuery::UsesSubStreamModes(const DVR& dvr, int codec)
{
    return codec != 0 && dvr.protocol_type() != 0 && dvr.protocol_type() != 3;
}

QString COldQuery::Live(const DVR& dvr, int codec)
{
    return QStringLiteral("MODE=%1&ID=%2&PW=%3&VER=%4&CH=%5")
        .arg(N(UsesSubStreamModes(dvr, codec) ? 9 : 0), EncodeText(dvr.id()),
             EncodeText(dvr.password()), N(VERSION), Hex(dvr.bit_ch()));
}

QString COldQuery::Playback(const DVR& dvr, time_t startTime)
{
    return QStringLiteral("MODE=%1&STARTTIME=%2&ID=%3&PW=%4&VER=%5&CH=%6")
        .arg(N(2), TimeText(startTime), EncodeText(dvr.id()), EncodeText(dvr.password()),
             N(VERSION), Hex(dvr.bit_ch()));
}

QString COldQuery::Backup(const DVR& dvr, time_t startTime, time_t endTime)
{
    return QStringLiteral("MODE=%1&STARTTIME=%2&ENDTIME=%3&ID=%4&PW=%5&VER=%6&CH=%7")
        .arg(N(2), TimeText(startTime), TimeText(endTime), EncodeText(dvr.id()),
             EncodeText(dvr.password()), N(VERSION), Hex(dvr.bit_ch()));
}

QString COldQuery::Audio(const DVR& dvr, int streamMode, int codec, int videoClientId)
{
    int mode = 3;
    if (streamMode == 0)
        mode = UsesSubStreamModes(dvr, codec) ? 10 : 1;
    return QStringLiteral("MODE=%1&ID=%2&PW=%3&VER=%4&CH=%5&CID=%6")
        .arg(N(mode), EncodeText(dvr.id()), EncodeText(dvr.password()), N(VERSION),
             Hex(dvr.bit_ch()), N(videoClientId + 100));
}

QString COldQuery::StreamStop(int cid)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3").arg(N(5), N(cid), N(5));
}

QString COldQuery::Record(int cid)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3").arg(N(5), N(cid), N(11));
}

QString COldQuery::StreamChannel(int cid, unsigned int channelMask)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3&CH=%4").arg(N(5), N(cid), N(3), Hex(channelMask));
}

QString COldQuery::EMapChannel(int cid, unsigned int channelMask)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3&CH=%4").arg(N(5), N(cid), N(6), Hex(channelMask));
}

QString COldQuery::PbButton(int cid, QChar button)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3&LEN=1&REQ=%4")
        .arg(N(5), N(cid), N(8), QString(button));
}

QString COldQuery::Ptz(int cid, int channel, const QString& request)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3&CH=%4&LEN=%5&REQ=%6")
        .arg(N(5), N(cid), N(7), N(channel), N(request.length()), request);
}

QString COldQuery::Relay(int cid, const QString& request)
{
    return QStringLiteral("MODE=%1&CID=%2&OP=%3&LEN=%4&REQ=%5")
        .arg(N(5), N(cid), N(20), N(request.length()), request);
}

QString COldQuery::SetClock(const DVR& dvr, const QString& request)
{
    return QStringLiteral("MODE=%1&OP=%2&ID=%3&PW=%4&LEN=%5&REQ=%6")
        .arg(N(5), N(19), EncodeText(dvr.id()), EncodeText(dvr.password()),
             N(request.length()), request);
}

QString COldQuery::Reset(const DVR& dvr)
{
    return QStringLiteral("MODE=%1&ID=%2&PW=%3&OP=%4")
        .arg(N(5), EncodeText(dvr.id()), EncodeText(dvr.password()), N(18));
}

QString COldQuery::ReadInfo(const DVR& dvr)
{
    return QStringLiteral("MODE=%1&ID=%2&PW=%3&OP=%4")
        .arg(N(6), EncodeText(dvr.id()), EncodeText(dvr.password()), N(17));
}

QString COldQuery::Search(int cid) { return QStringLiteral("MODE=%1&CID=%2").arg(N(7), N(cid)); }

QString COldQuery::EncodeText(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7F || b == '&' || b == '%' || b == '#') {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0xF]);
        } else {
            out += QLatin1Char(c);
        }
    }
    return out;
}

QString COldQuery::TimeText(time_t dvrTime)
{
    return CDateTime::convert_Timet_QDateTime(dvrTime).toString(QStringLiteral("yyMMddhhmmss"));
}
