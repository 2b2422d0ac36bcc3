#include "parser.h"

#include <cassert>
#include <cstring>

namespace cgi {

Parser::Parser(bool bigEndian) : m_bigEndian(bigEndian) {}

Parser::~Parser() = default;

const unsigned char* Parser::FindSTX(const unsigned char* begin, const unsigned char* end) const
{
    assert(begin <= end);
    const unsigned char* p = begin;
    while (end - p >= STX_SIZE) {
        // memchr on the first byte keeps junk scanning fast; the last position that can
        // still hold a whole start code is end - STX_SIZE.
        const void* hit = std::memchr(p, STX[0], static_cast<size_t>(end - p) - (STX_SIZE - 1));
        if (!hit)
            break;
        p = static_cast<const unsigned char*>(hit);
        if (p[1] == STX[1] && p[2] == STX[2] && p[3] == STX[3])
            return p;
        ++p;
    }
    return end;
}

uint32_t Parser::ReadLength(const unsigned char* stx) const
{
    const unsigned char* b = stx + 6;
    if (m_bigEndian)
        return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

const unsigned char* Parser::FindETX(const unsigned char* stx, const unsigned char* end) const
{
    assert(stx == FindSTX(stx, end));
    const size_t avail = static_cast<size_t>(end - stx);
    if (avail < size_t(PACKET_OVERHEAD))
        return end;
    const uint32_t length = ReadLength(stx);
    if (length > MAX_LENGTH)
        return end + 1;
    if (avail < size_t(length) + PACKET_OVERHEAD)
        return end;
    // The end code must sit right after the payload: no per-byte search.
    const unsigned char* etx = stx + HEADER_SIZE + length;
    if (std::memcmp(etx, ETX, ETX_SIZE) == 0)
        return etx;
    return end + 1;
}

bool Parser::FindPacket(const unsigned char* begin, const unsigned char* end,
                        const unsigned char** stx, const unsigned char** etx) const
{
    const unsigned char* s = FindSTX(begin, end);
    if (s == end) {
        *stx = end;
        *etx = end;
        return false;
    }
    const unsigned char* e = FindETX(s, end);
    if (e == end) {
        *stx = s;
        *etx = end;
        return false;
    }
    if (e == end + 1) {
        // A damaged packet costs only its start code.
        *stx = s + STX_SIZE;
        *etx = e;
        return false;
    }
    *stx = s;
    *etx = e;
    return true;
}

PacketHeader Parser::GetPayLoad(const unsigned char* stx) const
{
    assert(stx == FindSTX(stx, &stx[STX_SIZE]));
    PacketHeader h;
    h.client_id = stx[4];
    h.data_type = stx[5];
    std::memcpy(&h.length, stx + 6, sizeof h.length);
    return h;
}

}  // namespace cgi
