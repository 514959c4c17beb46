#include "calendar/failure_notices.h"

namespace rumo {

bool FailureNotices::failed(const std::string& source) {
    return told_.insert(source).second;
}

void FailureNotices::succeeded(const std::string& source) {
    told_.erase(source);
}

}  // namespace rumo
