#include "Common/PBFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <google/protobuf/message_lite.h>

namespace {

const char INVALID_FORMAT_TEXT[] = "Invalid file format(DVR list)";

void reportOpenError(const std::string& path)
{
    std::fprintf(stderr, "error: file open error %s\n", path.c_str());
}

void reportCreateError(const std::string& path)
{
    std::fprintf(stderr, "error: file create error %s\n", path.c_str());
}

void reportInvalidFormat()
{
    std::fputs(INVALID_FORMAT_TEXT, stderr);
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

// Writes a temporary file beside the target and renames it over the target, so a
// reader sees either the old or the new contents, never a part.
bool replaceFile(const std::string& target, const std::string& head, const std::string& body)
{
    std::string temp = target + ".XXXXXX";
    const int fd = mkostemp(&temp[0], O_CLOEXEC);  // mode 0600
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, head.data(), head.size()) && writeAll(fd, body.data(), body.size());
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    syncFolder(target);
    return true;
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

}  // namespace

CPBFile::CPBFile(const std::string& path, const std::string& code)
    : m_path(path)
    , m_code(code)
{
}

void CPBFile::Load(google::protobuf::MessageLite* message)
{
    // Non-blocking: opening a FIFO for reading would wait for a writer for ever; anything
    // that is not a regular file is refused below.
    const int fd = open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reportOpenError(m_path);
        return;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        reportOpenError(m_path);
        return;
    }
    std::string bytes;
    const ReadResult read = readAll(fd, &bytes);
    close(fd);
    if (read == ReadResult::Failed) {
        reportOpenError(m_path);
        return;
    }
    if (read == ReadResult::TooLarge || bytes.size() < m_code.size()
        || bytes.compare(0, m_code.size(), m_code) != 0) {
        reportInvalidFormat();
        return;
    }
    const size_t bodySize = bytes.size() - m_code.size();
    if (bodySize == 0)
        return;
    if (!message->ParseFromArray(bytes.data() + m_code.size(), static_cast<int>(bodySize)))
        reportInvalidFormat();
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

bool CPBFile::Save(const google::protobuf::MessageLite& message)
{
    std::string body;
    if (!message.SerializeToString(&body)) {
        reportCreateError(m_path);
        return false;
    }

    const std::string target = resolveTarget(m_path);
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        // A list the operator made read-only is left alone, also when we could override
        // the mode.
        if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) {
            reportCreateError(m_path);
            return false;
        }
        const int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            reportCreateError(m_path);
            return false;
        }
        std::string old;
        const ReadResult read = readAll(fd, &old);
        close(fd);
        if (read == ReadResult::Failed) {
            reportCreateError(m_path);
            return false;
        }
        const std::string backup = target + ".bak";
        if (read == ReadResult::TooLarge) {
            // Too big to copy: move it aside and put it back if the new file fails.
            if (std::rename(target.c_str(), backup.c_str()) != 0) {
                reportCreateError(backup);
                return false;
            }
            if (!replaceFile(target, m_code, body)) {
                std::rename(backup.c_str(), target.c_str());
                reportCreateError(m_path);
                return false;
            }
            return true;
        }
        if (!holdsValidMessage(old, message) && !replaceFile(backup, std::string(), old)) {
            reportCreateError(backup);
            return false;
        }
    } else if (errno != ENOENT) {
        reportCreateError(m_path);
        return false;
    }

    if (!replaceFile(target, m_code, body)) {
        reportCreateError(m_path);
        return false;
    }
    return true;
}
