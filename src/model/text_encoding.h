#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rk7 {

// Cell text is Windows-1252, the code page the game and its editors use. This gives the same
// text as UTF-8 for the world outside. The five bytes that Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same number, so no byte is
// lost.
std::string Windows1252ToUtf8(std::string_view text);

// The character of one Windows-1252 byte, as Windows1252ToUtf8 reads it.
char16_t Windows1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a character of the Basic Multilingual Plane, or -1 when the code page
// has none (surrogates have none).
int UnicodeToWindows1252(char16_t c);

// Text in UTF-8 as Windows-1252 cell text. A character the code page does not have, or a byte
// that is not part of a well-formed UTF-8 sequence, becomes "?", and unconvertible(offset,
// character, wellFormed) is told where it stood in text (for a stray byte, the byte is the
// character and wellFormed is false).
std::string Utf8ToWindows1252(std::string_view text,
                              const std::function<void(std::size_t offset, char32_t character,
                                                       bool wellFormed)>& unconvertible);

// Where the first byte beyond ASCII stands, when every such byte belongs to a well-formed UTF-8
// sequence (text in Windows-1252 almost never reads so); npos otherwise, or when all is ASCII.
std::size_t FirstUtf8Sequence(std::string_view text);

} // namespace rk7
