#pragma once

#include <optional>
#include <string_view>

namespace rk7 {

// The two forms of the Performance File: this program's own, which also carries the wanted
// positions, and that of the Rk7edit editor.
enum class Dialect { Native, Exchange };

inline constexpr std::string_view NativeBanner = "** Rk7Power v2.46 - Performance File **";
inline constexpr std::string_view ExchangeBanner = "** Rk7edit v1.85 - Performance File **";
inline constexpr int NativeLineCount = 208;
inline constexpr int ExchangeLineCount = 99;

// "native" or "exchange".
std::string_view DialectName(Dialect dialect);
// The first line of a file of the dialect, without its line end.
std::string_view Banner(Dialect dialect);
// How many lines the dialect's writer produces.
int LineCount(Dialect dialect);

// Whether a first line carries the dialect's banner. Only the text up to "Performance File" is
// compared, ignoring the case of ASCII letters; the closing " **" and anything after it are not
// looked at, so a banner typed in capitals or cut after "File" is still accepted.
bool HasBanner(Dialect dialect, std::string_view firstLine);

// The dialect named by the banner on the first line of data, if any.
std::optional<Dialect> DetectDialect(std::string_view data);

} // namespace rk7
