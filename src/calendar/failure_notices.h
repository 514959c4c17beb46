// When a calendar source that cannot be read is worth telling the user about: at its first
// failure, and again only after it was read once more and then failed anew, never at every fetch.
#pragma once

#include <set>
#include <string>

namespace rumo {

class FailureNotices {
public:
    // After each fetch of `source`: true when its failure is to be told now.
    bool failed(const std::string& source);
    void succeeded(const std::string& source);

private:
    std::set<std::string> told_;
};

}  // namespace rumo
