#include "DVRInfo/InfoParser.h"

#include <charconv>

#include "DVRInfo/HddParser.h"

namespace {

bool ReadMegabytes(const std::string& digits, uint64_t* out)
{
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, *out);
    return ec == std::errc() && ptr == end;
}

std::vector<std::string> Lines(const std::string& page)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= page.size()) {
        size_t end = page.find('\n', start);
        if (end == std::string::npos)
            end = page.size();
        lines.push_back(page.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

void CInfoParser::parse(const std::string& page)
{
    const std::vector<std::string> lines = Lines(page);
    CHddParser hdd;
    int disks = 0;
    for (const std::string& line : lines) {
        hdd.parse(line);
        if (!hdd.getResult().empty())
            ++disks;
    }
    setDiskCount(disks);
    for (const std::string& line : lines)
        parseHdd(line);
}

void CInfoParser::parseHdd(const std::string& line)
{
    CHddParser hdd;
    hdd.parse(line);
    const std::vector<std::string>& result = hdd.getResult();
    if (result.size() != 3)
        return;
    const size_t disk = static_cast<size_t>(result[0][0] - '0');
    HDD_INFO_T info;
    if (disk < 1 || disk > m_hdd.size() || !ReadMegabytes(result[1], &info.used)
        || !ReadMegabytes(result[2], &info.free) || info.used > UINT64_MAX - info.free)
        return;
    info.total = info.used + info.free;
    m_hdd[disk - 1] = info;
}

void CInfoParser::setDiskCount(int count)
{
    m_hdd.assign(static_cast<size_t>(count < 0 ? 0 : count), HDD_INFO_T());
}
