// Writes a DVR list file naming simulated DVRs, for trying the client by hand.
// Usage: zavo-demolist FILE "Group name" NAME@PORT:CHANNELS[:old] ... ["Group name" ...]
#include <cstdio>
#include <string>

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include "Common/PBFile.h"
#include "GroupList.pb.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: zavo-demolist FILE GROUP NAME@PORT:CHANNELS[:old] ... [GROUP ...]\n");
        return 2;
    }
    GroupList list;
    Group* group = nullptr;
    for (const QString& arg : args.mid(1)) {
        const int at = arg.indexOf(QLatin1Char('@'));
        if (at < 0) {
            group = list.add_group();
            group->set_name(arg.toStdString());
            continue;
        }
        const QStringList parts = arg.mid(at + 1).split(QLatin1Char(':'));
        bool portOk = false, channelsOk = false;
        const int port = parts.value(0).toInt(&portOk);
        const int channels = parts.value(1).toInt(&channelsOk);
        if (!group || !portOk || !channelsOk || (channels != 4 && channels != 8 && channels != 16)) {
            std::fprintf(stderr, "bad DVR \"%s\" (a group name first, then NAME@PORT:4|8|16[:old])\n", qPrintable(arg));
            return 2;
        }
        const bool old = parts.value(2) == QLatin1String("old");
        DVR* dvr = group->add_dvr();
        dvr->set_name(arg.left(at).toStdString());
        dvr->set_address("127.0.0.1");
        dvr->set_port(port);
        dvr->set_id("admin");
        dvr->set_password("1234");
        dvr->set_chnum(channels);
        dvr->set_bit_ch((1u << channels) - 1);
        dvr->set_old_protocol(old);
        dvr->set_protocol_type(old ? 0 : 1);
    }
    if (!CPBFile(QFile::encodeName(args[0]).toStdString(), PB_DVRLIST_FILECODE).Save(list))
        return 1;
    return 0;
}
