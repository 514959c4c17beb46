// Where the help document is looked for: first in the folder the resident bar recorded as the
// program's working folder (Path), then in the folder the program itself lies in, then in the
// documentation folder it was installed with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rumo {

// The Japanese help; every other language's is named in its translation, "Rumo.en.html".
inline constexpr std::string_view kHelpFileName = "Rumo.html";

// Candidate paths in the order they are tried. An empty folder gives no candidate (it would name
// a file in the root folder); duplicates are dropped.
std::vector<std::string> helpCandidates(std::string_view recordedFolder,
                                        std::string_view installFolder,
                                        std::string_view docFolder = {},
                                        std::string_view fileName = kHelpFileName);

// The installed documentation folder of a program lying in `programFolder`, found the way the
// install laid it out relative to the program (`docFromBin`, for example "../share/doc/rumo").
std::string installedDocFolder(std::string_view programFolder, std::string_view docFromBin);

}  // namespace rumo
