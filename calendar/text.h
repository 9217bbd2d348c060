// Text by characters: fixed widths counted in UTF-8 characters, not bytes, and
// the Windows-1252 code page of the notes files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovmir {

// Fixed text of length L: the first L characters, left-aligned, a shorter value
// filled with blanks on the right. Characters, not bytes: text is UTF-8 inside the
// system, and "Må" is two characters (three bytes). A byte that does not start a
// valid UTF-8 sequence counts as one character, so no input loses its length.
std::string fixedText(std::string_view s, std::size_t length);

// Number of characters (UTF-8 code points, by the rule of fixedText) in s.
std::size_t textLength(std::string_view s);

// The last n characters of s, by the rule of fixedText (the whole text when it is
// shorter).
std::string lastCharacters(std::string_view s, std::size_t n);

// Length in bytes of the well-formed UTF-8 sequence that starts at s[i], or 0 when
// none starts there (a stray continuation byte, a lead byte without its
// continuations, a byte that never begins one, and the forms Unicode forbids: an
// overlong form such as C0 80, a surrogate such as ED A0 80, a code point past
// U+10FFFF such as F4 90 80 80 or F5 80 80 80). The one place that knows the
// encoding's shape: the text rules above count a 0 as one character, the data
// builder refuses it.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);

// The notes files are single-byte text in the Windows-1252 code page; inside the
// system text is UTF-8. The five byte values the code page leaves unassigned read
// as U+FFFD. The way back refuses (std::invalid_argument, naming the character) a
// character the code page lacks and a byte that is not UTF-8, so no note is
// written with a letter silently changed.
std::string windows1252ToUtf8(std::string_view text);
std::string utf8ToWindows1252(std::string_view text);

// A value as a message shows it: a control byte (NUL included) or a byte that is
// not well-formed UTF-8 written as \xNN, and a value longer than `longest`
// characters cut with "…" (a path is given a longer limit, so it shows whole).
std::string shownValue(std::string_view text, std::size_t longest = 40);

}  // namespace tovmir
