#pragma once

#include <string>

#include "dvr_conf.pb.h"

// A 16-channel configuration with every field of every message set, each channel to its own
// values, and unknown bytes inside the carried-unchanged parts.
config::DvrConf FullConf16();

// Fields 1..5 of every wire type, as a DVR may send inside the carried-unchanged parts.
std::string UnknownFields(int seed);

std::string ToHex(const std::string& bytes);
// The bytes of a hex file under tests/sys_conf/data; empty when unreadable or malformed.
std::string ReadHexFile(const std::string& name);
