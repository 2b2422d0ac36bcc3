#pragma once

// The 8-bit strings of the DVR configuration messages are EUC-KR (read as CP949, its
// superset, so that every Korean text a DVR stores survives). Every conversion between
// them and widget text goes through here.

#include <string>

#include <QString>

class CTextCodec {
public:
    // Bytes that form no character become U+FFFD (a private-use character for the few
    // bytes CP949 reserves); a lead byte cut off at the end too. Never reads past the string.
    static QString FromEucKr(const std::string& bytes);
    // Characters EUC-KR cannot hold become '?'.
    static std::string ToEucKr(const QString& text);
};
