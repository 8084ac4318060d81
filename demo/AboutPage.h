// The program's about page: an HTML file of our own that the side bar opens with the
// desktop's document opener. The build puts it beside the program; an install puts it in
// the program's data folder (beside the demonstration table's template).
#pragma once

#include <string>
#include <vector>

namespace AboutPage {

inline constexpr const char* kFileName = "about.html";

// The files that may hold the page, in the order they are tried: beside the program,
// then in the install's data folder seen from the program's folder.
std::vector<std::string> Candidates(const std::string& programFolder);

// A local file address ("file:///...") for an absolute path, every byte outside the
// unreserved characters and '/' written as %XX.
std::string FileAddress(const std::string& path);

// The address of the first candidate that is a file; empty when there is none.
std::string Address(const std::string& programFolder);

} // namespace AboutPage
