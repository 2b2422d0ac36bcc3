// Seeds for fuzz_search_data: a current reply with spans and listed hours, an old reply
// with its end record, and two ".qdx" minute records.
#include <QtEndian>

#include "Common/QdxRecord.h"
#include "cal_data.pb.h"
#include "corpus_util.h"

int main(int argc, char** argv)
{
    cgi::CalData cal;
    cal.set_dvr_time(1600000000);
    cal.set_version(1);
    cgi::CalItem* item = cal.add_items();
    item->set_start_time(1599990030);
    item->set_end_time(1599993700);
    item->set_record_chmask(0x8005);
    for (int c = 0; c < 16; ++c)
        item->add_record_reason(c % 4);
    cgi::CalHourItem* hour = cal.add_hours();
    hour->set_year(2020);
    hour->set_mon(9);
    hour->set_mday(13);
    hour->set_hour(10);

    std::string old(64, '\0');
    qToBigEndian<qint32>(1600000000, &old[0]);
    qToBigEndian<qint32>(1599990000, &old[32]);
    qToBigEndian<qint32>(1599990030, &old[36]);
    qToBigEndian<quint32>(0x3, &old[44]);
    old[49] = 2;
    old.append(std::string(8, '\xff') + std::string(7, '\0') + '\xff' + std::string(16, '\0'));

    std::string qdx;
    for (uint32_t m = 0; m < 2; ++m) {
        QdxMinuteRecord r{};
        r.start_time = qToLittleEndian<uint32_t>(1599990000 + 60 * m);
        r.end_time = qToLittleEndian<uint32_t>(1599990059 + 60 * m);
        r.record_chmask = qToLittleEndian<uint32_t>(0x1 << m);
        r.record_reason[m] = 3;
        qdx.append(reinterpret_cast<const char*>(&r), sizeof(r));
    }

    return corpus::WriteSeeds(argc, argv, {cal.SerializeAsString(), old, qdx});
}
