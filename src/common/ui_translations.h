// Loads the interface language's translations, the program's own and Qt's (standard buttons,
// colour and font choosers), before any window is made.
#pragma once

#include <optional>

#include "common/ui_language.h"

namespace rumo {

// The language the environment asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
UiLanguage uiLanguageFromEnvironment();

// Installs the translators on the running application and routes the core's texts through them.
// Returns the language installed. Called again, it replaces the translators it installed.
UiLanguage installUiTranslations(std::optional<UiLanguage> forced = std::nullopt);

}  // namespace rumo
