#pragma once

#include <string>

namespace google {
namespace protobuf {
class MessageLite;
}
}  // namespace google

// The two list files kept beside the program, each a file code followed by one message.
constexpr char PB_DVRLIST_FILENAME[] = "DVRlist.pb";
constexpr char PB_DVRLIST_FILECODE[] = "DVRLIST_PB";
constexpr char PB_EMAPLIST_FILENAME[] = "EMaplist.pb";
constexpr char PB_EMAPLIST_FILECODE[] = "EMAPLIST_PB";

// A file made of an ASCII code (no terminator, no length) and one serialized message
// running to the end of the file. The path is in the local 8-bit file name encoding.
class CPBFile {
public:
    CPBFile(const std::string& path, const std::string& code);

    // Fills the freshly built message from the file. A missing or foreign file leaves it
    // empty; a damaged body leaves what could be read before the damage.
    void Load(google::protobuf::MessageLite* message);

    // Replaces the file with the code and the message, all or nothing: on any failure the
    // old file stays as it was. A file that does not hold a readable message of this
    // kind is kept beside it as "<name>.bak" before it is replaced. The new file is
    // readable by its owner only, since the lists hold DVR passwords. False when the file
    // could not be written (the reason goes to standard error).
    [[nodiscard]] bool Save(const google::protobuf::MessageLite& message);

private:
    bool holdsValidMessage(const std::string& bytes, const google::protobuf::MessageLite& prototype) const;

    const std::string m_path;
    const std::string m_code;
};
