#include "model/roster_table.h"

#include "model/text_encoding.h"

#include <cstddef>
#include <string_view>

namespace rk7 {

namespace {

// Quotes a field that holds any of special, or that starts with a quote when leadingQuote; the
// quotes inside are doubled.
void AppendQuotedField(std::string& out, std::string_view field, std::string_view special,
                       bool leadingQuote) {
    const bool quote = field.find_first_of(special) != std::string_view::npos ||
                       (leadingQuote && !field.empty() && field.front() == '"');
    if (!quote) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

struct SeparatedFormat {
    char separator;
    std::string_view special; // characters that make a field quoted
    bool leadingQuote;        // a field starting with a quote is quoted too
    std::string_view lineEnd;
};

constexpr SeparatedFormat Csv{',', ",\"\r\n", false, "\r\n"};
constexpr SeparatedFormat Tsv{'\t', "\t\r\n", true, "\n"};

template <typename Texts>
void AppendSeparatedRow(std::string& out, const Texts& cells, const SeparatedFormat& format) {
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first)
            out += format.separator;
        first = false;
        AppendQuotedField(out, cell, format.special, format.leadingQuote);
    }
    out += format.lineEnd;
}

std::vector<std::string_view> Captions(const RosterTable& table) {
    std::vector<std::string_view> captions;
    for (const ViewColumn* column : table.columns)
        captions.push_back(column->Caption());
    return captions;
}

std::string TableAsSeparated(const RosterTable& table, const SeparatedFormat& format) {
    std::string out;
    AppendSeparatedRow(out, Captions(table), format);
    for (const auto& row : table.rows)
        AppendSeparatedRow(out, row, format);
    return out;
}

void AppendHtmlText(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
}

template <typename Texts>
void AppendHtmlRow(std::string& out, const Texts& cells, std::string_view tag) {
    out += "<tr>";
    for (std::string_view cell : cells) {
        out += '<';
        out += tag;
        out += '>';
        AppendHtmlText(out, cell);
        out += "</";
        out += tag;
        out += '>';
    }
    out += "</tr>\n";
}

} // namespace

RosterTable MakeRosterTable(const Roster& roster, View view) {
    const ViewSchema schema = SchemaOf(view);
    RosterTable table;
    for (const ViewColumn& column : schema.columns)
        if (!column.Filler())
            table.columns.push_back(&column);
    for (int i = 0; i < schema.rows; ++i) {
        std::vector<std::string> row;
        for (const ViewColumn* column : table.columns)
            row.push_back(Windows1252ToUtf8(column->Text(roster, i)));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string TableAsCsv(const RosterTable& table) {
    return TableAsSeparated(table, Csv);
}

std::string TableAsTsv(const RosterTable& table) {
    return TableAsSeparated(table, Tsv);
}

std::string TableAsHtml(const RosterTable& table) {
    // The clipboard's HTML carries no charset of its own; the meta element tells the program
    // that pastes it.
    std::string out = "<meta charset=\"utf-8\">\n<table>\n";
    AppendHtmlRow(out, Captions(table), "th");
    for (const auto& row : table.rows)
        AppendHtmlRow(out, row, "td");
    out += "</table>\n";
    return out;
}

} // namespace rk7
