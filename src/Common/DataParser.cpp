#include "DataParser.h"

#include <algorithm>
#include <cassert>
#include <cstring>

const std::vector<char> START_CODE = {char(0xFB), char(0xFB), char(0xFB), char(0xFC)};
const std::vector<char> END_CODE = {char(0xFB), char(0xFB), char(0xFB), char(0xFD)};

namespace {

constexpr size_t kCodeSize = 4;
constexpr size_t kHeaderSize = 10;  // start code, client id, data type, length
constexpr size_t kKeepWithoutStart = kCodeSize - 1;

// First position in [from, to) where code begins, or to. A null code finds either the
// start or the end code (they differ only in their last byte).
size_t FindCode(const char* buf, size_t from, size_t to, const std::vector<char>* code)
{
    const std::vector<char>& first = code ? *code : START_CODE;
    size_t p = from;
    while (to - p >= kCodeSize) {
        const void* hit = std::memchr(buf + p, first[0], to - p - (kCodeSize - 1));
        if (!hit)
            break;
        p = static_cast<size_t>(static_cast<const char*>(hit) - buf);
        if (std::memcmp(buf + p, first.data(), kCodeSize - 1) == 0) {
            const char last = buf[p + kCodeSize - 1];
            if (code ? last == first[kCodeSize - 1]
                     : (last == START_CODE[kCodeSize - 1] || last == END_CODE[kCodeSize - 1]))
                return p;
        }
        ++p;
    }
    return to;
}

uint64_t ReadLength(const unsigned char* b, bool bigEndian)
{
    if (bigEndian)
        return (uint64_t(b[0]) << 24) | (uint64_t(b[1]) << 16) | (uint64_t(b[2]) << 8) | uint64_t(b[3]);
    return uint64_t(b[0]) | (uint64_t(b[1]) << 8) | (uint64_t(b[2]) << 16) | (uint64_t(b[3]) << 24);
}

}  // namespace

CDataParser::CDataParser() = default;

CDataParser::~CDataParser() = default;

void CDataParser::Append(const char* data, size_t size)
{
    const size_t live = m_buffer.size() - m_readPos;
    if (live == 0) {
        m_buffer.clear();
        m_readPos = 0;
    } else if (m_readPos > 0
               && (m_readPos >= live || m_buffer.size() + size > m_buffer.capacity())) {
        // Compact only when the consumed front outweighs what is moved, or when the
        // vector must grow anyway.
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_readPos));
        m_readPos = 0;
    }
    m_buffer.insert(m_buffer.end(), data, data + size);
}

bool CDataParser::setReceivedData(bool bigEndian, const char* data, unsigned int size)
{
    std::vector<char>().swap(m_result);
    assert(data || size == 0);
    if (data && size)
        Append(data, size);

    for (;;) {
        const size_t end = m_buffer.size();
        const char* buf = m_buffer.data();
        const size_t stx = FindCode(buf, m_readPos, end, &START_CODE);
        if (stx == end) {
            if (end - m_readPos > kKeepWithoutStart)
                m_readPos = end - kKeepWithoutStart;
            return false;
        }
        // Bytes before a start code can never belong to a packet.
        m_readPos = stx;
        if (end - stx < kHeaderSize)
            return false;

        const auto* head = reinterpret_cast<const unsigned char*>(buf + stx);
        const uint64_t length = ReadLength(head + 6, bigEndian);
        if (length > MAX_LENGTH) {
            m_readPos = stx + kCodeSize;
            continue;
        }
        const uint64_t payloadEnd = uint64_t(stx) + kHeaderSize + length;
        if (uint64_t(end) < payloadEnd + kCodeSize)
            return false;

        const size_t dataEnd = static_cast<size_t>(payloadEnd);
        if (std::memcmp(buf + dataEnd, END_CODE.data(), kCodeSize) != 0) {
            // A late end code is still accepted (the payload extent comes from the
            // length), when it comes soon and before the next start code. The window is
            // fixed so that a broken packet cannot hold the buffer open.
            const size_t windowEnd = std::min<size_t>(end, dataEnd + LATE_END_CODE + kCodeSize);
            const size_t code = FindCode(buf, dataEnd, windowEnd, nullptr);
            if (code == windowEnd && windowEnd < dataEnd + LATE_END_CODE + kCodeSize)
                return false;
            if (code == windowEnd || buf[code + kCodeSize - 1] == START_CODE[kCodeSize - 1]) {
                m_readPos = stx + kCodeSize;
                continue;
            }
        }

        std::memcpy(&m_header.client_id, head + 4, 1);
        std::memcpy(&m_header.data_type, head + 5, 1);
        std::memcpy(m_header.length, head + 6, 4);
        m_result.assign(buf + stx + kHeaderSize, buf + dataEnd);
        m_readPos = dataEnd + kCodeSize;
        return true;
    }
}

std::vector<char>& CDataParser::getResultData()
{
    m_result.shrink_to_fit();
    return m_result;
}

unsigned int CDataParser::getFrameSize(bool bigEndian) const
{
    return static_cast<unsigned int>(ReadLength(m_header.length, bigEndian));
}

void CDataParser::clear()
{
    std::vector<char>().swap(m_buffer);
    m_readPos = 0;
}
