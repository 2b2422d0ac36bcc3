// Feeds arbitrary bytes in chunks to the copying packet parser.
// Input: flags byte (bit 0: big-endian lengths), chunk-size seed byte, then the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Common/DataParser.h"
#include "fuzz_util.h"

namespace {

uint64_t Length(const char* p, bool bigEndian)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    if (bigEndian)
        return (uint64_t(b[0]) << 24) | (uint64_t(b[1]) << 16) | (uint64_t(b[2]) << 8) | b[3];
    return uint64_t(b[0]) | (uint64_t(b[1]) << 8) | (uint64_t(b[2]) << 16) | (uint64_t(b[3]) << 24);
}

// What a parser may hold once it has nothing more to hand out: a few bytes without a start
// code, or the start of one packet that is still incomplete or waiting for its end code.
void CheckBounded(const CDataParser& p, bool bigEndian)
{
    const size_t n = p.getBufferedSize();
    const char* d = p.getBufferedData();
    if (n < 4)
        return;
    CHECK(std::memcmp(d, START_CODE.data(), 4) == 0);
    if (n < 10)
        return;
    const uint64_t length = Length(d + 6, bigEndian);
    CHECK(length <= CDataParser::MAX_LENGTH);
    CHECK(n <= 13 + length + CDataParser::LATE_END_CODE);
}

struct Packet {
    std::string bytes;  // start code, header and payload as in the stream
    bool operator==(const Packet& o) const { return bytes == o.bytes; }
};

void Drain(CDataParser& p, bool bigEndian, const char* data, size_t n, const std::string& input,
           std::vector<Packet>& out)
{
    bool found = p.setReceivedData(bigEndian, data, static_cast<unsigned int>(n));
    while (found) {
        const std::vector<char>& r = p.getResultData();
        CHECK(r.size() == p.getFrameSize(bigEndian));
        CHECK(r.size() <= CDataParser::MAX_LENGTH);
        // The packet must be in the input exactly as handed out.
        std::string packet(START_CODE.begin(), START_CODE.end());
        packet.push_back(static_cast<char>(p.getClientID()));
        packet.push_back(static_cast<char>(p.getDataType()));
        const unsigned int len = p.getFrameSize(bigEndian);
        for (int i = 0; i < 4; ++i)
            packet.push_back(static_cast<char>(len >> (bigEndian ? 24 - 8 * i : 8 * i)));
        packet.append(r.begin(), r.end());
        CHECK(input.find(packet) != std::string::npos);
        out.push_back({packet});
        found = p.setReceivedData(bigEndian, nullptr, 0);
    }
    CheckBounded(p, bigEndian);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool bigEndian = data[0] & 1;
    uint32_t seed = data[1] | 1u;
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);

    CDataParser chunked;
    std::vector<Packet> got;
    size_t in = 0;
    while (in < input.size()) {
        const size_t n = std::min<size_t>(NextChunk(seed, 200), input.size() - in);
        Drain(chunked, bigEndian, input.data() + in, n, input, got);
        in += n;
    }

    // Read boundaries must not change what comes out.
    CDataParser whole;
    std::vector<Packet> once;
    Drain(whole, bigEndian, input.data(), input.size(), input, once);
    CHECK(once == got);
    CHECK(whole.getBufferedSize() == chunked.getBufferedSize());
    return 0;
}
