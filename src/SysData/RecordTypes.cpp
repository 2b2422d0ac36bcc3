#include "RecordTypes.h"

#include <sys/stat.h>

#include <QFile>

#include "Common/DateTime.h"
#include "Common/TextCodec.h"
#include "cgi_response.pb.h"

RecordDvr RecordDvr::FromInfo(const QString& name, const cgi::DvrInfo& info)
{
    RecordDvr dvr;
    dvr.name = name;
    dvr.channels = static_cast<int>(std::min<uint32_t>(info.ch_num(), 16));
    dvr.model = static_cast<int>(info.model());
    dvr.videoType = static_cast<int>(info.vtype());
    dvr.channelMask = info.available_chmask() & 0xFFFF;
    for (int i = 0; i < info.ch_name_size() && i < 16; ++i)
        dvr.titles << CTextCodec::FromEucKr(info.ch_name(i));
    return dvr;
}

ProtocolType RecordProtocolType(bool oldProtocol, int model)
{
    if (!oldProtocol)
        return PROTOCOL_CFRAME_H264;
    return CUFrame::ProtocolTypeOf(model);
}

QString RecordFolderName(const QString& dvrName)
{
    QString name;
    name.reserve(dvrName.size());
    for (const QChar c : dvrName)
        name += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.category() == QChar::Other_Control)
                    ? QLatin1Char('_')
                    : c;
    name.replace(QLatin1String(".."), QLatin1String("__"));
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String("."))
        return QStringLiteral("DVR");
    return name;
}

QString RecordFileTime(unsigned int seconds)
{
    return CDateTime::convert_Timet_QDateTime(seconds).toString(QLatin1String(CDateTime::FILE_TIME_FORMAT));
}

bool RecordFileRemoved(int fd)
{
    struct stat st;
    return fd >= 0 && ::fstat(fd, &st) == 0 && st.st_nlink == 0;
}

bool RecordFileAt(int fd, const QString& path)
{
    struct stat open, named;
    return fd >= 0 && ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

QString RecordFileGoneReason() { return QStringLiteral("the file was removed or replaced"); }
