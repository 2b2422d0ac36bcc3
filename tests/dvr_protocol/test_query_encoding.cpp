#include <string>

#include <gtest/gtest.h>

#include "cgi_request.pb.h"
#include "dvr_protocol/base64.h"
#include "dvr_protocol/cgi_protocol.h"

namespace {

struct Query {
    std::string mode, user, data;
};

// Splits a query into its three values, checking the fixed layout on the way.
Query Split(const std::string& query)
{
    Query q;
    const size_t user = query.find("&USER=");
    const size_t data = query.find("&DATA=");
    EXPECT_EQ(query.compare(0, 5, "MODE="), 0) << query;
    EXPECT_NE(user, std::string::npos) << query;
    EXPECT_NE(data, std::string::npos) << query;
    if (user == std::string::npos || data == std::string::npos || data < user)
        return q;
    q.mode = query.substr(5, user - 5);
    q.user = query.substr(user + 6, data - user - 6);
    q.data = query.substr(data + 6);
    return q;
}

cgi::User MakeUser(const std::string& name, const std::string& password)
{
    cgi::User user;
    user.set_name(name);
    user.set_password(password);
    return user;
}

// Encodes a request, decodes it again as a DVR would and compares every field.
template <typename Message>
void ExpectRoundTrip(cgi::Mode mode, const cgi::User& user, const Message& data)
{
    SCOPED_TRACE(data.GetTypeName());
    std::string query;
    ASSERT_EQ(cgi::Data2Url(mode, user, data, &query), 0);
    EXPECT_EQ(query.find_first_not_of("-./0123456789:@ABCDEFGHIJKLMNOPQRSTUVWXYZ\\_"
                                      "abcdefghijklmnopqrstuvwxyz%&="),
              std::string::npos)
        << query;
    const Query q = Split(query);

    EXPECT_EQ(cgi::Url2Mode(q.mode), static_cast<int>(mode));
    cgi::User decodedUser;
    ASSERT_EQ(cgi::Url2User(q.user, &decodedUser), 0);
    EXPECT_EQ(decodedUser.name(), user.name());
    EXPECT_EQ(decodedUser.password(), user.password());
    Message decoded;
    ASSERT_EQ(cgi::Url2Data(q.data, &decoded), 0);
    EXPECT_EQ(decoded.SerializeAsString(), data.SerializeAsString());
}

}  // namespace

TEST(QueryEncoding, GoldenQueries)
{
    std::string query;
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, MakeUser("admin", ""), cgi::NullMsg(), &query), 0);
    EXPECT_EQ(query, "MODE=14&USER=CgVhZG1pbhIA&DATA=");

    // Without a password field the Base64 padding shows up escaped.
    cgi::User nameOnly;
    nameOnly.set_name("admin");
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_GET_DVR_CONF, nameOnly, cgi::NullMsg(), &query), 0);
    EXPECT_EQ(query, "MODE=22&USER=CgVhZG1pbg%3d%3d&DATA=");

    cgi::Search search;
    search.set_chmask(65535);
    search.set_version(1);
    search.set_hours_include(true);
    search.set_start_time(1700000000);
    search.set_end_time(1700086399);
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_SEARCH, MakeUser("admin", "1234"), search, &query), 0);
    EXPECT_EQ(query, "MODE=6&USER=CgVhZG1pbhIEMTIzNA%3d%3d&DATA=CP//AxABGAEggOLPqgYo/4TVqgY%3d");

    cgi::Live live;
    live.set_codec(cgi::CODEC_SUB);
    live.set_vchmask(0xff);
    live.set_achmask(0);
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_LIVE, MakeUser("operator", "p@ss w0rd"), live, &query), 0);
    EXPECT_EQ(query, "MODE=0&USER=CghvcGVyYXRvchIJcEBzcyB3MHJk&DATA=CAEQ/wEYAA%3d%3d");

    // Empty messages give empty values; the previous contents of the output are replaced.
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_GET_HDD_INFO, cgi::User(), cgi::Live(), &query), 0);
    EXPECT_EQ(query, "MODE=17&USER=&DATA=");
}

