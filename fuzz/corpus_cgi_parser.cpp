// Writes the starting corpus of fuzz_cgi_parser into the folder given as argv[1] (input
// layout in stream_input.h): streams of both protocols in every mode, broken packets, packets
// that fill the receive buffer exactly or overflow it by a byte, and streams that pass through
// the buffer several times.
#include "cgi_response.pb.h"
#include "corpus_util.h"
#include "stream_input.h"

using corpus::Packet;
using namespace streaminput;

namespace {

constexpr uint32_t CAPACITY = 0x500000;  // the stream's receive buffer
constexpr uint32_t T0 = 1700000000;
const std::string ETX = "\xFB\xFB\xFB\xFD";

std::string Head(uint8_t setup, char seed = '\x2A') { return std::string(1, char(setup)) + seed; }

// The start of a packet announcing `length` payload bytes.
std::string Open(char cid, char type, uint32_t length, bool bigEndian)
{
    std::string p = Packet(cid, type, "", bigEndian);
    p.resize(p.size() - ETX.size());
    corpus::Put(p, 6, length, 4, bigEndian);
    return p;
}

// A video packet of `length` payload bytes whose coded data is a run of filler.
std::string BigVideo(bool old, uint32_t length)
{
    const std::string header = old ? corpus::OldFrame(2u << 22, length - 80, 0).substr(0, 80)
                                   : corpus::CurrentFrame(0, 0, length - 36, T0).substr(0, 36);
    return Open(1, old ? 10 : 2, length, old) + header + Run(uint32_t(length - header.size()), 'd') + ETX;
}

std::string CurrentLive(uint32_t sec = T0)
{
    cgi::DvrInfo info;
    info.set_model(4);
    info.set_ch_num(4);
    info.set_available_chmask(0xB);
    for (const char* name : {"Door", "Yard", "Till", "Stock"})
        info.add_ch_name(name);
    cgi::LiveStatus status;
    status.set_record_chmask(1);
    status.set_motion_chmask(3);
    status.set_sensor_chmask(2);
    status.set_vloss_chmask(8);
    std::string s = Packet(1, 1, info.SerializeAsString(), false) + Packet(1, 5, status.SerializeAsString(), false);
    for (uint8_t i = 0; i < 8; ++i) {
        s += Packet(1, 2, corpus::CurrentFrame(i % 4 == 0 ? 0 : 1, i % 4, 200, sec + i / 2), false);
        s += Packet(1, 3, corpus::CurrentFrame(3, 0, 64, sec + i / 2, 500), false);
    }
    return s;
}

std::string OldLive(uint32_t firstType = 10)
{
    std::string record(214, '\0');
    record[0] = 8;
    record[2] = 0x00;
    record[3] = 0x7F;
    for (int ch = 0; ch < 8; ++ch)
        record.replace(size_t(6 + ch * 13), 4, "CAM" + std::string(1, char('1' + ch)));
    std::string s = Packet(1, 20, record, true) + Packet(1, 1, std::string(1, '\0'), true);
    for (uint32_t i = 0; i < 8; ++i) {
        s += Packet(1, char(i == 0 ? firstType : 10 + i % 4), corpus::OldFrame((i % 4 ? 1u : 0u) << 22 | 120, 120, i % 8, T0 + i), true);
        s += Packet(1, char(2 + i % 3), corpus::OldFrame(3u << 22 | 64, 64, 0, T0 + i), true);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> seeds;
    cgi::PbStatus pause;
    pause.set_mode(3);
    seeds.push_back(Head(READS_16) + CurrentLive() + Packet(1, 0, std::string(1, '\0'), false)
                    + Packet(1, 0, std::string(1, '\x02'), false));
    seeds.push_back(Head(PLAYBACK | RECORDER | READS_300) + CurrentLive() + Packet(1, 6, pause.SerializeAsString(), false));
    seeds.push_back(Head(BACKUP | RECORDER | READS_8K) + CurrentLive(T0 + 3));
    seeds.push_back(Head(EMAP | READS_300) + CurrentLive() + Packet(1, 2, corpus::CurrentFrame(0, 1, 5000).substr(0, 36), false));
    seeds.push_back(Head(AUDIO_STREAM | READS_16) + CurrentLive());
    seeds.push_back(Head(OLD_PROTOCOL | READS_16) + OldLive());
    seeds.push_back(Head(OLD_PROTOCOL | PLAYBACK | RECORDER | READS_300) + OldLive());
    seeds.push_back(Head(OLD_PROTOCOL | KIND_UNKNOWN | READS_16) + OldLive());
    seeds.push_back(Head(OLD_PROTOCOL | AUDIO_STREAM | READS_300) + OldLive(2));
    seeds.push_back(Head(OLD_PROTOCOL | EMAP | READS_8K) + OldLive());
    for (bool be : {false, true}) {
        const uint8_t protocol = be ? OLD_PROTOCOL : 0;
        const std::string frame(36, '\x01');
        seeds.push_back(Head(protocol | READS_16) + "junk\xFB\xFB\xFB" + Packet(2, 1, "info", be) + "\xFB\xFB"
                        + Packet(2, 2, "\xFB\xFB\xFB\xFC\xFB\xFB\xFB\xFD", be));
        seeds.push_back(Head(protocol | READS_16) + Packet(3, 2, "bad end", be, "\xFB\xFB\xFB\xFA")
                        + Packet(3, 2, "good", be));
        seeds.push_back(Head(protocol | READS_300) + corpus::OversizedPacket(4, be) + Packet(4, 0, "\x00", be));
        // Exactly as large as the buffer, after a packet that leaves it out of place.
        const std::string small = Packet(1, 2, frame + std::string(900, 'v'), be);
        seeds.push_back(Head(protocol | READS_8K) + small + BigVideo(be, CAPACITY - 14) + small);
        // One byte more: given up at its header, its payload read as junk.
        seeds.push_back(Head(protocol | READS_8K) + BigVideo(be, CAPACITY - 13) + small);
        // Two and a half buffers of frames.
        seeds.push_back(Head(protocol | READS_8K) + Repeat(5000, small + Packet(1, 3, frame + "aaaa", be)));
        seeds.push_back(Head(protocol | READS_WHOLE) + Repeat(3000, small) + BigVideo(be, CAPACITY / 2) + small);
    }
    return corpus::WriteSeeds(argc, argv, seeds);
}
