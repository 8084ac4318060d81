// TAtomicFile: writes a file so that readers see either the old file or the complete
// new one, never a part: the bytes go to a temporary file beside the target, which
// Commit flushes to the disk and renames over the target. A writer dropped without
// Commit (an error on the way, an exception) removes the temporary file and leaves
// the target as it was.
#pragma once

#include "platform/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Writing a file failed; the message names the file and the system's reason.
class EFileError : public Exception {
    using Exception::Exception;
};

class TAtomicFile {
public:
    // Creates the temporary file; throws EFileError when the folder does not exist or
    // cannot be written.
    explicit TAtomicFile(std::string path);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    const std::string& Path() const { return m_path; }
    void Write(const void* data, size_t size);
    void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
    // Flushes, closes and renames over the target (an existing file keeps its access
    // mode). Throws EFileError on a full disk or any other failure, the target untouched.
    void Commit();

private:
    [[noreturn]] void Fail(const char* what, int error);

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    bool m_committed = false;
};
