#include "settings/schema.h"

#include <cstdio>
#include <cstdlib>

#include "common/translate.h"

namespace rumo {

namespace {

std::string withNumber(std::string_view pattern, int n) {
    std::string spelled(pattern);
    if (const auto at = spelled.find('#'); at != std::string::npos) {
        spelled.replace(at, 1, std::to_string(n));
    }
    return spelled;
}

}  // namespace

SettingKey SettingRef::key() const {
    return {withNumber(row().section, number_), withNumber(row().key, number_)};
}

void abortOnBadNumber(const SettingRow& row, int n) {
    std::fprintf(stderr, "rumo: %.*s has no number %d\n", static_cast<int>(row.key.size()),
                 row.key.data(), n);
    std::abort();
}

std::string noticeWhereDefault() {
    return translate("Notice", "Press the Esc key");
}

}  // namespace rumo
