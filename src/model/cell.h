#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace rk7 {

// The text rules of a cell of width bytes, shared by Cell<W> and the cell references below.
namespace cell_bytes {

// The text up to the first NUL; without a NUL in the first width-1 bytes, those bytes.
inline std::string_view Text(const char* bytes, std::size_t width) {
    const std::size_t most = width - 1;
    const char* end = static_cast<const char*>(std::memchr(bytes, '\0', most));
    return {bytes, end ? static_cast<std::size_t>(end - bytes) : most};
}

// At most width-1 bytes of text and a NUL; the bytes after the NUL are left as they were.
inline bool SetText(char* bytes, std::size_t width, std::string_view text) {
    const std::size_t n = std::min(text.size(), width - 1);
    if (n > 0) // an empty view may carry no pointer at all
        std::memcpy(bytes, text.data(), n);
    bytes[n] = '\0';
    return n == text.size();
}

} // namespace cell_bytes

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
    std::string_view Text() const { return cell_bytes::Text(bytes.data(), W); }

    // Stores at most W-1 bytes of text and a NUL; longer text is cut. Returns false when it was.
    // The bytes after the NUL are left as they were.
    bool SetText(std::string_view text) { return cell_bytes::SetText(bytes.data(), W, text); }

    bool Empty() const { return bytes[0] == '\0'; }
    std::string Str() const { return std::string(Text()); }

    friend bool operator==(const Cell&, const Cell&) = default;
};

// Arrays of cells must be the raw bytes of the store blocks: no padding anywhere.
static_assert(sizeof(Cell<3>) == 3 && alignof(Cell<3>) == 1);
static_assert(sizeof(std::array<Cell<75>, 8>) == 600);

// A cell of any width, by reference: what the roster schema hands out, so that code can reach a
// cell without knowing its width at compile time. The text rules are those of Cell<W>. Char is
// char, or const char for a cell that is only read.
template <typename Char>
class BasicCellRef {
public:
    static_assert(std::is_same_v<std::remove_const_t<Char>, char>);

    template <std::size_t W>
    BasicCellRef(Cell<W>& cell) : bytes(cell.bytes) {}
    template <std::size_t W>
    requires std::is_const_v<Char> BasicCellRef(const Cell<W>& cell) : bytes(cell.bytes) {}
    template <typename Other>
    requires std::is_const_v<Char> &&(!std::is_const_v<Other>)BasicCellRef(BasicCellRef<Other> cell)
        : bytes(cell.bytes) {}

    // Its W bytes, the NUL and whatever follows it included.
    std::span<Char> bytes;

    std::size_t Width() const { return bytes.size(); }
    std::size_t MaxChars() const { return bytes.size() - 1; }
    std::string_view Text() const { return cell_bytes::Text(bytes.data(), bytes.size()); }
    std::string Str() const { return std::string(Text()); }
    bool Empty() const { return bytes[0] == '\0'; }
    bool SetText(std::string_view text) const requires(!std::is_const_v<Char>) {
        return cell_bytes::SetText(bytes.data(), bytes.size(), text);
    }
};

using CellRef = BasicCellRef<char>;
using ConstCellRef = BasicCellRef<const char>;

} // namespace rk7
