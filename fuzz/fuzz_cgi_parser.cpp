// Runs the stream connection's receive loop over a fixed buffer on arbitrary bytes.
// Input: flags byte (bit 0: big-endian lengths), read-size seed byte, then the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dvr_protocol/parser.h"
#include "fuzz_util.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#endif
#endif
#ifndef POISON
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

constexpr size_t kCapacity = 64 * 1024;

struct Packet {
    uint8_t cid;
    uint8_t type;
    std::vector<unsigned char> payload;
    bool operator==(const Packet& o) const { return cid == o.cid && type == o.type && payload == o.payload; }
};

class Loop {
public:
    // A spare byte, as the stream keeps: a corrupt packet's result points one past the scan.
    explicit Loop(bool bigEndian) : m_parser(bigEndian), m_bigEndian(bigEndian), m_buf(kCapacity + 1)
    {
        POISON(m_buf.data(), kCapacity);
    }
    ~Loop() { UNPOISON(m_buf.data(), kCapacity); }

    // One socket read: at most the free space is taken; returns the bytes taken.
    size_t Read(const unsigned char* data, size_t n)
    {
        n = std::min(n, kCapacity - m_fill);
        UNPOISON(m_buf.data() + m_fill, n);
        std::memcpy(m_buf.data() + m_fill, data, n);
        m_fill += n;
        Scan();
        if (m_fill == kCapacity) {
            // A packet larger than the buffer can never complete: start over.
            m_fill = 0;
            POISON(m_buf.data(), kCapacity);
            dropped = true;
        }
        return n;
    }

    std::vector<Packet> packets;
    bool dropped = false;

private:
    uint32_t Length(const cgi::PacketHeader& h) const
    {
        return m_bigEndian ? __builtin_bswap32(h.length) : h.length;
    }

    void Scan()
    {
        const unsigned char* const begin = m_buf.data();
        const unsigned char* const end = begin + m_fill;
        const unsigned char* pos = begin;
        const unsigned char* stx = nullptr;
        const unsigned char* etx = nullptr;
        for (;;) {
            if (m_parser.FindPacket(pos, end, &stx, &etx)) {
                CHECK(stx >= pos && etx >= stx + cgi::Parser::HEADER_SIZE);
                CHECK(etx + cgi::Parser::ETX_SIZE <= end);
                CHECK(std::memcmp(stx, cgi::Parser::STX, 4) == 0);
                CHECK(std::memcmp(etx, cgi::Parser::ETX, 4) == 0);
                const cgi::PacketHeader h = m_parser.GetPayLoad(stx);
                const size_t size = m_parser.GetDataSize(stx, etx);
                CHECK(size == Length(h) && size <= cgi::Parser::MAX_LENGTH);
                const unsigned char* data = m_parser.GetDataPoint(stx);
                CHECK(data == stx + cgi::Parser::HEADER_SIZE);
                packets.push_back({h.client_id, h.data_type, std::vector<unsigned char>(data, data + size)});
                pos = etx + cgi::Parser::ETX_SIZE;
                continue;
            }
            if (etx == end + 1) {
                // Resume just past a start code that lies inside the buffer.
                CHECK(stx >= pos + cgi::Parser::STX_SIZE && stx <= end);
                CHECK(std::memcmp(stx - cgi::Parser::STX_SIZE, cgi::Parser::STX, 4) == 0);
                pos = stx;
                continue;
            }
            CHECK(etx == end && stx >= pos && stx <= end);
            if (stx != end)
                CHECK(std::memcmp(stx, cgi::Parser::STX, 4) == 0);
            break;
        }
        const unsigned char* keep = stx;
        if (stx == end)
            keep = std::max(pos, end - std::min<size_t>(3, m_fill));
        const size_t kept = static_cast<size_t>(end - keep);
        std::memmove(m_buf.data(), keep, kept);
        POISON(m_buf.data() + kept, m_fill - kept);
        m_fill = kept;
    }

    cgi::Parser m_parser;
    bool m_bigEndian;
    std::vector<unsigned char> m_buf;
    size_t m_fill = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool bigEndian = data[0] & 1;
    uint32_t seed = data[1] | 1u;
    const unsigned char* stream = data + 2;
    const size_t n = size - 2;

    Loop chunked(bigEndian);
    size_t in = 0;
    while (in < n) {
        const size_t want = NextChunk(seed, 300);
        in += chunked.Read(stream + in, std::min(want, n - in));
    }

    // Where the buffer never overflowed, the read boundaries must not matter.
    if (!chunked.dropped && n < kCapacity) {
        Loop whole(bigEndian);
        whole.Read(stream, n);
        CHECK(whole.packets == chunked.packets);
    }
    return 0;
}
