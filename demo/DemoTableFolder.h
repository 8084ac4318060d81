// Where the demonstration program finds its table ARBOLO.DB.
//
// A table beside the program (the build tree, a folder a user unpacked the program into)
// is used as it stands. An installed program has none beside it: the install holds the
// demonstration table as a template under <prefix>/share/velmora-orgchart, and the
// program works on the user's own copy in the XDG data folder
// ($XDG_DATA_HOME/velmora-orgchart, else ~/.local/share/velmora-orgchart), made from the
// template on the first start and kept from then on. The install is never written to.
#pragma once

#include <string>
#include <vector>

namespace DemoTable {

inline constexpr const char* kFileName = "ARBOLO.DB";
// The folder of the program's data, under the XDG data folders and the install's share.
inline constexpr const char* kDataFolderName = "velmora-orgchart";

// What the search depends on: the program's folder and the XDG variables of the
// environment (empty when unset).
struct TPlaces {
    std::string ProgramFolder;
    std::string DataHome; // XDG_DATA_HOME
    std::string Home;     // HOME
    std::string DataDirs; // XDG_DATA_DIRS
};

// The places of this process: the given program folder and its environment.
TPlaces CurrentPlaces(const std::string& programFolder);

// The user's data folder for the program (ending with '/'); empty when the environment
// names none (no absolute XDG_DATA_HOME and no HOME).
std::string UserFolder(const TPlaces& places);

// The files that may hold the installed template, in the order they are tried: the
// install the program runs from, then every folder of XDG_DATA_DIRS.
std::vector<std::string> TemplateCandidates(const TPlaces& places);

// The folder (ending with '/') holding the table to open: the program's own when the
// table is there, else the user's data folder, copying the template there when the
// user has no copy yet. Throws Exception naming the place it could not write to, or the
// places it looked in when there is no table at all.
std::string FindFolder(const TPlaces& places);

} // namespace DemoTable
