// Which of the two interface languages a process uses: Japanese for a Japanese locale, English
// for every other, unless the command line forces one.
#pragma once

#include <optional>
#include <string_view>

namespace rumo {

enum class UiLanguage { Japanese, English };

// What the environment says, as gettext reads it: the first of LANGUAGE's list that names a
// language we have, then LC_ALL, LC_MESSAGES and LANG, the first one set. Empty means unset.
// Unlike gettext, LANGUAGE counts under the C locale too: a forced language is passed on to the
// processes the program starts through it.
struct LocaleEnvironment {
    std::string_view language;    // LANGUAGE, "ja:en"
    std::string_view lcAll;       // LC_ALL
    std::string_view lcMessages;  // LC_MESSAGES
    std::string_view lang;        // LANG
};

UiLanguage uiLanguageOf(const LocaleEnvironment& environment);

// "ja" or "en" (any letter case), as --lang takes it; nothing for anything else.
std::optional<UiLanguage> uiLanguageNamed(std::string_view name);

// The short name a .qm file and LANGUAGE carry: "ja" or "en".
std::string_view uiLanguageCode(UiLanguage language);

}  // namespace rumo
