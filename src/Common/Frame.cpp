#include "Frame.h"

#include <cstring>

#include <QtGlobal>

#include "Endian.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "frame headers are read on little-endian hosts");

namespace {

uint32_t LoadU32(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint16_t LoadU16(const unsigned char* p)
{
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Both headers keep their times as 32-bit fields; the presentation time wraps every
// 1000 s and is computed on the signed values.
int64_t Pts(uint32_t sec, uint32_t usec)
{
    const int32_t s = static_cast<int32_t>(sec);
    const int32_t us = static_cast<int32_t>(usec);
    return static_cast<int64_t>((s % 1000) * 1000 + us / 1000);
}

}  // namespace

template <class Header, int Size>
void CFrameHeader<Header, Size>::SetData(const unsigned char* data, int size)
{
    if (data && size >= Size)
        std::memcpy(m_header, data, Size);
}

template <class Header, int Size>
bool CFrameHeader<Header, Size>::FitsIn(size_t payloadSize) const
{
    const Header& h = static_cast<const Header&>(*this);
    const uint64_t offset = h.GetDataOffset();
    const uint64_t size = h.GetRawDataSize();
    const uint64_t payload = payloadSize;
    return offset >= uint64_t(Size) && offset <= payload && size <= payload - offset;
}

template class CFrameHeader<CFrame, CFrame::HEADER_SIZE>;
template class CFrameHeader<CUFrame, CUFrame::HEADER_SIZE>;

// ---- CFrame: 36 bytes, little-endian -------------------------------------------------

bool CFrame::IsValid() const { return m_header[1] < 17; }

FrameType CFrame::GetType() const { return static_cast<FrameType>(m_header[0] & 3); }

int CFrame::GetChannel() const { return m_header[1]; }

RecordReason CFrame::GetRecReason() const { return static_cast<RecordReason>(m_header[2] & 3); }

unsigned int CFrame::GetSize() const { return LoadU32(m_header + 4); }

unsigned int CFrame::GetRawDataSize() const { return LoadU32(m_header + 4); }

uint64_t CFrame::GetDataOffset() const
{
    return GetType() == FRAME_AUDIO ? AUDIO_HEADER_SIZE : HEADER_SIZE;
}

FrameSize CFrame::GetResolution() const
{
    FrameSize s;
    s.width = LoadU16(m_header + 8);
    s.height = LoadU16(m_header + 10);
    return s;
}

KTimeVal CFrame::GetTime() const
{
    return KTimeVal(static_cast<int64_t>(LoadU32(m_header + 12)),
                    static_cast<int32_t>(LoadU32(m_header + 16)));
}

int64_t CFrame::GetPTS() const { return Pts(LoadU32(m_header + 12), LoadU32(m_header + 16)); }

// ---- CUFrame: 80 bytes, big-endian -----------------------------------------------------

uint32_t CUFrame::U32(int offset) const { return CEndian::byteswap32(LoadU32(m_header + offset)); }

bool CUFrame::IsValid() const
{
    return m_header[0] == 'U' && m_header[1] == 'M' && U32(2) == HEADER_SIZE;
}

bool CUFrame::IsValidModel() const { return IsValidModel(GetModel()); }

bool CUFrame::IsValidModel(int model)
{
    if (model >= 6 && model <= 21)
        return true;
    qDebug("[%s] Unknown Model[%d]", "IsValidModel", model);
    return false;
}

int CUFrame::GetModel() const { return m_header[16]; }

ProtocolType CUFrame::ProtocolTypeOf(int model)
{
    return model >= 6 && model <= 11 ? PROTOCOL_CUFRAME_MPEG4 : PROTOCOL_CUFRAME_H264;
}

int CUFrame::GetChannel() const { return static_cast<int>(U32(53) & 0xFF); }

FrameType CUFrame::GetType() const
{
    static const FrameType types[4] = {FRAME_KEY, FRAME_DELTA, FRAME_KEY, FRAME_AUDIO};
    return types[(U32(17) >> 22) & 3];
}

RecordReason CUFrame::GetRecReason() const { return static_cast<RecordReason>(m_header[13] & 3); }

PbMode CUFrame::GetPbMode() const
{
    const int code = m_header[13] >> 3;
    if ((code >= 1 && code <= 9) || (code >= 17 && code <= 25))
        return static_cast<PbMode>(code - 1);
    switch (code) {
    case 13: return PB_STEP_FORWARD;
    case 14: return PB_SLOW_1_2;
    case 15: return PB_SLOW_1_4;
    case 29: return PB_STEP_BACKWARD;
    default: return PB_STOP;
    }
}

unsigned char CUFrame::GetInfo() const { return m_header[12]; }

unsigned short CUFrame::GetVideoLoss() const { return CEndian::byteswap16(LoadU16(m_header + 14)); }

unsigned int CUFrame::GetSize() const { return U32(57); }

unsigned int CUFrame::GetRawDataSize() const { return U32(17) & 0xFFFFF; }

uint64_t CUFrame::GetDataOffset() const
{
    return uint64_t(HEADER_SIZE) + U32(8) - U32(57);
}

FrameSize CUFrame::GetResolution() const
{
    static const FrameSize sizes[8] = {
        {704, 240}, {352, 240}, {704, 480}, {704, 576},
        {704, 288}, {352, 288}, {704, 576}, {704, 576},
    };
    const unsigned char info = m_header[12];
    return sizes[((info >> 1) & 3) + 4 * ((info >> 6) & 1)];
}

KTimeVal CUFrame::GetTime() const
{
    return KTimeVal(static_cast<int64_t>(U32(37)), static_cast<int32_t>(U32(41)));
}

int64_t CUFrame::GetPTS() const { return Pts(U32(37), U32(41)); }

// ---- either header ---------------------------------------------------------------------

namespace {

template <class Header>
bool ReadInto(Header& h, const unsigned char* data, size_t length, FrameFacts* out)
{
    if (length < size_t(Header::HEADER_SIZE))
        return false;
    h.SetData(data, Header::HEADER_SIZE);
    if (!h.IsValid())
        return false;
    out->channel = h.GetChannel();
    out->kind = h.GetType();
    out->reason = h.GetRecReason();
    out->offset = h.GetDataOffset();
    out->rawSize = h.GetRawDataSize();
    out->frameSize = h.GetSize();
    out->resolution = h.GetResolution();
    out->time = h.GetTime();
    out->fits = h.FitsIn(length);
    return out->channel >= 0 && out->channel < FrameFacts::MAX_CHANNELS;
}

}  // namespace

bool ReadFrameHeader(bool oldHeader, const unsigned char* data, size_t length, FrameFacts* out)
{
    *out = FrameFacts();
    out->oldHeader = oldHeader;
    if (!data)
        return false;
    if (!oldHeader) {
        CFrame h;
        return ReadInto(h, data, length, out);
    }
    CUFrame h;
    if (!ReadInto(h, data, length, out))
        return false;
    out->model = h.GetModel();
    out->protocolType = CUFrame::ProtocolTypeOf(out->model);
    out->pbMode = h.GetPbMode();
    out->info = h.GetInfo();
    out->videoLoss = h.GetVideoLoss();
    return true;
}
