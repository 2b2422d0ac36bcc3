#include <memory>
#include <regex>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "cgi_request.pb.h"
#include "dvr_protocol/base64.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/urlcodec.h"

namespace {

cgi::User MakeUser(const std::string& name, const std::string& password)
{
    cgi::User user;
    user.set_name(name);
    user.set_password(password);
    return user;
}

// Encodes a request, then decodes it as a DVR would; returns the query.
std::string ExpectRoundTrip(cgi::Mode mode, const cgi::User& user, const google::protobuf::MessageLite& data)
{
    std::string query;
    std::smatch m;
    EXPECT_EQ(cgi::Data2Url(mode, user, data, &query), 0);
    EXPECT_TRUE(std::regex_match(query, m, std::regex("MODE=([^&]*)&USER=([^&]*)&DATA=([^&]*)"))) << query;
    cgi::User decodedUser;
    std::unique_ptr<google::protobuf::MessageLite> decoded(data.New());
    EXPECT_TRUE(cgi::Url2Mode(m[1]) == mode && cgi::Url2User(m[2], &decodedUser) == 0
                && cgi::Url2Data(m[3], decoded.get()) == 0) << query;
    EXPECT_EQ(decodedUser.SerializeAsString(), user.SerializeAsString());
    EXPECT_EQ(decoded->SerializeAsString(), data.SerializeAsString());
    return query;
}

}  // namespace

TEST(QueryCodecs, Base64AndUrlEncodingAndBounds)
{
    const std::pair<std::string, std::string> vectors[] = {{"", ""}, {"ab", "YWI="}, {"\xfb\xff", "+/8="},
                                                           {"fooba", "Zm9vYmE="}, {std::string(4, '\0'), "AAAAAA=="}};
    char text[16];
    for (const auto& [in, out] : vectors)
        EXPECT_TRUE(to64frombits(reinterpret_cast<const unsigned char*>(in.data()), in.size(), text, sizeof text) == 0
                    && text == out) << out;
    // Decoded bytes (before a bad group, the groups before it) and result.
    const std::tuple<const char*, std::string, int> cases[] = {
        {"YQ==", "a", 0}, {"+ YWJj", "abc", 0},  // a leading "+ " is skipped
        {"YWI=YWJj", "ab", 0}, {"YWJj\r\nYWJj", "abc", 0}, {"\rYWJj", "", 0},  // the end: "=" or CR
        {"YW", "", -1}, {"Y=Jj", "", -1}, {"=WJj", "", -1}, {"YW!j", "", -1}, {"YWJj YWJj", "abc", -1},
        {"+ ", "", -1}, {"YW\xc3\xa9", "", -1}, {"\x80WJj", "", -1}, {"YWJjYW", "abc", -1},
    };
    unsigned char bytes[64];
    int len = -7;
    for (const auto& [in, out, rc] : cases) {
        EXPECT_EQ(from64tobits(in, bytes, sizeof bytes, &len), rc) << in;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), len >= 0 && len < 64 ? len : 64), out) << in;
    }
    // The room is checked per group.
    EXPECT_TRUE(from64tobits("YWJjYWJj", bytes, 5, &len) == -1 && len == 3);
    EXPECT_TRUE(from64tobits("YWJjYWI=", bytes, 5, &len) == 0 && len == 5);

    // URL: only the unsafe bytes are escaped; a "%" without two hex digits stays literal.
    const std::string kept = "-./0123456789:@ABCDEFGHIJKLMNOPQRSTUVWXYZ\\_abcdefghijklmnopqrstuvwxyz";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b), *hex = "0123456789abcdef";
        char out[4];
        ASSERT_EQ(urlencode(&c, 1, out, sizeof out), 0);
        EXPECT_EQ(out, kept.find(c) != std::string::npos ? std::string(1, c) : std::string({'%', hex[b >> 4], hex[b & 15]}));
    }
    const std::pair<const char*, std::string> urls[] = {
        {"YWI%3d", "YWI="}, {"%2bw%3D%3d", "+w=="}, {"%4A%4a%ff%FF", "JJ\xff\xff"}, {"a+b c", "a+b c"},
        {"a%00b", std::string("a\0b", 3)}, {"", ""}, {"%", "%"}, {"100%", "100%"}, {"%4", "%4"},
        {"%zz", "%zz"}, {"%4g1", "%4g1"}, {"%%41", "%A"}, {"%g%41", "%gA"},
    };
    char out[64];
    for (const auto& [in, decoded] : urls) {
        len = -7;
        EXPECT_EQ(urldecode(in, out, sizeof out, &len), 0);
        EXPECT_EQ(std::string(out, len >= 0 && len < 64 ? len + 1 : 0), decoded + '\0') << in;
    }
    // Too small a buffer gives an empty text.
    EXPECT_TRUE(urldecode("abcd", out, 4, &len) == -1 && out[0] == '\0');
    EXPECT_TRUE(urldecode("ab%63", out, 4, &len) == 0 && std::string(out) == "abc");
}

