#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace rk7 {

// Hands out the lines of a file held in memory, in order. A line runs up to and including its
// line feed, or to the end of the data; a CR is an ordinary byte, so CR LF and LF alone both end
// a line and CR alone does not. A line is never split, however long it is: pieces of a long line
// would each count as a line and push every later value into the wrong cell.
class LineReader {
public:
    explicit LineReader(std::string_view data) : m_rest(data) {}

    // The next line, its line feed included. False when no bytes are left.
    bool ReadLine(std::string_view& line);
    // The number of the last line handed out; 0 before the first.
    int LineNumber() const { return m_lineNumber; }

private:
    std::string_view m_rest;
    int m_lineNumber = 0;
};

// The bytes after the first "=" up to, not including, the first CR or LF (or the end of the
// line); empty when nothing follows the "=". Nothing when the line has no "=".
std::optional<std::string_view> ValueAfterEquals(std::string_view line);

// Puts into field the bytes of text up to, not including, the first separator, CR or LF, or the
// whole text when none of them occurs. Returns how many bytes it took, the byte that stopped it
// included, so that the next field starts that far on. A NUL separator takes the rest of a value.
std::size_t NextField(std::string_view text, std::string_view& field, char separator);

// The text without the blanks (0x20 only, not tabs) at its end and at its start.
std::string_view TrimSpaces(std::string_view text);

// Takes the fields of a value one after the other; past the last one every field is empty.
class FieldReader {
public:
    explicit FieldReader(std::string_view value) : m_rest(value) {}

    std::string_view Next(char separator = ',') {
        std::string_view field;
        m_rest.remove_prefix(NextField(m_rest, field, separator));
        return field;
    }

    // Everything not yet taken, NUL bytes included.
    std::string_view Rest() {
        const std::string_view rest = m_rest;
        m_rest = m_rest.substr(m_rest.size());
        return rest;
    }

private:
    std::string_view m_rest;
};

} // namespace rk7
