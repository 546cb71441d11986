#include "cli/roster_tables.h"
#include "model/roster_schema.h"
#include "model/roster_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace rk7 {
namespace {

// View Teams of a roster whose first three teams carry the characters each format must escape.
RosterTable TeamsTable() {
    Roster roster;
    roster.TeamName[0].SetText("Caf\xe9\tBar");  // Windows-1252 é and a tab
    roster.EngineName[0].SetText("\"Q\" first"); // a leading quote
    roster.TeamName[1].SetText("A \"B\", C");    // quotes inside, a comma
    roster.EngineName[1].SetText("x<y>&'z'");
    roster.TeamName[2].SetText("line\nend");
    roster.TeamRacePower[2].SetText("007"); // numbers as the cells hold them
    return MakeRosterTable(roster, View::Teams);
}

std::string Line(const std::string& text, int n, std::string_view end) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i)
        start = text.find(end, start) + end.size();
    return text.substr(start, text.find(end, start) - start);
}

TEST(RosterTable, TsvQuotesOnlyWhatWouldSplitAField) {
    const std::string tsv = TableAsTsv(TeamsTable());
    EXPECT_EQ(Line(tsv, 0, "\n"), "Team Names\tEngine\tT Q Power\tT R Power\tFailure");
    EXPECT_EQ(Line(tsv, 1, "\n"), "\"Caf\xc3\xa9\tBar\"\t\"\"\"Q\"\" first\"\t\t\t");
    EXPECT_EQ(Line(tsv, 2, "\n"), "A \"B\", C\tx<y>&'z'\t\t\t");
    EXPECT_NE(tsv.find("\n\"line\nend\"\tBMW\t\t007\t\n"), std::string::npos);
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 1 + TeamCount + 1);
}

TEST(RosterTable, HtmlEscapesEveryText) {
    const std::string html = TableAsHtml(TeamsTable());
    EXPECT_EQ(html.rfind("<meta charset=\"utf-8\">\n<table>\n<tr><th>Team Names</th>", 0), 0u);
    EXPECT_NE(html.find("<tr><td>Caf\xc3\xa9\tBar</td><td>&quot;Q&quot; first</td><td></td>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>A &quot;B&quot;, C</td><td>x&lt;y&gt;&amp;&#39;z&#39;</td>"),
              std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 9), "</table>\n");
}

// The JSON of the roster holds every cell once, a team's, driver's or spare's in the record of
// its row: two fields of a row under one key would lose a value, a record built from the wrong
// row would repeat one.
TEST(RosterJson, HoldsEveryCellOnceInTheRecordOfItsRow) {
    constexpr std::string_view Alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    Roster roster;
    std::vector<std::string> cells;
    ForEachCell(roster, [&](CellRef cell) {
        const std::size_t n = cells.size();
        cell.SetText(std::string{Alphabet[n / Alphabet.size()], Alphabet[n % Alphabet.size()]});
        cells.push_back(cell.Str());
    });
    ASSERT_LT(cells.size(), Alphabet.size() * Alphabet.size());

    const auto json = nlohmann::json::parse(RosterAsJson(roster));
    std::vector<std::string> values;
    auto collect = [&](const auto& self, const nlohmann::json& node) -> void {
        if (node.is_string())
            values.push_back(node.get<std::string>());
        else if (node.is_structured())
            for (const auto& child : node)
                self(self, child);
    };
    collect(collect, json);
    std::sort(values.begin(), values.end());
    std::sort(cells.begin(), cells.end());
    EXPECT_EQ(values, cells);

    const std::pair<const char*, RowKind> records[] = {
        {"teams", RowKind::Team}, {"drivers", RowKind::Driver}, {"spares", RowKind::Spare}};
    for (const auto& [name, kind] : records) {
        ASSERT_TRUE(json.at(name).is_array()) << name;
        for (std::size_t row = 0; row < json.at(name).size(); ++row) {
            std::vector<std::string> inRecord, inRow;
            for (const auto& value : json.at(name)[row])
                inRecord.push_back(value.get<std::string>());
            for (const FieldSchema& field : Fields())
                if (RowKindOf(field.field) == kind)
                    inRow.push_back(field.At(roster, static_cast<int>(row)).Str());
            std::sort(inRecord.begin(), inRecord.end());
            std::sort(inRow.begin(), inRow.end());
            EXPECT_EQ(inRecord, inRow) << name << " " << row;
        }
    }
}

} // namespace
} // namespace rk7
