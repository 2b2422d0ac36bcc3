#include "dvr_protocol/cgi_protocol.h"

#include <cassert>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "dvr_protocol/base64.h"
#include "dvr_protocol/urlcodec.h"

namespace cgi {

namespace {

// Buffer sizes of the format, each with room for a terminating NUL.
const size_t kBinarySize = 1024;     // serialized message
const size_t kBase64Size = 1024;     // Base64 text of it
const size_t kUserValueSize = 256;   // encoded USER value
const size_t kDataValueSize = 1024;  // encoded DATA value
const size_t kQuerySize = 1024;      // whole query
// The longest parameter value a query can carry.
const size_t kMaxValueLength = kQuerySize - 1;

int Bin2Url(const unsigned char* in, int inlen, char* out, size_t outsize)
{
    assert(inlen >= 0 && "inlen >= 0");
    if (inlen < 0)
        return -1;
    char text[kBase64Size];
    if (to64frombits(in, static_cast<size_t>(inlen), text, sizeof text) != 0)
        return -1;
    return urlencode(text, std::strlen(text), out, outsize);
}

int Proto2Url(const google::protobuf::MessageLite& message, char* out, size_t outsize)
{
    assert(out != nullptr && "out != NULL");
    if (out == nullptr)
        return -1;
    // Sized before serializing, so an oversized message never touches the buffer.
    const size_t size = message.ByteSizeLong();
    if (size > kBinarySize)
        return -1;
    unsigned char bin[kBinarySize];
    if (!message.SerializeToArray(bin, static_cast<int>(size)))
        return -1;
    return Bin2Url(bin, static_cast<int>(size), out, outsize);
}

// URL-decodes and Base64-decodes one value and parses it into `message`.
bool Url2Message(const std::string& value, google::protobuf::MessageLite* message)
{
    if (value.size() > kMaxValueLength)
        return false;
    // The decoded text is never longer than the value.
    char text[kMaxValueLength + 1];
    int textlen = 0;
    if (urldecode(value.c_str(), text, sizeof text, &textlen) != 0)
        return false;
    unsigned char bin[kBinarySize];
    int binlen = 0;
    if (from64tobits(text, bin, sizeof bin, &binlen) != 0)
        return false;
    return message->ParseFromArray(bin, binlen);
}

}  // namespace

int Data2Url(const Mode& mode, const User& user, const google::protobuf::MessageLite& data,
             std::string* output)
{
    assert(output != nullptr && "output != NULL");
    if (output == nullptr)
        return -1;
    output->clear();

    char userValue[kUserValueSize];
    char dataValue[kDataValueSize];
    if (Proto2Url(user, userValue, sizeof userValue) != 0
        || Proto2Url(data, dataValue, sizeof dataValue) != 0)
        return -1;

    char query[kQuerySize];
    const int n = std::snprintf(query, sizeof query, "MODE=%d&USER=%s&DATA=%s",
                                static_cast<int>(mode), userValue, dataValue);
    if (n < 0 || static_cast<size_t>(n) >= sizeof query)
        return -1;
    output->assign(query, static_cast<size_t>(n));
    return 0;
}

int Url2User(const std::string& value, User* user)
{
    assert(user != nullptr && "user != NULL");
    if (user == nullptr)
        return -1;
    User parsed;
    if (!Url2Message(value, &parsed))
        return -1;
    user->Swap(&parsed);
    return 0;
}

int Url2Data(const std::string& value, google::protobuf::MessageLite* data)
{
    assert(data != nullptr && "data != NULL");
    if (data == nullptr)
        return -1;
    // Parsed aside, so that a bad value leaves the caller's message as it was.
    std::unique_ptr<google::protobuf::MessageLite> parsed(data->New());
    if (!Url2Message(value, parsed.get()))
        return -1;
    data->Clear();
    data->CheckTypeAndMergeFrom(*parsed);
    return 0;
}

int Url2Mode(const std::string& value)
{
    if (value.size() > kMaxValueLength)
        return -1;
    const char* p = value.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long number = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        number = number * 10 + (*p - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return -1;
    }
    if (negative)
        number = -number;
    if (number > INT_MAX || number < INT_MIN)
        return -1;
    return static_cast<int>(number);
}

bool Mode_IsStream(const Mode& mode)
{
    return mode == MODE_LIVE || mode == MODE_PLAYBACK || mode == MODE_BACKUP;
}

}  // namespace cgi
