#pragma once

#include <string>

#include "dvr_conf.pb.h"

// A 16-channel configuration with every field of every message set, each channel to its own
// values, and bytes the client does not know inside the carried-unchanged parts.
config::DvrConf FullConf16();

// Bytes made of fields 1..5 of every wire type, for the carried-unchanged parts.
std::string UnknownFields(int seed);

std::string ToHex(const std::string& bytes);
// Whitespace between the digits is ignored; false on any other character or an odd count.
bool FromHex(const std::string& hex, std::string* bytes);

// A file under tests/sys_conf/data.
std::string DataPath(const std::string& name);