TEST(QueryEncoding, EveryRequestKindRoundTrips)
{
    const cgi::User user = MakeUser("admin", "1234");

    cgi::Live live;
    live.set_codec(cgi::CODEC_MAIN);
    live.set_vchmask(0xffff);
    live.set_achmask(0x0001);
    live.set_header_only_mask(0xf000);
    ExpectRoundTrip(cgi::MODE_LIVE, user, live);

    cgi::Playback playback;
    playback.set_start_time(1718900000);
    playback.set_vchmask(0x0f0f);
    playback.set_achmask(0);
    playback.set_skip_mode(false);
    ExpectRoundTrip(cgi::MODE_PLAYBACK, user, playback);

    cgi::Backup backup;
    backup.set_start_time(1718900000);
    backup.set_end_time(1718903600);
    backup.set_chmask(0x8001);
    ExpectRoundTrip(cgi::MODE_BACKUP, user, backup);

    cgi::StreamChannel channel;
    channel.set_mode(cgi::MODE_PLAYBACK);
    channel.set_stream_id(4294967295u);
    channel.set_vchmask(0);
    channel.set_achmask(0);
    channel.set_auto_stream(cgi::AUTO_STREAM_SUB);
    ExpectRoundTrip(cgi::MODE_STREAM_CHANNEL, user, channel);

    cgi::StreamStop stop;
    stop.set_stream_id(17);
    ExpectRoundTrip(cgi::MODE_STREAM_STOP, user, stop);

    cgi::PbControl control;
    control.set_stream_id(17);
    control.set_cmd(cgi::PbControl::CMD_STEP_REVERSE);
    ExpectRoundTrip(cgi::MODE_PB_CONTROL, user, control);

    cgi::Search search;
    search.set_chmask(65535);
    search.set_version(1);
    search.set_hours_include(true);
    search.set_start_time(1718841600);
    search.set_end_time(1718927999);
    ExpectRoundTrip(cgi::MODE_SEARCH, user, search);

    cgi::Ptzf ptz;
    ptz.set_cmd(cgi::Ptzf::CMD_PRESET_GO);
    ptz.set_channel(15);
    ptz.set_speed(7);
    ptz.set_preset(127);
    ExpectRoundTrip(cgi::MODE_PTZF, user, ptz);

    cgi::AutoPreset tour;
    tour.set_cmd(cgi::AutoPreset::CMD_START);
    tour.set_channel(3);
    tour.set_start_preset(0);
    tour.set_end_preset(16);
    tour.set_interval(300);
    ExpectRoundTrip(cgi::MODE_AUTO_PRESET, user, tour);

    cgi::RelayPort relay;
    relay.set_cmd(cgi::RelayPort::CMD_OFF);
    ExpectRoundTrip(cgi::MODE_RELAY_PORT, user, relay);

    cgi::DvrTime time;
    time.set_time(2145916800u);  // beyond 2038
    ExpectRoundTrip(cgi::MODE_DVR_TIME, user, time);

    cgi::SwUpgrade upgrade;
    upgrade.set_type(cgi::SwUpgrade::TYPE_KERNEL);
    ExpectRoundTrip(cgi::MODE_SW_UPGRADE, user, upgrade);

    cgi::PictureControlSet picture;
    picture.set_channel(9);
    picture.set_type(cgi::PictureControlSet::VSHARPNESS);
    picture.set_value(15);
    ExpectRoundTrip(cgi::MODE_SET_PICTURE_CONTROL, user, picture);

    for (cgi::Mode mode : {cgi::MODE_SET_DVR_CONF, cgi::MODE_RECORD_TO_DVR, cgi::MODE_GET_DVR_INFO,
                           cgi::MODE_GET_SYS_LOG, cgi::MODE_GET_PICTURE_CONTROL})
        ExpectRoundTrip(mode, user, cgi::NullMsg());
}

TEST(QueryEncoding, UnusualCredentialsRoundTrip)
{
    cgi::Search search;
    search.set_version(1);
    // EUC-KR and UTF-8 bytes, blanks, NUL and the query's own separators.
    ExpectRoundTrip(cgi::MODE_SEARCH, MakeUser("\xb0\xfc\xb8\xae\xc0\xda", "\xea\xb4\x80 a&b=c%2b+"),
                    search);
    ExpectRoundTrip(cgi::MODE_SEARCH, MakeUser("admin", std::string("a\0b\xff", 4)), search);
    ExpectRoundTrip(cgi::MODE_SEARCH, MakeUser("", ""), search);
    ExpectRoundTrip(cgi::MODE_SEARCH, MakeUser("admin", std::string(178, 'x')), search);
}

TEST(QueryEncoding, UserValueLimit)
{
    std::string query;
    // 178 characters give a USER value of 254 characters, the longest one possible.
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_LIVE, MakeUser("admin", std::string(178, 'a')),
                            cgi::NullMsg(), &query), 0);
    EXPECT_EQ(Split(query).user.size(), 254u);

    // 177 characters need one more Base64 group, escaped padding included: 256 characters.
    query = "stale";
    EXPECT_EQ(cgi::Data2Url(cgi::MODE_LIVE, MakeUser("admin", std::string(177, 'a')),
                            cgi::NullMsg(), &query), -1);
    EXPECT_EQ(query, "");
    query = "stale";
    EXPECT_EQ(cgi::Data2Url(cgi::MODE_LIVE, MakeUser("admin", std::string(180, 'a')),
                            cgi::NullMsg(), &query), -1);
    EXPECT_EQ(query, "");
}

