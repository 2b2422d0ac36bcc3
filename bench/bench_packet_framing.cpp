// Cutting a well-formed DVR stream of video packets into packets.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Common/DataParser.h"
#include "dvr_protocol/parser.h"

namespace {

constexpr size_t kReceiveBuffer = 0x500000;  // the stream connection's buffer

void AppendPacket(std::vector<unsigned char>& out, size_t payload, unsigned char seed)
{
    out.insert(out.end(), cgi::Parser::STX, cgi::Parser::STX + 4);
    out.push_back(1);  // client id
    out.push_back(2);  // video
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(payload >> (8 * i)));
    const size_t at = out.size();
    out.resize(at + payload);
    for (size_t i = 0; i < payload; ++i)
        out[at + i] = static_cast<unsigned char>(seed + i * 31);
    out.insert(out.end(), cgi::Parser::ETX, cgi::Parser::ETX + 4);
}

// As many whole packets as fill `bytes`, at least `minPackets`.
std::vector<unsigned char> MakeStream(size_t payload, size_t bytes, size_t minPackets)
{
    std::vector<unsigned char> s;
    const size_t packet = payload + cgi::Parser::PACKET_OVERHEAD;
    const size_t count = std::max(minPackets, bytes / packet);
    s.reserve(count * packet);
    for (size_t i = 0; i < count; ++i)
        AppendPacket(s, payload, static_cast<unsigned char>(i));
    return s;
}

// The parser alone: a receive buffer full of whole packets, cut in place.
void BM_CutReceiveBuffer(benchmark::State& state)
{
    const size_t payload = static_cast<size_t>(state.range(0));
    const std::vector<unsigned char> buf = MakeStream(payload, kReceiveBuffer, 1);
    const cgi::Parser parser(false);
    const unsigned char* const begin = buf.data();
    const unsigned char* const end = begin + buf.size();
    int64_t packets = 0;
    for (auto _ : state) {
        const unsigned char* pos = begin;
        const unsigned char* stx = nullptr;
        const unsigned char* etx = nullptr;
        while (parser.FindPacket(pos, end, &stx, &etx)) {
            const cgi::PacketHeader h = parser.GetPayLoad(stx);
            const unsigned char* data = parser.GetDataPoint(stx);
            size_t size = parser.GetDataSize(stx, etx);
            benchmark::DoNotOptimize(h);
            benchmark::DoNotOptimize(data);
            benchmark::DoNotOptimize(size);
            pos = etx + cgi::Parser::ETX_SIZE;
            ++packets;
        }
        benchmark::DoNotOptimize(stx);
    }
    state.SetItemsProcessed(packets);
}
BENCHMARK(BM_CutReceiveBuffer)->Arg(1 << 10)->Arg(16 << 10)->Arg(256 << 10);

// The whole receive loop: reads of a fixed size land in the 5 MiB buffer, whole packets
// are cut, and the unconsumed tail moves to the front after every read. Includes copying
// the reads, so it is per-byte work; shows what the tail move costs for big packets.
void BM_ReceiveLoop(benchmark::State& state)
{
    const size_t payload = static_cast<size_t>(state.range(0));
    const size_t readSize = static_cast<size_t>(state.range(1));
    const std::vector<unsigned char> stream = MakeStream(payload, 16 << 20, 8);
    std::vector<unsigned char> buf(kReceiveBuffer);
    const cgi::Parser parser(false);
    int64_t packets = 0;
    for (auto _ : state) {
        size_t fill = 0;
        size_t in = 0;
        while (in < stream.size()) {
            const size_t n = std::min({readSize, stream.size() - in, buf.size() - fill});
            std::memcpy(buf.data() + fill, stream.data() + in, n);
            in += n;
            fill += n;
            const unsigned char* const end = buf.data() + fill;
            const unsigned char* pos = buf.data();
            const unsigned char* stx = nullptr;
            const unsigned char* etx = nullptr;
            for (;;) {
                if (parser.FindPacket(pos, end, &stx, &etx)) {
                    const unsigned char* data = parser.GetDataPoint(stx);
                    benchmark::DoNotOptimize(data);
                    pos = etx + cgi::Parser::ETX_SIZE;
                    ++packets;
                } else if (etx == end + 1) {
                    pos = stx;
                } else {
                    break;
                }
            }
            const unsigned char* keep = stx == end ? std::max(pos, end - std::min<size_t>(3, fill)) : stx;
            fill = static_cast<size_t>(end - keep);
            std::memmove(buf.data(), keep, fill);
        }
    }
    state.SetItemsProcessed(packets);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ReceiveLoop)
    ->Args({1 << 10, 64 << 10})
    ->Args({16 << 10, 64 << 10})
    ->Args({256 << 10, 64 << 10})
    ->Args({256 << 10, 8 << 10})
    ->Unit(benchmark::kMillisecond);

// The copying parser of one-shot replies: 64 KiB reads, every packet drained.
void BM_DataParser(benchmark::State& state)
{
    const size_t payload = static_cast<size_t>(state.range(0));
    const std::vector<unsigned char> stream = MakeStream(payload, 16 << 20, 8);
    const char* const bytes = reinterpret_cast<const char*>(stream.data());
    constexpr size_t kRead = 64 << 10;
    int64_t packets = 0;
    for (auto _ : state) {
        CDataParser parser;
        for (size_t in = 0; in < stream.size(); in += kRead) {
            const size_t n = std::min(kRead, stream.size() - in);
            bool found = parser.setReceivedData(false, bytes + in, static_cast<unsigned int>(n));
            while (found) {
                benchmark::DoNotOptimize(parser.getResultData().data());
                ++packets;
                found = parser.setReceivedData(false, nullptr, 0);
            }
        }
    }
    state.SetItemsProcessed(packets);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_DataParser)->Arg(1 << 10)->Arg(16 << 10)->Arg(256 << 10)->Unit(benchmark::kMillisecond);

}  // namespace
