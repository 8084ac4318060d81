#include "demo/DemoTableFolder.h"

#include "platform/core/Exception.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The install's data folder seen from its program folder; the build passes the layout
// it installs with.
#ifndef VELMORA_DATA_FROM_PROGRAM
#define VELMORA_DATA_FROM_PROGRAM "../share/velmora-orgchart"
#endif

namespace DemoTable {

namespace {

std::string WithSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

[[noreturn]] void CannotWrite(std::string place, int error)
{
    if (place.size() > 1 && place.back() == '/')
        place.pop_back();
    throw Exception("Cannot write the demonstration table to " + place + ": " + std::strerror(error));
}

// Makes the folder and any missing parent, new ones readable by the user alone as the
// XDG rules ask of data folders.
void MakeFolders(const std::string& folder)
{
    std::string path;
    size_t pos = 0;
    while (pos < folder.size()) {
        const size_t next = folder.find('/', pos + 1);
        path = folder.substr(0, next == std::string::npos ? folder.size() : next);
        pos = next == std::string::npos ? folder.size() : next;
        if (path.empty() || path == "/")
            continue;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            CannotWrite(folder, errno);
    }
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0)
        CannotWrite(folder, errno);
    if (!S_ISDIR(st.st_mode))
        CannotWrite(folder, ENOTDIR);
}

// Copies the template into a new file of the folder, writable by the user whatever the
// install's permissions are; answers the new file's path.
std::string CopyToPart(const std::string& source, const std::string& folder)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw Exception("Cannot read the demonstration table " + source + ": " + std::strerror(errno));
    std::string part = folder + kFileName + ".part-XXXXXX";
    const int out = ::mkstemp(part.data());
    if (out < 0) {
        const int error = errno;
        ::close(in);
        CannotWrite(folder, error);
    }
    int error = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                error = errno;
            break;
        }
        for (ssize_t done = 0; done < got && !error;) {
            const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno != EINTR)
                error = errno;
            else if (put > 0)
                done += put;
        }
        if (error)
            break;
    }
    if (!error && (::fchmod(out, 0644) != 0 || ::fsync(out) != 0))
        error = errno;
    ::close(in);
    if (::close(out) != 0 && !error)
        error = errno;
    if (error) {
        ::unlink(part.c_str());
        CannotWrite(folder + kFileName, error);
    }
    return part;
}

// Gives the copy its name unless another start of the program made one meanwhile: that
// one may already be open, so it is never replaced.
void Publish(const std::string& part, const std::string& target)
{
    int error = 0;
    if (::link(part.c_str(), target.c_str()) != 0) {
        error = errno;
        if (IsFile(target))
            error = 0; // made meanwhile
        else if (error != EEXIST) // a folder without hard links: rename while the name is free
            error = ::rename(part.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    ::unlink(part.c_str());
    if (error)
        CannotWrite(target, error);
}

} // namespace

TPlaces CurrentPlaces(const std::string& programFolder)
{
    return {programFolder, Env("XDG_DATA_HOME"), Env("HOME"), Env("XDG_DATA_DIRS")};
}

std::string UserFolder(const TPlaces& places)
{
    // Relative values are not valid XDG folders and are ignored.
    if (!places.DataHome.empty() && places.DataHome.front() == '/')
        return WithSlash(places.DataHome) + kDataFolderName + "/";
    if (!places.Home.empty() && places.Home.front() == '/')
        return WithSlash(places.Home) + ".local/share/" + kDataFolderName + "/";
    return {};
}

std::vector<std::string> TemplateCandidates(const TPlaces& places)
{
    std::vector<std::string> candidates;
    if (!places.ProgramFolder.empty())
        candidates.push_back(WithSlash(places.ProgramFolder) + VELMORA_DATA_FROM_PROGRAM + "/" + kFileName);
    const std::string dirs = places.DataDirs.empty() ? "/usr/local/share/:/usr/share/" : places.DataDirs;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/')
            candidates.push_back(WithSlash(dir) + kDataFolderName + "/" + kFileName);
        start = end + 1;
    }
    return candidates;
}

std::string FindFolder(const TPlaces& places)
{
    const std::string programFolder = WithSlash(places.ProgramFolder);
    if (IsFile(programFolder + kFileName))
        return programFolder;

    const std::string userFolder = UserFolder(places);
    if (userFolder.empty())
        throw Exception("Cannot place the demonstration table: neither XDG_DATA_HOME nor HOME names a data folder");
    if (IsFile(userFolder + kFileName))
        return userFolder;

    const std::vector<std::string> candidates = TemplateCandidates(places);
    for (const std::string& source : candidates) {
        if (!IsFile(source))
            continue;
        MakeFolders(userFolder);
        Publish(CopyToPart(source, userFolder), userFolder + kFileName);
        return userFolder;
    }

    std::string looked = programFolder + kFileName;
    for (const std::string& source : candidates)
        looked += ", " + source;
    throw Exception(std::string("The demonstration table ") + kFileName + " was not found (looked in " + looked + ")");
}

} // namespace DemoTable