TEST(QueryEncoding, QueryLengthLimit)
{
    // With this prefix the DATA value may hold 992 characters.
    const cgi::User user = MakeUser("admin", "");
    std::string query;
    cgi::User data;
    data.set_password(std::string(736, 'a'));
    ASSERT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, user, data, &query), 0);
    EXPECT_EQ(query.size(), 1023u);
    EXPECT_EQ(query.compare(0, 31, "MODE=14&USER=CgVhZG1pbhIA&DATA="), 0);
    cgi::User decoded;
    ASSERT_EQ(cgi::Url2Data(Split(query).data, &decoded), 0);
    EXPECT_EQ(decoded.password(), data.password());

    data.set_password(std::string(740, 'a'));  // 994 characters: 1025 in all
    query = "stale";
    EXPECT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, user, data, &query), -1);
    EXPECT_EQ(query, "");

    // Far beyond every buffer: refused before anything is serialized.
    data.set_password(std::string(1 << 20, 'a'));
    EXPECT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, user, data, &query), -1);
    EXPECT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, data, cgi::NullMsg(), &query), -1);
    EXPECT_EQ(query, "");
}

TEST(QueryDecoding, BadValuesLeaveTheTargetUnchanged)
{
    const cgi::User original = MakeUser("keep", "me");
    cgi::User user = original;
    // Not Base64; a short group; valid Base64 of a truncated string field; too long.
    for (const std::string& bad : {std::string("!!!!"), std::string("CgVhZG1pb"),
                                   std::string("CgVhZG0%3d"), std::string(1024, 'A')}) {
        EXPECT_EQ(cgi::Url2User(bad, &user), -1) << bad.substr(0, 16);
        EXPECT_EQ(user.SerializeAsString(), original.SerializeAsString());
        EXPECT_EQ(cgi::Url2Data(bad, &user), -1) << bad.substr(0, 16);
        EXPECT_EQ(user.SerializeAsString(), original.SerializeAsString());
    }

    // The longest acceptable value: 1020 Base64 characters of a 765-byte message and an
    // escaped carriage return, which ends the Base64 text.
    cgi::User longest;
    longest.set_password(std::string(762, 'a'));
    const std::string bin = longest.SerializeAsString();
    ASSERT_EQ(bin.size(), 765u);
    char text[1024];
    ASSERT_EQ(to64frombits(reinterpret_cast<const unsigned char*>(bin.data()), bin.size(), text,
                           sizeof text), 0);
    const std::string value = std::string(text) + "%0d";
    ASSERT_EQ(value.size(), 1023u);
    cgi::User decoded;
    ASSERT_EQ(cgi::Url2Data(value, &decoded), 0);
    EXPECT_EQ(decoded.password(), longest.password());
    EXPECT_EQ(cgi::Url2User(value + "A", &decoded), -1);
    EXPECT_EQ(decoded.password(), longest.password());

    // An empty value is an empty message.
    cgi::Live live;
    live.set_vchmask(3);
    EXPECT_EQ(cgi::Url2Data("", &live), 0);
    EXPECT_FALSE(live.has_vchmask());
}

TEST(QueryDecoding, ModeValues)
{
    EXPECT_EQ(cgi::Url2Mode("14"), 14);
    EXPECT_EQ(cgi::Url2Mode("0"), 0);
    EXPECT_EQ(cgi::Url2Mode(""), 0);
    EXPECT_EQ(cgi::Url2Mode("live"), 0);
    EXPECT_EQ(cgi::Url2Mode("7&USER="), 7);
    EXPECT_EQ(cgi::Url2Mode(" 22"), 22);
    EXPECT_EQ(cgi::Url2Mode("-3"), -3);
    EXPECT_EQ(cgi::Url2Mode("2147483647"), 2147483647);
    EXPECT_EQ(cgi::Url2Mode("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(cgi::Url2Mode("2147483648"), -1);
    EXPECT_EQ(cgi::Url2Mode("99999999999999999999999"), -1);
    EXPECT_EQ(cgi::Url2Mode(std::string(1023, '0') + "5"), -1);
    EXPECT_EQ(cgi::Url2Mode(std::string(1022, '0') + "5"), 5);
}

TEST(QueryDecoding, StreamModes)
{
    for (int mode = 0; mode <= 23; ++mode)
        EXPECT_EQ(cgi::Mode_IsStream(static_cast<cgi::Mode>(mode)), mode <= 2) << mode;
}
