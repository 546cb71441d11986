#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace rk7 {

// Cell text is Windows-1252; the GUI works in Unicode. These convert at that boundary.
QString CellToQString(std::string_view cellText);
// Characters Windows-1252 cannot hold become '?'; editors keep such characters out by validation.
std::string QStringToCell(const QString& text);
// Whether every character of text has a Windows-1252 byte.
bool FitsCodePage(const QString& text);

} // namespace rk7
