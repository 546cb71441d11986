#include "exchange/dialect.h"

#include "exchange/line_reader.h"

#include <cstddef>

namespace rk7 {

namespace {

// The part of a banner that is compared: everything before the closing " **".
constexpr std::string_view ComparedPart(std::string_view banner) {
    return banner.substr(0, banner.size() - 3);
}
static_assert(ComparedPart(NativeBanner).size() == 36);
static_assert(ComparedPart(ExchangeBanner).size() == 35);

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

} // namespace

std::string_view DialectName(Dialect dialect) {
    return dialect == Dialect::Native ? "native" : "exchange";
}

std::string_view Banner(Dialect dialect) {
    return dialect == Dialect::Native ? NativeBanner : ExchangeBanner;
}

int LineCount(Dialect dialect) {
    return dialect == Dialect::Native ? NativeLineCount : ExchangeLineCount;
}

bool HasBanner(Dialect dialect, std::string_view firstLine) {
    const std::string_view expected = ComparedPart(Banner(dialect));
    if (firstLine.size() < expected.size())
        return false;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (AsciiLower(firstLine[i]) != AsciiLower(expected[i]))
            return false;
    return true;
}

std::optional<Dialect> DetectDialect(std::string_view data) {
    LineReader lines(data);
    std::string_view first;
    if (!lines.ReadLine(first))
        return std::nullopt;
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange})
        if (HasBanner(dialect, first))
            return dialect;
    return std::nullopt;
}

} // namespace rk7
