#pragma once

#include <string>
#include <vector>

#include "DVRInfo/HddInfo.h"

// The disks of an old DVR's information page, from its "HDD" lines.
class CInfoParser {
public:
    // Reads a whole page: the number of its disk lines sizes the list, then each line fills
    // its disk.
    void parse(const std::string& page);

    // One disk line: used and free of disk n (1 to the list size) and total = used + free.
    // A line without a disk, a disk number outside the list or a size that does not fit in
    // 64 bits changes nothing.
    void parseHdd(const std::string& line);

    void setDiskCount(int count);
    const std::vector<HDD_INFO_T>& getHddInfo() const { return m_hdd; }

private:
    std::vector<HDD_INFO_T> m_hdd;
};
