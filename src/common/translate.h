// The one way texts a user reads leave the plain C++ core: through the interface language's
// translation, which the Qt shell installs at start-up. Without one the English source text is
// what comes back, as in the core's own tests.
#pragma once

#include <string>
#include <string_view>

// Marks a text kept as data (a table, a template) for lupdate; it is translated where it is shown.
// The same definition as Qt's, so either header may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace rumo {

// The same arguments as QCoreApplication::translate, so lupdate finds every call by its name:
// the context and the source text must be string literals. With n >= 0, "%n" in the text is
// replaced by n and the plural form of the language is chosen.
std::string translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1);

// `text` with its lowest-numbered marker ("%1", then "%2"...) replaced by `value`, as QString::arg.
std::string withArgument(std::string text, std::string_view value);

// For a text kept as data and marked with QT_TRANSLATE_NOOP under the same context.
std::string translateData(const char* context, std::string_view source);

using Translator = std::string (*)(const char* context, const char* source,
                                   const char* disambiguation, int n);

// Installed once, before any window or text exists; nullptr restores the source texts.
void setTranslator(Translator translator);

}  // namespace rumo
