#include "model/roster_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

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

} // namespace
} // namespace rk7
