// Reads arbitrary frame payloads with both headers; a frame that passes the fit check is
// read at its offset and size, which must stay inside the payload.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Common/Frame.h"
#include "fuzz_util.h"

namespace {

template <class Frame>
void ReadFrame(const Frame& f, const unsigned char* payload, size_t size, uint64_t minOffset)
{
    volatile int64_t sink = f.GetPTS() + f.GetTime().sec + f.GetTime().usec + f.GetChannel()
                          + f.GetType() + f.GetRecReason() + f.GetResolution().width
                          + f.GetResolution().height + f.GetSize();
    (void)sink;
    if (!f.FitsIn(size))
        return;
    const uint64_t offset = f.GetDataOffset();
    const uint64_t raw = f.GetRawDataSize();
    CHECK(offset >= minOffset && offset <= size && raw <= size - offset);
    // Touch the coded data the way a decoder would: a copy of exactly that range.
    std::vector<unsigned char> coded(payload + offset, payload + offset + raw);
    volatile unsigned char last = coded.empty() ? 0 : coded.back();
    (void)last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exactly sized copy, so that any read past the payload is caught.
    std::vector<unsigned char> payload(data, data + size);
    const int n = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);

    CFrame c;
    c.SetData(payload.data(), n);
    if (size >= CFrame::HEADER_SIZE)
        CHECK(c.GetChannel() == payload[1] && c.IsValid() == (payload[1] < 17));
    ReadFrame(c, payload.data(), size, CFrame::HEADER_SIZE);

    CUFrame u;
    u.SetData(payload.data(), n);
    volatile int extra = u.IsValid() + u.GetModel() + u.GetPbMode() + u.GetInfo() + u.GetVideoLoss();
    (void)extra;
    ReadFrame(u, payload.data(), size, CUFrame::HEADER_SIZE);

    for (bool old : {false, true}) {
        FrameFacts facts;
        if (ReadFrameHeader(old, payload.data(), size, &facts) && facts.fits) {
            CHECK(facts.channel >= 0 && facts.channel < FrameFacts::MAX_CHANNELS);
            CHECK(facts.offset <= size && facts.rawSize <= size - facts.offset);
        }
    }
    return 0;
}
