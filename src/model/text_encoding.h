#pragma once

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

} // namespace rk7
