// What a stream's receive buffer does with input that keeps it nearly full.

#include <gtest/gtest.h>

#include "StreamProbe.h"
#include "dvr_protocol/parser.h"

using namespace nettest;

namespace {

constexpr int CAPACITY = CHttpConnect::RECEIVE_BUFFER_SIZE;

// A live stream of channel 0 from a DVR that sends only what the test gives it.
struct QuietStream : StreamRig {
    QuietStream() : StreamRig(SmallDvr(), Quiet())
    {
        open(0x1, Param(0));
        EXPECT_TRUE(sim.waitForStreams(1));
        clientId = sim.streams().empty() ? -1 : sim.streams().front().clientId;
    }
    static simdvr::Misbehaviour Quiet()
    {
        simdvr::Misbehaviour m;
        m.stall = true;
        return m;
    }
    // A key frame of channel 0 whose packet is `packetSize` bytes long.
    QByteArray framePacket(int packetSize) const
    {
        simdvr::FrameFields f;
        f.timeSec = 1000000000;
        const int headerSize = int(simdvr::MakeCFrameHeader(f).size());
        f.frameSize = uint32_t(packetSize - cgi::Parser::PACKET_OVERHEAD - headerSize);
        const QByteArray payload = simdvr::MakeCFrameHeader(f) + QByteArray(int(f.frameSize), '\x5A');
        return simdvr::MakePacket(uint8_t(clientId), cgi::DATA_VIDEO, payload, false);
    }

    int clientId = -1;  // in the DVR's packet headers
};

// A packet header announcing a packet of `total` bytes, with no packet behind it.
QByteArray BareHeader(uint8_t clientId, int total)
{
    return simdvr::MakePacketHead(clientId, cgi::DATA_VIDEO, uint32_t(total - cgi::Parser::PACKET_OVERHEAD), false);
}

}  // namespace

TEST(StreamReceive, HeadersNestedInEachOthersPayloadsCostMovesInProportionToTheBytesRead)
{
    QuietStream s;
    ASSERT_GE(s.clientId, 0);
    // Each header announces a whole buffer and starts inside the one before it: each is
    // found broken only once the buffer is full, and the next must then wait at its front.
    constexpr int HEADERS = 256, SPACING = 16 * 1024;
    QByteArray input;
    for (int i = 0; i < HEADERS; ++i)
        input += BareHeader(uint8_t(s.clientId), CAPACITY).leftJustified(SPACING, '\0');
    input += s.framePacket(1000);
    input += QByteArray(CAPACITY, '\0');  // lets the last broken header be seen as such
    s.sim.sendRaw(input);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == 1; }, 120000));
    const uint64_t bound = uint64_t(input.size()) * (CAPACITY / CHttpConnect::RECEIVE_BUFFER_SLACK + 1);
    EXPECT_LE(s.conn.receiveBytesMoved(), bound);
}

TEST(StreamReceive, ASteadyStreamKeepsToTheFrontOfItsBuffer)
{
    QuietStream s;
    ASSERT_GE(s.clientId, 0);
    // Packets that no read boundary respects, well beyond the buffer's whole array.
    constexpr int PACKET = 30001, PACKETS = 300;
    QByteArray input;
    for (int i = 0; i < PACKETS; ++i)
        input += s.framePacket(PACKET);
    ASSERT_GT(input.size(), CAPACITY + CHttpConnect::RECEIVE_BUFFER_SLACK);
    s.sim.sendRaw(input);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == PACKETS; }, 60000));
    EXPECT_LE(s.conn.receiveBufferReach(), uint64_t(4 * PACKET));
}

TEST(StreamReceive, APacketAsLargeAsTheBufferIsHandedOnAfterJunkWasLetGo)
{
    QuietStream s;
    ASSERT_GE(s.clientId, 0);
    // Junk with no start code first: the buffer lets it go, and the packet after it must
    // still find the whole buffer's room.
    s.sim.sendRaw(QByteArray(CAPACITY / 2 + 12345, '\0') + s.framePacket(CAPACITY) + s.framePacket(1000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == 2; }, 60000));
    const StreamProbe::State st = s.probe.state();
    EXPECT_EQ(st.unsound + st.failures, 0);
}

TEST(StreamReceive, APacketOneByteLargerThanTheBufferCostsOnlyItsStartCode)
{
    QuietStream s;
    ASSERT_GE(s.clientId, 0);
    // The packet after it lies inside what the large one announced.
    const QByteArray good = s.framePacket(1000);
    s.sim.sendRaw(BareHeader(uint8_t(s.clientId), CAPACITY + 1) + good);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.probe.videoCount() == 1; }, 60000));
    EXPECT_EQ(s.probe.state().video.front().channel, 0);
}
