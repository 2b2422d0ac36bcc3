#pragma once

#include <string>
#include <vector>

// Reads one disk line of an old DVR's information page:
// "HDD<n> : used <u>MB - free <f>MB", one white-space character between the parts.
class CHddParser {
public:
    // The first disk line in the text; the result is then the disk digit, the used and the
    // free megabytes as digit strings, or nothing without a match.
    void parse(const std::string& text);
    const std::vector<std::string>& getResult() const { return m_result; }

private:
    std::vector<std::string> m_result;
};
