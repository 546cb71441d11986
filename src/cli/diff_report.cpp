#include "cli/diff_report.h"

#include "model/text_encoding.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace rk7 {

namespace {

// Cell text as UTF-8 that cannot break the line or steer a terminal.
std::string Escaped(std::string_view cellText, bool quotes) {
    const std::string utf8 = Windows1252ToUtf8(cellText);
    std::string out;
    char code[8];
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\\' || (quotes && byte == '"')) {
            out += '\\';
            out += utf8[i];
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            out += code;
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            // U+0080 to U+009F, the C1 controls: one of them is the terminal's CSI.
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned char>(utf8[++i]));
            out += code;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

} // namespace

std::string DifferencesAsText(const std::vector<CellDifference>& differences) {
    std::string out;
    for (const CellDifference& d : differences) {
        // The label's own words and numbers need no escaping; only the name can.
        out += Escaped(RowLabel(d), false);
        out += ' ';
        out += d.fieldName;
        out += ": \"" + Escaped(d.now, true) + "\" -> \"" + Escaped(d.other, true) + "\"\n";
    }
    const std::size_t n = differences.size();
    if (n == 0)
        out += "no cells differ\n";
    else if (n == 1)
        out += "1 cell differs\n";
    else
        out += std::to_string(n) + " cells differ\n";
    return out;
}

std::string DifferencesAsJson(const std::vector<CellDifference>& differences) {
    using Json = nlohmann::ordered_json;
    Json array = Json::array();
    for (const CellDifference& d : differences) {
        array.push_back({
            {"row", std::string(RowKindName(d.row))},
            {"index", d.index},
            {"name", Windows1252ToUtf8(d.name)},
            {"field", std::string(d.fieldName)},
            {"now", Windows1252ToUtf8(d.now)},
            {"file", Windows1252ToUtf8(d.other)},
        });
    }
    return array.dump(2) + "\n";
}

} // namespace rk7
