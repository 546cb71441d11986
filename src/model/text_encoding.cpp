#include "model/text_encoding.h"

#include <cstdint>

namespace rk7 {

namespace {

// Code points of 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the well-formed UTF-8 sequence at the start of text into c and returns its length, or
// returns 0 when the bytes there are not one (overlong forms and surrogates included).
std::size_t DecodeUtf8(std::string_view text, char32_t& c) {
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint8_t>(text[i]);
    };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

char16_t Windows1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : char16_t{byte};
}

int UnicodeToWindows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (High[i] == c)
            return 0x80 + i;
    return -1;
}

std::string Utf8ToWindows1252(std::string_view text,
                              const std::function<void(std::size_t offset, char32_t character,
                                                       bool wellFormed)>& unconvertible) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text.substr(i), c);
        if (length == 0) {
            unconvertible(i, static_cast<std::uint8_t>(text[i]), false);
            out += '?';
            ++i;
            continue;
        }
        const int byte = c <= 0xFFFF ? UnicodeToWindows1252(static_cast<char16_t>(c)) : -1;
        if (byte < 0) {
            unconvertible(i, c, true);
            out += '?';
        } else {
            out += static_cast<char>(byte);
        }
        i += length;
    }
    return out;
}

std::size_t FirstUtf8Sequence(std::string_view text) {
    std::size_t first = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<std::uint8_t>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text.substr(i), c);
        if (length == 0)
            return std::string_view::npos;
        if (first == std::string_view::npos)
            first = i;
        i += length;
    }
    return first;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        AppendUtf8(out, Windows1252ToUnicode(static_cast<std::uint8_t>(ch)));
    return out;
}

} // namespace rk7
