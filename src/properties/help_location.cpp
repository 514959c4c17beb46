#include "properties/help_location.h"

#include <algorithm>
#include <filesystem>

namespace rumo {

namespace {

std::string inFolder(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path != "/") {
        path += '/';
    }
    path += fileName;
    return path;
}

}  // namespace

std::vector<std::string> helpCandidates(std::string_view recordedFolder,
                                        std::string_view installFolder, std::string_view docFolder,
                                        std::string_view fileName) {
    std::vector<std::string> candidates;
    for (std::string_view folder : {recordedFolder, installFolder, docFolder}) {
        if (folder.empty()) {
            continue;
        }
        std::string path = inFolder(folder, fileName);
        if (std::find(candidates.begin(), candidates.end(), path) == candidates.end()) {
            candidates.push_back(std::move(path));
        }
    }
    return candidates;
}

std::string installedDocFolder(std::string_view programFolder, std::string_view docFromBin) {
    if (programFolder.empty() || docFromBin.empty()) {
        return {};
    }
    // Spelt without "..", so the path shown when the page is missing reads plainly.
    return (std::filesystem::path(programFolder) / std::filesystem::path(docFromBin))
        .lexically_normal()
        .string();
}

}  // namespace rumo
