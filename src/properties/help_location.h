// Where the help document is looked for: first in the folder the resident bar recorded as the
// program's working folder (Path), then in the folder the program itself was installed to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rumo {

inline constexpr std::string_view kHelpFileName = "Rumo.html";

// Candidate paths in the order they are tried. An empty folder gives no candidate (it would name
// a file in the root folder); duplicates are dropped.
std::vector<std::string> helpCandidates(std::string_view recordedFolder,
                                        std::string_view installFolder);

}  // namespace rumo
