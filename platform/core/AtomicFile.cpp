#include "platform/core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TAtomicFile::TAtomicFile(std::string path) : m_path(std::move(path))
{
    static std::atomic<unsigned> counter{0};
    m_temp = m_path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    struct stat target {};
    if (::stat(m_path.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
        Fail("Cannot write the file", EISDIR);
    m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (m_fd < 0)
        Fail("Cannot write the file", errno);
}

TAtomicFile::~TAtomicFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        ::unlink(m_temp.c_str());
}

void TAtomicFile::Write(const void* data, size_t size)
{
    if (m_fd < 0)
        throw EFileError("The file '" + m_path + "' is already closed.");
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail("Cannot write the file", errno);
        }
        bytes += written;
        size -= size_t(written);
    }
}

void TAtomicFile::Commit()
{
    if (m_fd < 0)
        throw EFileError("The file '" + m_path + "' is already closed.");
    struct stat old {};
    if (::stat(m_path.c_str(), &old) == 0 && ::fchmod(m_fd, old.st_mode & 07777) != 0)
        Fail("Cannot write the file", errno);
    if (::fsync(m_fd) != 0)
        Fail("Cannot write the file", errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        Fail("Cannot write the file", errno);
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0)
        Fail("Cannot write the file", errno);
    m_committed = true;
}

void TAtomicFile::Fail(const char* what, int error)
{
    throw EFileError(std::string(what) + " '" + m_path + "': " + std::strerror(error) + ".");
}
