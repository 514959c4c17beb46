// Text rules shared by the notice, the bar and the dialog. Texts are UTF-8 inside the program;
// widths and positions are estimated from the length the text would have in code page 932.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rumo {

// Length in code page 932 bytes: ASCII and half-width katakana count 1, every other character 2.
// A byte that does not start a valid UTF-8 sequence counts 1, like a stray single byte.
int cp932Length(std::string_view utf8);

// Removes trailing single-byte white space (space, tab, LF, VT, FF, CR). Double-byte characters,
// the ideographic space among them, are never removed.
std::string trimRight(std::string_view text);

// Removes spaces and tabs at both ends, as a number typed or stored as text may carry them.
std::string_view trimBlanks(std::string_view text);

// Where the character after the one starting at `at` starts: past the continuation bytes (10xxxxxx)
// that follow, however many, so that no cut made there splits a character.
std::size_t nextCharacter(std::string_view text, std::size_t at);

// The longest start of `text` of at most `maxBytes` bytes that ends at a character boundary.
std::string_view cutAtCharacter(std::string_view text, std::size_t maxBytes);

// Case-insensitive comparison of ASCII letters; every other byte must match exactly.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace rumo
