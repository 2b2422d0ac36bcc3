#include "Common/PBFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <google/protobuf/message_lite.h>

namespace {

constexpr int MAX_DAMAGED_COPIES = 100;
constexpr char DAMAGED[] = "damaged";
constexpr char UNREAD[] = "unread";
constexpr char CHANGED[] = "changed";
// Marks a file being written before it takes its real name: "<name>.saving-XXXXXX".
constexpr char SAVING[] = "saving";

void reportOpenError(const std::string& path)
{
    std::fprintf(stderr, "error: file open error %s\n", path.c_str());
}

void reportCreateError(const std::string& path)
{
    std::fprintf(stderr, "error: file create error %s\n", path.c_str());
}

// Named by its path: the DVR list and the e-map list both come through here.
void reportInvalidFormat(const std::string& path)
{
    std::fprintf(stderr, "error: invalid file format %s\n", path.c_str());
}

// Reads the whole file; protobuf cannot parse more than INT_MAX bytes, so a larger
// file is refused rather than read into memory.
enum class ReadResult { Ok, Failed, TooLarge };

ReadResult readAll(int fd, std::string* out)
{
    struct stat st;
    if (fstat(fd, &st) == 0 && st.st_size > 0) {
        if (st.st_size > INT_MAX)
            return ReadResult::TooLarge;
        out->reserve(static_cast<size_t>(st.st_size));
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            return ReadResult::Ok;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ReadResult::Failed;
        }
        if (out->size() + static_cast<size_t>(n) > static_cast<size_t>(INT_MAX))
            return ReadResult::TooLarge;
        out->append(buffer, static_cast<size_t>(n));
    }
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// The rename must be on disk before the old contents can be thought gone.
void syncFolder(const std::string& path)
{
    const int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// A temporary file beside the one it becomes, locked until it has its real name: a load by
// another copy of the program tells it from one that a save cut short left behind.
class TempFile {
public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile()
    {
        if (m_lock >= 0)
            close(m_lock);
    }

    // Writes the bytes to a new file beside path, on disk before it is given a real name;
    // false when it could not be written (errno says why).
    bool write(const std::string& path, const std::string& head, const std::string& body);
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    int m_lock = -1;
};

bool TempFile::write(const std::string& path, const std::string& head, const std::string& body)
{
    std::string temp = path + "." + SAVING + "-XXXXXX";
    const int fd = mkostemp(&temp[0], O_CLOEXEC);  // mode 0600
    if (fd < 0)
        return false;
    m_lock = flock(fd, LOCK_EX) == 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
    bool ok = m_lock >= 0 && writeAll(fd, head.data(), head.size()) && writeAll(fd, body.data(), body.size());
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        const int error = errno;
        unlink(temp.c_str());
        errno = error;
        return false;
    }
    m_name = temp;
    return true;
}

// Writes a temporary file beside the target and renames it over the target, so a
// reader sees either the old or the new contents, never a part.
bool replaceFile(const std::string& target, const std::string& head, const std::string& body)
{
    TempFile temp;
    if (!temp.write(target, head, body))
        return false;
    if (std::rename(temp.name().c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temp.name().c_str());
        errno = error;
        return false;
    }
    syncFolder(target);
    return true;
}

// Whether `name`, beside the file `base`, is a temporary of a save of it or of a copy kept
// beside it, as TempFile names them.
bool isTempOf(const std::string& name, const std::string& base)
{
    static const std::regex tail(std::string("(\\.(") + DAMAGED + "|" + UNREAD + "|" + CHANGED +
                                 ")-[0-9]{8}-[0-9]{6}(-[0-9]+)?)?\\." + SAVING + "-[A-Za-z0-9]{6}");
    return name.size() > base.size() && name.compare(0, base.size(), base) == 0 &&
           std::regex_match(name.begin() + static_cast<std::ptrdiff_t>(base.size()), name.end(), tail);
}

// Removes a temporary file unless a save is still writing it.
void removeIfAbandoned(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
        unlink(path.c_str());
    close(fd);
}

// A save killed before its rename leaves a whole list under a temporary name for ever.
void removeAbandonedTemps(const std::string& target)
{
    const std::string folder = folderOf(target);
    const std::string base = target.substr(target.rfind('/') + 1);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> found;
    while (const dirent* entry = readdir(dir))
        if (isTempOf(entry->d_name, base))
            found.push_back(folder + "/" + entry->d_name);
    closedir(dir);
    for (const std::string& path : found)
        removeIfAbandoned(path);
}

// What this program last read from each list path or wrote to it (no value: there was no
// file); a path it has not read is not here. A save over anything else keeps that first.
struct Seen {
    std::mutex lock;  // guards files
    std::map<std::string, std::optional<std::string>> files;
};

Seen& seen()
{
    static Seen instance;
    return instance;
}

void rememberSeen(const std::string& path, std::optional<std::string> bytes)
{
    const std::lock_guard<std::mutex> guard(seen().lock);
    seen().files[path] = std::move(bytes);
}

void forgetSeen(const std::string& path)
{
    const std::lock_guard<std::mutex> guard(seen().lock);
    seen().files.erase(path);
}

// A path this program has not read is taken as unchanged: nothing says otherwise.
bool changedSinceSeen(const std::string& path, const std::string& bytes)
{
    const std::lock_guard<std::mutex> guard(seen().lock);
    const auto it = seen().files.find(path);
    return it != seen().files.end() && it->second != bytes;
}

// A link to the list kept elsewhere stays a link: the real file is the one replaced.
std::string resolveTarget(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool readVarint(const char** p, const char* end, uint64_t* value)
{
    *value = 0;
    for (int shift = 0; shift < 64 && *p < end; shift += 7) {
        const auto byte = static_cast<uint8_t>(*(*p)++);
        *value |= uint64_t(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

void appendVarint(std::string* out, uint64_t value)
{
    while (value >= 0x80) {
        out->push_back(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out->push_back(static_cast<char>(value));
}

enum WireType { VARINT = 0, FIXED64 = 1, LENGTH_DELIMITED = 2, FIXED32 = 5 };

// A container's whole fields; it is kept (when cut) only for what its shape names.
bool salvageContainer(const char* data, size_t size, const PBShape& shape, std::string* out, bool* holdsNamed);

// One length-delimited field whose announced length runs to `bodyEnd` at most. False when the
// damage lies in it or beyond its end.
bool salvageDelimited(const char* start, const char* body, uint64_t length, const char* end,
                      const PBShape::Field* field, uint64_t tag, std::string* out, bool* named)
{
    const bool cut = length > static_cast<uint64_t>(end - body);
    const size_t available = cut ? static_cast<size_t>(end - body) : static_cast<size_t>(length);
    if (field && field->container) {
        std::string inner;
        bool holdsNamed = false;
        const bool whole = salvageContainer(body, available, *field->container, &inner, &holdsNamed) && !cut;
        if (whole || holdsNamed) {
            appendVarint(out, tag);
            appendVarint(out, inner.size());
            out->append(inner);
            *named = true;
        }
        return whole;
    }
    if (cut)
        return false;
    if (field && field->record) {
        std::unique_ptr<google::protobuf::MessageLite> probe(field->record->New());
        if (!probe->ParseFromArray(body, static_cast<int>(available)))
            return false;
    }
    out->append(start, static_cast<size_t>(body + available - start));
    if (field)
        *named = true;
    return true;
}

bool salvageContainer(const char* data, size_t size, const PBShape& shape, std::string* out, bool* holdsNamed)
{
    const char* p = data;
    const char* const end = data + size;
    while (p < end) {
        const char* start = p;
        uint64_t tag = 0;
        if (!readVarint(&p, end, &tag) || (tag >> 3) == 0 || (tag >> 3) > 0x1fffffff)
            return false;
        uint64_t value = 0;
        switch (tag & 7) {
        case VARINT:
            if (!readVarint(&p, end, &value))
                return false;
            break;
        case FIXED64:
        case FIXED32: {
            const size_t width = (tag & 7) == FIXED64 ? 8 : 4;
            if (static_cast<size_t>(end - p) < width)
                return false;
            p += width;
            break;
        }
        case LENGTH_DELIMITED: {
            if (!readVarint(&p, end, &value))
                return false;
            const PBShape::Field* field = shape.find(static_cast<uint32_t>(tag >> 3));
            if (!salvageDelimited(start, p, value, end, field, tag, out, holdsNamed))
                return false;
            p += value;
            continue;
        }
        default:  // groups are not written by this program
            return false;
        }
        out->append(start, static_cast<size_t>(p - start));
    }
    return true;
}

std::string timeStamp(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool readFile(const std::string& path, std::string* out)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && readAll(fd, out) == ReadResult::Ok;
    close(fd);
    return ok;
}

// Writes the bytes under a new name, never over an existing file: false with EEXIST when the
// name is taken.
bool createFile(const std::string& path, const std::string& bytes)
{
    TempFile temp;
    if (!temp.write(path, bytes, std::string()))
        return false;
    const bool ok = link(temp.name().c_str(), path.c_str()) == 0;
    const int error = errno;
    unlink(temp.name().c_str());
    if (ok)
        syncFolder(path);
    errno = error;
    return ok;
}

// The name family of the copy a replaced file is kept as; null when it need not be kept.
const char* keptWhy(bool keepOld, bool valid, bool changed)
{
    if (keepOld)
        return UNREAD;
    if (!valid)
        return DAMAGED;
    return changed ? CHANGED : nullptr;
}

}  // namespace

const PBShape::Field* PBShape::find(uint32_t number) const
{
    for (const Field& field : fields)
        if (field.number == number)
            return &field;
    return nullptr;
}

bool SalvageBody(const char* data, size_t size, const PBShape& shape, std::string* out)
{
    bool holdsNamed = false;
    return salvageContainer(data, size, shape, out, &holdsNamed);
}

CPBFile::CPBFile(const std::string& path, const std::string& code)
    : m_path(path)
    , m_code(code)
{
}

CPBFile::LoadReport CPBFile::Load(google::protobuf::MessageLite* message, const PBShape& shape)
{
    removeAbandonedTemps(resolveTarget(m_path));
    forgetSeen(m_path);
    LoadReport report;
    // Non-blocking: opening a FIFO for reading would wait for a writer for ever; anything
    // that is not a regular file is refused below.
    const int fd = open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        report.error = errno;
        report.result = errno == ENOENT ? LoadResult::Missing : LoadResult::Unreadable;
        if (report.result == LoadResult::Missing)
            rememberSeen(m_path, std::nullopt);
        reportOpenError(m_path);
        return report;
    }
    report.result = LoadResult::Unreadable;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        report.error = errno;
        close(fd);
        return report;
    }
    if (!S_ISREG(st.st_mode)) {
        report.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(fd);
        reportOpenError(m_path);
        return report;
    }
    std::string bytes;
    const ReadResult read = readAll(fd, &bytes);
    const int readError = errno;
    close(fd);
    if (read == ReadResult::Failed) {
        report.error = readError;
        reportOpenError(m_path);
        return report;
    }
    report.result = LoadResult::Damaged;
    if (read == ReadResult::TooLarge) {
        // Too big to copy here; the first save moves it aside.
        reportInvalidFormat(m_path);
        return report;
    }
    rememberSeen(m_path, bytes);
    if (bytes.size() < m_code.size() || bytes.compare(0, m_code.size(), m_code) != 0) {
        reportInvalidFormat(m_path);
        report.keptAs = keepCopy(resolveTarget(m_path), bytes, st.st_mtime, DAMAGED);
        return report;
    }
    const char* body = bytes.data() + m_code.size();
    const size_t bodySize = bytes.size() - m_code.size();
    report.result = LoadResult::Read;
    if (bodySize == 0)
        return report;
    if (message->ParseFromArray(body, static_cast<int>(bodySize)))
        return report;
    // A failed parse leaves a part of the cut record in the message: only whole fields are
    // taken from a damaged body.
    reportInvalidFormat(m_path);
    report.result = LoadResult::Damaged;
    std::string whole;
    SalvageBody(body, bodySize, shape, &whole);
    message->Clear();
    if (!message->ParseFromString(whole))
        message->Clear();
    report.keptAs = keepCopy(resolveTarget(m_path), bytes, st.st_mtime, DAMAGED);
    return report;
}

std::string CPBFile::copyName(const std::string& target, std::time_t modified, const char* why, int number) const
{
    std::string name = target + "." + why + "-" + timeStamp(modified);
    if (number > 1)
        name += "-" + std::to_string(number);
    return name;
}

std::string CPBFile::keepCopy(const std::string& target, const std::string& bytes, std::time_t modified,
                              const char* why) const
{
    for (int number = 1; number <= MAX_DAMAGED_COPIES; ++number) {
        const std::string name = copyName(target, modified, why, number);
        if (createFile(name, bytes))
            return name;
        if (errno != EEXIST)
            break;
        std::string held;
        if (readFile(name, &held) && held == bytes)
            return name;
    }
    const int error = errno;
    reportCreateError(copyName(target, modified, why, 1));
    errno = error;
    return std::string();
}

bool CPBFile::holdsValidMessage(const std::string& bytes,
                                const google::protobuf::MessageLite& prototype) const
{
    if (bytes.size() < m_code.size() || bytes.compare(0, m_code.size(), m_code) != 0)
        return false;
    std::unique_ptr<google::protobuf::MessageLite> probe(prototype.New());
    return probe->ParseFromArray(bytes.data() + m_code.size(),
                                 static_cast<int>(bytes.size() - m_code.size()));
}

bool CPBFile::Save(const google::protobuf::MessageLite& message, SaveReport* report, bool keepOld)
{
    SaveReport scratch;
    SaveReport* out = report ? report : &scratch;
    *out = SaveReport();
    if (save(message, keepOld, out))
        return true;
    reportCreateError(m_path);
    return false;
}

bool CPBFile::save(const google::protobuf::MessageLite& message, bool keepOld, SaveReport* report)
{
    const auto failed = [report](int error) {
        report->error = error;
        return false;
    };
    std::string body;
    if (!message.SerializeToString(&body))
        return failed(EINVAL);

    const std::string target = resolveTarget(m_path);
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return failed(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        // A list the operator made read-only is left alone, also when we could override
        // the mode.
        if ((st.st_mode & 0222) == 0)
            return failed(EACCES);
        if (access(target.c_str(), W_OK) != 0)
            return failed(errno);
        const int error = keepReplaced(target, st.st_mtime, message, keepOld, report);
        if (error != 0)
            return failed(error);
    } else if (errno != ENOENT) {
        return failed(errno);
    }

    if (!replaceFile(target, m_code, body))
        return failed(errno);
    rememberSeen(m_path, m_code + body);
    return true;
}

int CPBFile::keepReplaced(const std::string& target, std::time_t modified,
                          const google::protobuf::MessageLite& message, bool keepOld, SaveReport* report) const
{
    const int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    std::string old;
    const ReadResult read = readAll(fd, &old);
    const int readError = errno;
    close(fd);
    if (read == ReadResult::Failed)
        return readError;
    if (read == ReadResult::TooLarge) {
        // Too big to copy: a second name keeps it once the new file takes its place.
        for (int number = 1; report->keptAs.empty() && number <= MAX_DAMAGED_COPIES; ++number) {
            const std::string name = copyName(target, modified, keepOld ? UNREAD : DAMAGED, number);
            if (link(target.c_str(), name.c_str()) == 0)
                report->keptAs = name;
        }
        return report->keptAs.empty() ? errno : 0;
    }
    report->changed = changedSinceSeen(m_path, old);
    const char* why = keptWhy(keepOld, holdsValidMessage(old, message), report->changed);
    if (!why)
        return 0;
    report->keptAs = keepCopy(target, old, modified, why);
    return report->keptAs.empty() ? errno : 0;
}
