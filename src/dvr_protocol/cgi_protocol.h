#pragma once

#include <string>

#include <google/protobuf/message_lite.h>

#include "cgi_request.pb.h"

// The query of a current-protocol request: "MODE=<mode>&USER=<user>&DATA=<data>", where
// each message is serialized, Base64-encoded and URL-encoded.
//
// Limits of the format: an encoded USER value holds at most 255 characters, an encoded
// DATA value and the whole query at most 1023. A request beyond them is refused as a whole;
// it is never cut short.
namespace cgi {

// Builds the query into *output. Returns 0, or -1 when the request is over the limits; on
// failure *output is left empty so that a stale query can never go out by mistake.
int Data2Url(const Mode& mode, const User& user, const google::protobuf::MessageLite& data,
             std::string* output);

// The decoding direction, as a DVR reads the query. Each takes one parameter's value.
// Url2User and Url2Data return 0, or -1 when the value is longer than 1023 characters,
// is not valid Base64 or does not parse as the message; on failure the target is unchanged.
int Url2User(const std::string& value, User* user);
int Url2Data(const std::string& value, google::protobuf::MessageLite* data);

// The leading decimal number of the value (0 when there is none); -1 when the value is
// longer than 1023 characters or the number does not fit an int.
int Url2Mode(const std::string& value);

// True for the kinds that open a stream: live, playback and backup.
bool Mode_IsStream(const Mode& mode);

}  // namespace cgi
