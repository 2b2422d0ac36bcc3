// Arbitrary bytes into every query decoder, and encode-decode round trips of whatever
// parses as a request.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cgi_request.pb.h"
#include "dvr_protocol/base64.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/urlcodec.h"
#include "fuzz_util.h"

namespace {

void DecodeRaw(const std::string& input)
{
    const size_t textlen = std::strlen(input.c_str());

    std::vector<char> text(input.size() + 1);
    int len = -1;
    CHECK(urldecode(input.c_str(), text.data(), text.size(), &len) == 0);
    CHECK(len >= 0 && static_cast<size_t>(len) <= textlen && text[len] == '\0');
    char small[8];
    if (urldecode(input.c_str(), small, sizeof small, &len) == 0)
        CHECK(static_cast<size_t>(len) < sizeof small);

    // Four characters give at most three bytes.
    std::vector<unsigned char> bits(textlen / 4 * 3 + 1);
    len = -1;
    const int rc = from64tobits(input.c_str(), bits.data(), bits.size(), &len);
    CHECK(len >= 0 && static_cast<size_t>(len) <= bits.size());
    if (rc == 0) {
        // What decodes cleanly encodes back to text that decodes to the same bytes.
        std::vector<char> again(static_cast<size_t>(len) / 3 * 4 + 5);
        CHECK(to64frombits(bits.data(), static_cast<size_t>(len), again.data(), again.size()) == 0);
        std::vector<unsigned char> bits2(bits.size() + 3);
        int len2 = -1;
        CHECK(from64tobits(again.data(), bits2.data(), bits2.size(), &len2) == 0);
        CHECK(len2 == len && std::memcmp(bits.data(), bits2.data(), static_cast<size_t>(len)) == 0);
    }
    unsigned char tiny[2];
    from64tobits(input.c_str(), tiny, sizeof tiny, &len);
    CHECK(len >= 0 && len <= 2);

    cgi::User user;
    cgi::Url2User(input, &user);
    cgi::Search search;
    cgi::Url2Data(input, &search);
    cgi::StreamChannel channel;
    cgi::Url2Data(input, &channel);
    cgi::Url2Mode(input);
}

// Input layout: mode byte, user length byte, the user's bytes, the request's bytes.
void RoundTrip(const uint8_t* data, size_t size)
{
    if (size < 2)
        return;
    const cgi::Mode mode = static_cast<cgi::Mode>(data[0] % 24);
    const size_t userlen = data[1] < size - 2 ? data[1] : size - 2;
    cgi::User user;
    cgi::StreamChannel request;
    if (!user.ParseFromArray(data + 2, static_cast<int>(userlen))
        || !request.ParseFromArray(data + 2 + userlen, static_cast<int>(size - 2 - userlen)))
        return;

    std::string query = "stale";
    const int rc = cgi::Data2Url(mode, user, request, &query);
    // Small enough to fit even if every Base64 character were escaped.
    if (user.ByteSizeLong() <= 63 && request.ByteSizeLong() <= 180)
        CHECK(rc == 0);
    if (rc != 0) {
        CHECK(rc == -1 && query.empty());
        return;
    }
    CHECK(query.size() <= 1023);

    const size_t u = query.find("&USER=");
    const size_t d = query.find("&DATA=");
    CHECK(query.compare(0, 5, "MODE=") == 0 && u != std::string::npos && d != std::string::npos);
    CHECK(cgi::Url2Mode(query.substr(5, u - 5)) == static_cast<int>(mode));
    cgi::User user2;
    CHECK(cgi::Url2User(query.substr(u + 6, d - u - 6), &user2) == 0);
    CHECK(user2.SerializeAsString() == user.SerializeAsString());
    cgi::StreamChannel request2;
    CHECK(cgi::Url2Data(query.substr(d + 6), &request2) == 0);
    CHECK(request2.SerializeAsString() == request.SerializeAsString());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeRaw(std::string(reinterpret_cast<const char*>(data), size));
    RoundTrip(data, size);
    return 0;
}
