#include "common/ui_language.h"

#include "common/text.h"

namespace rumo {

namespace {

// "ja", "ja_JP.UTF-8", "ja_JP@..." are Japanese; "jam" (Jamaican Creole) is not.
bool namesLanguage(std::string_view locale, std::string_view code) {
    if (locale.size() < code.size() ||
        !equalsIgnoringAsciiCase(locale.substr(0, code.size()), code)) {
        return false;
    }
    if (locale.size() == code.size()) {
        return true;
    }
    const char next = locale[code.size()];
    return next == '_' || next == '-' || next == '.' || next == '@';
}

std::optional<UiLanguage> languageOfLocale(std::string_view locale) {
    if (namesLanguage(locale, "ja")) {
        return UiLanguage::Japanese;
    }
    if (namesLanguage(locale, "en")) {
        return UiLanguage::English;
    }
    return std::nullopt;
}

}  // namespace

UiLanguage uiLanguageOf(const LocaleEnvironment& environment) {
    std::string_view list = environment.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const auto language = languageOfLocale(list.substr(0, colon))) {
            return *language;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    const std::string_view effective = !environment.lcAll.empty()        ? environment.lcAll
                                       : !environment.lcMessages.empty() ? environment.lcMessages
                                                                         : environment.lang;
    return languageOfLocale(effective).value_or(UiLanguage::English);
}

std::optional<UiLanguage> uiLanguageNamed(std::string_view name) {
    if (equalsIgnoringAsciiCase(name, "ja")) {
        return UiLanguage::Japanese;
    }
    if (equalsIgnoringAsciiCase(name, "en")) {
        return UiLanguage::English;
    }
    return std::nullopt;
}

std::string_view uiLanguageCode(UiLanguage language) {
    return language == UiLanguage::Japanese ? "ja" : "en";
}

}  // namespace rumo
