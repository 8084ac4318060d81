#include "demo/AboutPage.h"

#include <sys/stat.h>

// The install's data folder seen from its program folder; the build passes the layout
// it installs with.
#ifndef VELMORA_DATA_FROM_PROGRAM
#define VELMORA_DATA_FROM_PROGRAM "../share/velmora-orgchart"
#endif

namespace AboutPage {

namespace {

bool IsFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/';
}

} // namespace

std::vector<std::string> Candidates(const std::string& programFolder)
{
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return {folder + kFileName, folder + VELMORA_DATA_FROM_PROGRAM + "/" + kFileName};
}

std::string FileAddress(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (unsigned char c : path) {
        if (Unreserved(c)) {
            address += static_cast<char>(c);
        } else {
            address += '%';
            address += hex[c >> 4];
            address += hex[c & 0xF];
        }
    }
    return address;
}

std::string Address(const std::string& programFolder)
{
    for (const std::string& candidate : Candidates(programFolder))
        if (IsFile(candidate))
            return FileAddress(candidate);
    return {};
}

} // namespace AboutPage
