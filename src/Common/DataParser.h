#pragma once

// Cuts a DVR reply into packets one at a time, keeping its own buffer; each payload is
// handed out as a copy. The packet layout is the one cgi::Parser reads.

#include <cstddef>
#include <cstdint>
#include <vector>

extern const std::vector<char> START_CODE;
extern const std::vector<char> END_CODE;

class CDataParser {
public:
    // Largest payload a DVR sends (40 MiB); a longer length field marks the packet corrupt.
    static constexpr uint64_t MAX_LENGTH = 0x2800000;
    // How many bytes late an end code may come.
    static constexpr size_t LATE_END_CODE = 64;

    CDataParser();
    ~CDataParser();

    // Appends size bytes of data (none for a null pointer and size 0) and takes the next
    // whole packet out of the buffer; true when one was found, its payload is then the
    // result. bigEndian: the DVR sends lengths big-endian (old protocol).
    //
    // The buffer never grows without bound: junk without a start code leaves at most its
    // last three bytes (a start code may be cut by the read boundary), and a length over
    // the limit costs the packet its start code. An end code up to LATE_END_CODE bytes
    // after the payload still closes the packet; a packet not closed by then, or before
    // the next start code, costs its start code too. What comes out never depends on
    // how the input was split into calls.
    bool setReceivedData(bool bigEndian, const char* data, unsigned int size);

    std::vector<char>& getResultData();
    unsigned char getDataType() const { return m_header.data_type; }
    unsigned char getClientID() const { return m_header.client_id; }
    // The length of the last packet found.
    unsigned int getFrameSize(bool bigEndian) const;

    // Discards the buffered input; the last header and result stay.
    void clear();

    // The bytes waiting for the rest of a packet.
    size_t getBufferedSize() const { return m_buffer.size() - m_readPos; }
    const char* getBufferedData() const { return m_buffer.data() + m_readPos; }

private:
    struct Header {
        unsigned char client_id = 0;
        unsigned char data_type = 0;
        unsigned char length[4] = {0, 0, 0, 0};  // as on the wire
    };

    void Append(const char* data, size_t size);

    Header m_header;
    // Unconsumed input is m_buffer[m_readPos, size()): consuming a packet only moves the
    // offset, and the front is compacted when new data arrives.
    std::vector<char> m_buffer;
    size_t m_readPos = 0;
    std::vector<char> m_result;
};