TEST(QueryEncoding, GoldenQueriesAndRoundTrips)
{
    cgi::User nameOnly;
    nameOnly.set_name("admin");
    cgi::Search search;
    search.set_chmask(65535);
    search.set_version(1);
    search.set_hours_include(true);
    search.set_start_time(1700000000);
    search.set_end_time(1700086399);
    cgi::Live live;
    live.set_codec(cgi::CODEC_SUB);
    live.set_vchmask(0xff);
    live.set_achmask(0);
    struct Case { cgi::Mode mode; cgi::User user; const google::protobuf::MessageLite& data; const char* query; };
    const Case cases[] = {
        {cgi::MODE_RESET_DVR, MakeUser("admin", ""), cgi::NullMsg(), "MODE=14&USER=CgVhZG1pbhIA&DATA="},
        // Without a password the Base64 padding shows up escaped.
        {cgi::MODE_GET_DVR_CONF, nameOnly, cgi::NullMsg(), "MODE=22&USER=CgVhZG1pbg%3d%3d&DATA="},
        {cgi::MODE_SEARCH, MakeUser("admin", "1234"), search,
         "MODE=6&USER=CgVhZG1pbhIEMTIzNA%3d%3d&DATA=CP//AxABGAEggOLPqgYo/4TVqgY%3d"},
        {cgi::MODE_LIVE, MakeUser("operator", "p@ss w0rd"), live,
         "MODE=0&USER=CghvcGVyYXRvchIJcEBzcyB3MHJk&DATA=CAEQ/wEYAA%3d%3d"},
        {cgi::MODE_GET_HDD_INFO, cgi::User(), cgi::Live(), "MODE=17&USER=&DATA="},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpectRoundTrip(c.mode, c.user, c.data), c.query);
    // EUC-KR and UTF-8 bytes, blanks, NUL and the query's own separators.
    const std::string password = "\xea\xb4\x80 a&b=c%2b+" + std::string("\0\xff", 2);
    ExpectRoundTrip(cgi::MODE_SEARCH, MakeUser("\xb0\xfc\xb8\xae\xc0\xda", password), search);
}

// Too long a value or query is refused whole and nothing is sent, never cut.
TEST(QueryCodecs, ValueAndQueryLimitsAndBadValues)
{
    // A 178-character password gives the longest USER value, 254 characters; with this prefix the
    // DATA value may hold 992 characters: a 1023-character query.
    EXPECT_EQ(ExpectRoundTrip(cgi::MODE_LIVE, MakeUser("admin", std::string(178, 'a')), cgi::NullMsg()).size(),
              std::string("MODE=0&USER=&DATA=").size() + 254);
    cgi::User data;
    data.set_password(std::string(736, 'a'));
    EXPECT_EQ(ExpectRoundTrip(cgi::MODE_RESET_DVR, MakeUser("admin", ""), data).size(), 1023u);
    // A 177-character password needs one more Base64 group with escaped padding (256); DATA of
    // 1025 characters; 1024 in Base64; far beyond every buffer.
    for (const auto& [userLength, dataLength] : {std::pair{177, 0}, {180, 0}, {0, 740}, {0, 765}, {0, 1 << 20}}) {
        data.set_password(std::string(size_t(dataLength), 'a'));
        std::string query = "stale";
        const cgi::User user = MakeUser("admin", std::string(size_t(userLength), 'a'));
        EXPECT_EQ(cgi::Data2Url(cgi::MODE_RESET_DVR, user, data, &query), -1);
        EXPECT_EQ(query, "") << userLength << " " << dataLength;
    }

    // Decoding: a bad value leaves the target unchanged.
    const cgi::User original = MakeUser("keep", "me");
    cgi::User decoded = original;
    // Not Base64; a short group; Base64 of a truncated string field; too long.
    for (const std::string& bad : {std::string("!!!!"), std::string("CgVhZG1pb"), std::string("CgVhZG0%3d"),
                                   std::string(1024, 'A')}) {
        EXPECT_TRUE(cgi::Url2User(bad, &decoded) == -1 && cgi::Url2Data(bad, &decoded) == -1) << bad.substr(0, 16);
        EXPECT_EQ(decoded.SerializeAsString(), original.SerializeAsString());
    }
    // The longest acceptable value: 1020 Base64 characters of a 765-byte message and an
    // escaped carriage return, which ends the Base64 text.
    cgi::User longest;
    longest.set_password(std::string(762, 'a'));
    const std::string bytes = longest.SerializeAsString();
    char text[1100];
    ASSERT_EQ(to64frombits(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), text, sizeof text), 0);
    const std::string value = text + std::string("%0d");
    ASSERT_EQ(value.size(), 1023u);
    ASSERT_EQ(cgi::Url2Data(value, &decoded), 0);
    EXPECT_EQ(decoded.password(), longest.password());
    EXPECT_EQ(cgi::Url2User(value + "A", &decoded), -1);
    EXPECT_EQ(cgi::Url2Data("", &decoded), 0);  // an empty value is an empty message
    EXPECT_FALSE(decoded.has_password());

    const std::pair<std::string, int> modes[] = {
        {"14", 14}, {"", 0}, {"live", 0}, {"7&USER=", 7}, {" 22", 22}, {"-3", -3},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", -1},
        {"99999999999999999999999", -1}, {std::string(1023, '0') + "5", -1}, {std::string(1022, '0') + "5", 5},
    };
    for (const auto& m : modes)
        EXPECT_EQ(cgi::Url2Mode(m.first), m.second) << m.first.substr(0, 24);
    for (int mode = 0; mode <= 23; ++mode)
        EXPECT_EQ(cgi::Mode_IsStream(static_cast<cgi::Mode>(mode)), mode <= 2) << mode;
}
