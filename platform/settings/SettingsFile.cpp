#include "platform/settings/SettingsFile.h"

#include "platform/settings/SettingsError.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ErrorText(int error)
{
    return std::strerror(error);
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error)
{
    throw ESettingsError(what + " '" + path + "': " + ErrorText(error) + ".");
}

std::string ProgramName()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.filename().empty())
        return exe.filename().string();
    return "velmora";
}

bool WriteAll(int fd, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

} // namespace

std::string ApplicationConfigFolder()
{
    std::string base;
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        base = std::string(pw->pw_dir) + "/.config";
    else
        base = "/tmp";
    return base + "/" + ProgramName();
}

TFileReadResult ReadSettingsFile(const std::string& path, size_t limit, std::string& content)
{
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return TFileReadResult::Missing;
        Fail("Cannot read the file", path, errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno ? errno : EINVAL;
        ::close(fd);
        Fail("Cannot read the file", path, S_ISDIR(st.st_mode) ? EISDIR : error);
    }
    if (uint64_t(st.st_size) > limit) {
        ::close(fd);
        return TFileReadResult::TooLarge;
    }
    content.resize(size_t(st.st_size));
    size_t done = 0;
    for (;;) {
        if (done == content.size()) {
            // The file may have grown since: read on, within the limit.
            if (content.size() >= limit + 1)
                break;
            content.resize(std::min(limit + 1, content.size() + 65536));
        }
        const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            Fail("Cannot read the file", path, error);
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    ::close(fd);
    content.resize(done);
    if (done > limit) {
        content.clear();
        return TFileReadResult::TooLarge;
    }
    return TFileReadResult::Read;
}

TFileStamp StampOf(const std::string& path)
{
    struct stat st {};
    TFileStamp stamp;
    if (::stat(path.c_str(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = uint64_t(st.st_size);
    stamp.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

std::string ResolveSettingsPath(const std::string& path)
{
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::canonical(path, ec);
        if (!ec)
            return target.string();
    }
    return path;
}

TSettingsFileLock::TSettingsFileLock(const std::string& path, unsigned mode)
{
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec)
            Fail("Cannot create the folder of", path, ec.value());
    }
    // The file is replaced by renaming: after taking the lock, make sure it is still the
    // file the path names, else lock the new one. Each retry means another writer has
    // finished a save, so the retries end; a fixed number of them could run out while a
    // busy writer keeps saving, and fail a save that only had to wait.
    for (;;) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode);
        if (m_fd < 0)
            Fail("Cannot write the file", path, errno);
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int error = errno;
                ::close(m_fd);
                m_fd = -1;
                Fail("Cannot lock the file", path, error);
            }
        }
        struct stat locked {}, named {};
        if (::fstat(m_fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino)
            return;
        ::close(m_fd);
        m_fd = -1;
    }
}

TSettingsFileLock::~TSettingsFileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing releases the lock
}

TFileStamp ReplaceSettingsFile(const std::string& path, const std::string& content, unsigned mode)
{
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    struct stat old {};
    const bool existed = ::stat(path.c_str(), &old) == 0;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        Fail("Cannot write the file", path, errno);
    int error = 0;
    struct stat written {};
    if (!WriteAll(fd, content))
        error = errno;
    else if (existed && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    else if (::fsync(fd) != 0)
        error = errno;
    else if (::fstat(fd, &written) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        Fail("Cannot write the file", path, error);
    }
    // Taken from the file itself: once renamed, another writer may already replace it.
    TFileStamp stamp;
    stamp.exists = true;
    stamp.device = written.st_dev;
    stamp.inode = written.st_ino;
    stamp.size = uint64_t(written.st_size);
    stamp.modifiedNs = int64_t(written.st_mtim.tv_sec) * 1000000000 + written.st_mtim.tv_nsec;
    return stamp;
}
