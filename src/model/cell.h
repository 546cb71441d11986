#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace rk7 {

// A roster value: W bytes of single-byte text, ended by the first NUL. The bytes after the NUL
// carry no meaning but are kept, so that a store file read and written again stays byte-exact.
template <std::size_t W>
struct Cell {
    static_assert(W >= 2, "a cell holds at least one character and its NUL");
    static constexpr std::size_t Width = W;
    static constexpr std::size_t MaxChars = W - 1;

    std::array<char, W> bytes{};

    // The text up to the first NUL. A cell without a NUL in its width (a damaged store file)
    // reads as if its last byte were the NUL.
    std::string_view Text() const {
        const char* end = static_cast<const char*>(std::memchr(bytes.data(), '\0', MaxChars));
        return {bytes.data(), end ? static_cast<std::size_t>(end - bytes.data()) : MaxChars};
    }

    // Stores at most W-1 bytes of text and a NUL; longer text is cut. Returns false when it was.
    // The bytes after the NUL are left as they were.
    bool SetText(std::string_view text) {
        const std::size_t n = std::min(text.size(), MaxChars);
        if (n > 0) // an empty view may carry no pointer at all
            std::memcpy(bytes.data(), text.data(), n);
        bytes[n] = '\0';
        return n == text.size();
    }

    bool Empty() const { return bytes[0] == '\0'; }
    std::string Str() const { return std::string(Text()); }

    friend bool operator==(const Cell&, const Cell&) = default;
};

// Arrays of cells must be the raw bytes of the store blocks: no padding anywhere.
static_assert(sizeof(Cell<3>) == 3 && alignof(Cell<3>) == 1);
static_assert(sizeof(std::array<Cell<75>, 8>) == 600);

} // namespace rk7
