#include "exchange/line_reader.h"

#include <cstring>

namespace rk7 {

bool LineReader::ReadLine(std::string_view& line) {
    if (m_rest.empty())
        return false;
    const void* lineFeed = std::memchr(m_rest.data(), '\n', m_rest.size());
    const std::size_t length =
        lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - m_rest.data()) + 1
                 : m_rest.size();
    line = m_rest.substr(0, length);
    m_rest.remove_prefix(length);
    ++m_lineNumber;
    return true;
}

std::optional<std::string_view> ValueAfterEquals(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    // A plain loop: find_first_of would call memchr once per byte.
    std::size_t end = equals + 1;
    while (end < line.size() && line[end] != '\r' && line[end] != '\n')
        ++end;
    return line.substr(equals + 1, end - equals - 1);
}

std::size_t NextField(std::string_view text, std::string_view& field, char separator) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == separator || c == '\r' || c == '\n') {
            field = text.substr(0, i);
            return i + 1;
        }
    }
    field = text;
    return text.size();
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

} // namespace rk7
