#pragma once

// Cuts a DVR reply or stream into packets, in place in the caller's buffer:
//   FB FB FB FC | client id (u8) | data type (u8) | length L (u32) | L payload bytes | FB FB FB FD
// The byte order of L is not in the packet; the connection knows it.

#include <cstddef>
#include <cstdint>

namespace cgi {

// The six bytes after the start code; `length` exactly as on the wire.
struct PacketHeader {
    uint8_t client_id = 0;
    uint8_t data_type = 0;
    uint32_t length = 0;
};

class Parser {
public:
    static constexpr int STX_SIZE = 4;
    static constexpr int ETX_SIZE = 4;
    static constexpr int HEADER_SIZE = 10;  // start code and the six header bytes
    static constexpr int PACKET_OVERHEAD = HEADER_SIZE + ETX_SIZE;
    // Largest payload a DVR sends (40 MiB); a longer length field marks the packet corrupt.
    static constexpr uint32_t MAX_LENGTH = 0x2800000;

    static constexpr unsigned char STX[STX_SIZE] = {0xFB, 0xFB, 0xFB, 0xFC};
    static constexpr unsigned char ETX[ETX_SIZE] = {0xFB, 0xFB, 0xFB, 0xFD};

    // bigEndian: the DVR sends L big-endian (old protocol).
    explicit Parser(bool bigEndian);
    virtual ~Parser();

    // First position in [begin, end) where a whole start code begins, or end.
    const unsigned char* FindSTX(const unsigned char* begin, const unsigned char* end) const;

    // stx must point at a start code. Returns the packet's end code, or end when more
    // bytes are needed, or end + 1 when the packet is corrupt (length over the limit or
    // no end code right after the payload): the scanned array needs a byte after end.
    const unsigned char* FindETX(const unsigned char* stx, const unsigned char* end) const;

    // True when a whole packet lies in [begin, end); *stx and *etx then hold its start and
    // end code. Otherwise, with nothing found both are end; with an incomplete packet *stx
    // is its start and *etx is end; with a corrupt packet *stx is just past its start code
    // (resume there) and *etx is end + 1.
    bool FindPacket(const unsigned char* begin, const unsigned char* end,
                    const unsigned char** stx, const unsigned char** etx) const;

    PacketHeader GetPayLoad(const unsigned char* stx) const;
    const unsigned char* GetDataPoint(const unsigned char* stx) const { return stx + HEADER_SIZE; }
    size_t GetDataSize(const unsigned char* stx, const unsigned char* etx) const
    {
        return static_cast<size_t>(etx - stx) - HEADER_SIZE;
    }

private:
    uint32_t ReadLength(const unsigned char* stx) const;

    bool m_bigEndian;
};

}  // namespace cgi
