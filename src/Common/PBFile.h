#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

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

// How a damaged body is read: the fields named here hold messages. A container cut by the
// damage is read into as far as it goes and kept when it still holds a whole field named in
// its own shape; a record is kept only whole and when it parses. Every other field is kept
// only whole.
struct PBShape {
    struct Field {
        uint32_t number;
        const PBShape* container;
        const google::protobuf::MessageLite* record;
    };
    std::vector<Field> fields;

    const Field* find(uint32_t number) const;
};

// The longest run of whole fields at the start of a body, read as the shape says, serialized
// again; false when the body was damaged somewhere.
bool SalvageBody(const char* data, size_t size, const PBShape& shape, std::string* out);

// A file made of an ASCII code (no terminator, no length) and one serialized message
// running to the end of the file. The path is in the local 8-bit file name encoding.
class CPBFile {
public:
    CPBFile(const std::string& path, const std::string& code);

    enum class LoadResult {
        Read,        // the whole file
        Missing,     // no file: nothing to read
        Unreadable,  // the file could not be read; nothing was taken from it
        Damaged,     // a foreign or damaged file: what was whole before the damage was read
    };
    struct LoadReport {
        LoadResult result = LoadResult::Read;
        // Where a damaged file is kept (empty when it could not be copied); the list file
        // itself stays as it is until the next save.
        std::string keptAs;
        // Why an unreadable file was not read: an errno value, EISDIR for a folder and EINVAL
        // for anything else that is not a regular file.
        int error = 0;
    };

    // Fills the freshly built message from the file. A missing file leaves it empty; a foreign
    // one leaves it empty and a damaged one holds the whole fields read before the damage, as
    // the shape says; both are kept under a dated name at once. Temporary files left beside it
    // by a save that was cut short are removed first.
    LoadReport Load(google::protobuf::MessageLite* message, const PBShape& shape = PBShape());

    struct SaveReport {
        // Why the file could not be written: an errno value; EACCES also for a list the
        // operator made read-only, EISDIR for a folder and EINVAL for anything else that is
        // not a regular file in its place.
        int error = 0;
        // Where the file replaced was kept, when it was.
        std::string keptAs;
        // The file replaced was not what this program last read from the path or wrote to it.
        bool changed = false;
    };

    // Replaces the file with the code and the message, all or nothing: on any failure the
    // old file stays as it was. A file that does not hold a readable message of this kind is
    // kept beside it under a name holding its modification time ("<name>.damaged-YYYYMMDD-
    // hhmmss", a number added when that is taken by other contents) before it is replaced; no
    // save ever writes over such a copy. With keepOld any file there is kept so
    // ("<name>.unread-..."): one the caller could not read. A file that is not what this
    // program last read from the path or wrote to it (when it did either) was changed by
    // someone else and is kept so too ("<name>.changed-..."). The new file is readable by its
    // owner only, since the lists hold DVR passwords. False when the file could not be written
    // (the reason goes to standard error and, when given, into *report).
    [[nodiscard]] bool Save(const google::protobuf::MessageLite& message, SaveReport* report = nullptr,
                            bool keepOld = false);

private:
    bool holdsValidMessage(const std::string& bytes, const google::protobuf::MessageLite& prototype) const;
    bool save(const google::protobuf::MessageLite& message, bool keepOld, SaveReport* report);
    // Keeps the file about to be replaced when it must not be lost: 0, or an errno value.
    int keepReplaced(const std::string& target, std::time_t modified, const google::protobuf::MessageLite& message,
                     bool keepOld, SaveReport* report) const;
    // The path of the copy holding these bytes, made when there is none; empty on failure.
    std::string keepCopy(const std::string& target, const std::string& bytes, std::time_t modified,
                         const char* why) const;
    std::string copyName(const std::string& target, std::time_t modified, const char* why, int number) const;

    const std::string m_path;
    const std::string m_code;
};
