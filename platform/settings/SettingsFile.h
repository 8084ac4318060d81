// Reading and replacing whole settings files. A file is replaced by writing a temporary
// file beside it and renaming it over the old one, under an advisory lock on the file,
// so readers and other writers never see half a file.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <memory>
#include <string>

// The folder of this program's settings inside the XDG configuration folder
// ($XDG_CONFIG_HOME, else .config in the home folder), named after the program.
std::string ApplicationConfigFolder();

enum class TFileReadResult { Read, Missing, TooLarge };

// Reads the whole file when it holds at most `limit` bytes; throws ESettingsError naming
// the file when it exists but cannot be read.
TFileReadResult ReadSettingsFile(const std::string& path, size_t limit, std::string& content);

// What tells whether a file changed since it was last read or written.
struct TFileStamp {
    bool exists = false;
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
TFileStamp StampOf(const std::string& path);

// Holds the advisory write lock of a settings file (creating the file, with `mode`, and
// its folder when missing). Throws ESettingsError naming the file when it cannot.
class TSettingsFileLock {
public:
    TSettingsFileLock(const std::string& path, unsigned mode);
    ~TSettingsFileLock();
    TSettingsFileLock(const TSettingsFileLock&) = delete;
    TSettingsFileLock& operator=(const TSettingsFileLock&) = delete;

private:
    int m_fd = -1;
};

// Replaces the file's content at once (temporary file, flushed to disk, renamed over
// it), keeping the old file's permissions, or `mode` for a new file. Call it holding
// the lock. Answers the stamp of the new file. Throws ESettingsError naming the file.
TFileStamp ReplaceSettingsFile(const std::string& path, const std::string& content, unsigned mode);

// The path a symbolic link leads to (so that replacing the file keeps the link), or the
// path itself.
std::string ResolveSettingsPath(const std::string& path);
