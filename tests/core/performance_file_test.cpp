#include "core/test_folder.h"
#include "exchange/performance_file.h"
#include "model/calc.h"
#include "model/roster_schema.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rk7 {
namespace {

using test::TestFolder;

// The file's lines without their line ends; fails the test when a line does not end in CR LF.
std::vector<std::string> CrLfLines(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = file.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "bytes after the last CR LF: " << file.substr(start);
            break;
        }
        const std::string line = file.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end in " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

// Line n of a file, counting from 1 as the layouts do.
std::string Line(const std::vector<std::string>& lines, int n) {
    return n >= 1 && n <= static_cast<int>(lines.size()) ? lines[n - 1] : "<no line>";
}

// Replaces line n (counting from 1) of a CR LF file.
std::string WithLine(const std::string& file, int n, const std::string& text) {
    auto lines = CrLfLines(file);
    lines.at(n - 1) = text;
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

// The first n lines of a CR LF file.
std::string FirstLines(const std::string& file, int n) {
    std::size_t end = 0;
    for (int i = 0; i < n; ++i)
        end = file.find("\r\n", end) + 2;
    return file.substr(0, end);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Every cell's text, in the roster's order: rosters compare by what their cells say, not by
// the meaningless bytes after the NULs.
std::vector<std::string> Texts(const Roster& roster) {
    std::vector<std::string> texts;
    ForEachCell(roster, [&](const auto& cell) { texts.push_back(cell.Str()); });
    return texts;
}

// A roster with a team, two drivers and a spare whose file lines are worked out by hand below.
Roster KnownRoster() {
    Roster r;
    r.TeamName[7].SetText("Sauber");
    r.EngineName[7].SetText("Petronas");
    r.TeamRacePower[7].SetText("812");
    r.TeamQualPower[7].SetText("790");
    r.TeamFailure[7].SetText("2600");
    r.TeamQualPosD1(7).SetText("3");
    r.TeamQualPosD2(7).SetText("4");
    r.TeamRacePosD1(7).SetText("5");
    r.TeamRacePosD2(7).SetText("6");
    r.CarNumber[14].SetText("17");
    r.DriverName[14].SetText("Anna Berg");
    r.DriverRacePower[14].SetText("16250");
    r.DriverQualPower[14].SetText("16200");
    r.DriverRange[14].SetText("700");
    r.DriverQualPos[14].SetText("2");
    r.DriverRacePos[14].SetText("9");
    r.CarNumber[15].SetText("18");
    r.DriverName[15].SetText("Jan Olsen");
    r.DriverRacePower[15].SetText("0700");
    r.DriverQualPos[15].SetText("11");
    r.DriverRacePos[15].SetText("28");
    r.SpareName[3].SetText("Carl Reserve");
    r.SpareRacePower[3].SetText("15800");
    r.SpareQualPower[3].SetText("-751");
    r.SpareRange[3].SetText("900");
    return r;
}

// Every cell the files carry set to something of its own, powers in plain "%d" form.
Roster FullRoster() {
    Roster r;
    for (int t = 0; t < TeamCount; ++t) {
        const std::string n = std::to_string(t);
        r.TeamName[t].SetText("Team " + n);
        r.EngineName[t].SetText("Engine " + n);
        r.TeamRacePower[t].SetText(std::to_string(700 + t));
        r.TeamQualPower[t].SetText(std::to_string(800 + t));
        r.TeamFailure[t].SetText(std::to_string(2000 + 10 * t));
        r.TeamQualPosD1(t).SetText(std::to_string(t + 1));
        r.TeamQualPosD2(t).SetText(std::to_string(t + 15));
        r.TeamRacePosD1(t).SetText(std::to_string(28 - t));
        r.TeamRacePosD2(t).SetText(std::to_string(14 - t));
    }
    for (int d = 0; d < DriverCount; ++d) {
        r.CarNumber[d].SetText(std::to_string(d + 1));
        r.DriverRacePower[d].SetText(std::to_string(15700 + d));
        r.DriverQualPower[d].SetText(std::to_string(-100 * d));
        r.DriverRange[d].SetText(std::to_string(500 + d));
        r.DriverQualPos[d].SetText(std::to_string(d + 1));
        r.DriverRacePos[d].SetText(std::to_string(28 - d));
    }
    for (int s = 0; s < SpareCount; ++s) {
        r.SpareName[s].SetText("Spare " + std::to_string(s));
        r.SpareRacePower[s].SetText(std::to_string(15000 + s));
        r.SpareQualPower[s].SetText(std::to_string(99999 - s));
        r.SpareRange[s].SetText(std::to_string(600 + s));
    }
    return r;
}

// A roster that differs from FullRoster in every cell, to read files over.
Roster OtherRoster() {
    Roster r;
    ForEachCell(r, [](auto& cell) { cell.SetText("z"); });
    return r;
}

PerformanceReadResult Parse(Dialect dialect, const std::string& data, Roster& roster) {
    auto result = ParsePerformanceFile(data, roster, dialect);
    EXPECT_EQ(result.touched, result.IsOk() ? TeamsStore | DriversStore : StoreFileSet());
    return result;
}

std::string Diagnostics(const PerformanceReadResult& result) {
    std::string text;
    for (const auto& d : result.diagnostics)
        text += std::to_string(d.line) + ": " + d.message + "\n";
    return text;
}

// --- Writing -------------------------------------------------------------------------------

TEST(WriteNative, Has208CrLfLinesInTheirPlaces) {
    const auto lines = CrLfLines(FormatNativePerformanceFile(Roster()));
    ASSERT_EQ(lines.size(), 208u);
    EXPECT_EQ(Line(lines, 1), "** Rk7Power v2.46 - Performance File **");
    EXPECT_EQ(Line(lines, 2), "");
    EXPECT_EQ(Line(lines, 3), "[Team #00]");
    EXPECT_EQ(Line(lines, 4), "Name=Ferrari,Ferrari");
    EXPECT_EQ(Line(lines, 5), "Performance=,,");
    EXPECT_EQ(Line(lines, 6), "First Driver=,Marco Venturi,15751,15751, ,0,0");
    EXPECT_EQ(Line(lines, 7), "Second Driver=,Lukas Brandauer,15751,15751, ,0,0");
    EXPECT_EQ(Line(lines, 8), "DQualPosD1=");
    EXPECT_EQ(Line(lines, 15), "TRacePosD2=");
    EXPECT_EQ(Line(lines, 16), "");
    EXPECT_EQ(Line(lines, 17), "[Team #01]");
    EXPECT_EQ(Line(lines, 185), "[Team #13]");
    EXPECT_EQ(Line(lines, 186), "Name=Lotus,Lambourgini");
    EXPECT_EQ(Line(lines, 198), "");
    EXPECT_EQ(Line(lines, 199), "");
    EXPECT_EQ(Line(lines, 200), "[Spare Drivers]");
    for (int s = 0; s < SpareCount; ++s)
        EXPECT_EQ(Line(lines, 201 + s), std::to_string(s) + "=,15751,15751,, ");
}

TEST(WriteNative, KnownTeamBlockByteForByte) {
    const std::string file = FormatNativePerformanceFile(KnownRoster());
    const auto lines = CrLfLines(file);
    ASSERT_EQ(lines.size(), 208u);
    // Team 7 starts at line 3 + 14 * 7.
    const std::vector<std::string> block = {
        "[Team #07]",
        "Name=Sauber,Petronas",
        "Performance=812,790,2600",
        "First Driver=17,Anna Berg,32001,31951, 700,0,0",
        "Second Driver=18,Jan Olsen,16451,15751, ,0,0",
        "DQualPosD1=2",
        "DQualPosD2=11",
        "DRacePosD1=9",
        "DRacePosD2=28",
        "TQualPosD1=3",
        "TQualPosD2=4",
        "TRacePosD1=5",
        "TRacePosD2=6",
        "",
    };
    for (std::size_t i = 0; i < block.size(); ++i)
        EXPECT_EQ(Line(lines, 101 + static_cast<int>(i)), block[i]) << "line " << 101 + i;
    EXPECT_EQ(Line(lines, 204), "3=Carl Reserve,31551,15000,900, ");
    // Every line, the last included, ends in CR LF.
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST(WriteExchange, Has99CrLfLinesInTheirPlaces) {
    const auto lines = CrLfLines(FormatExchangePerformanceFile(KnownRoster()));
    ASSERT_EQ(lines.size(), 99u);
    EXPECT_EQ(Line(lines, 1), "** Rk7edit v1.85 - Performance File **");
    EXPECT_EQ(Line(lines, 2), "");
    EXPECT_EQ(Line(lines, 3), "[Team #00]");
    EXPECT_EQ(Line(lines, 4), "Name=Ferrari,Ferrari");
    EXPECT_EQ(Line(lines, 8), "");
    EXPECT_EQ(Line(lines, 9), "[Team #01]");
    // Team 7 starts at line 2 + 6 * 7 with its empty line.
    EXPECT_EQ(Line(lines, 44), "");
    EXPECT_EQ(Line(lines, 45), "[Team #07]");
    EXPECT_EQ(Line(lines, 46), "Name=Sauber,Petronas");
    EXPECT_EQ(Line(lines, 47), "Performance=812,790,2600");
    EXPECT_EQ(Line(lines, 48), "First Driver=17,Anna Berg,32001,31951, 700,0,0");
    EXPECT_EQ(Line(lines, 49), "Second Driver=18,Jan Olsen,16451,15751, ,0,0");
    EXPECT_EQ(Line(lines, 50), "");
    EXPECT_EQ(Line(lines, 85), "Second Driver=,Patrick Delaney,15751,15751, ,0,0");
    EXPECT_EQ(Line(lines, 86), "");
    EXPECT_EQ(Line(lines, 87), "[Spare Drivers]");
    EXPECT_EQ(Line(lines, 88), "0=,15751,15751,, ");
    EXPECT_EQ(Line(lines, 91), "3=Carl Reserve,31551,15000,900, ");
    EXPECT_EQ(Line(lines, 95), "7=,15751,15751,, ");
    EXPECT_EQ(Line(lines, 96), "");
    EXPECT_EQ(Line(lines, 97), "[File]");
    EXPECT_EQ(Line(lines, 98), "Version=185");
    EXPECT_EQ(Line(lines, 99), "DriverZero=0");
}

TEST(WritePerformanceFile, SharedLinesAreTheSameInBothDialects) {
    const Roster roster = FullRoster();
    const auto native = CrLfLines(FormatNativePerformanceFile(roster));
    const auto exchange = CrLfLines(FormatExchangePerformanceFile(roster));
    for (int t = 0; t < TeamCount; ++t)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Line(native, 3 + 14 * t + i), Line(exchange, 3 + 6 * t + i));
    for (int s = 0; s < SpareCount; ++s)
        EXPECT_EQ(Line(native, 201 + s), Line(exchange, 88 + s));
}

TEST(WritePerformanceFile, PowersAreReadAsNumbersBeforeTheOffset) {
    Roster r;
    r.DriverRacePower[0].SetText("-751");
    r.DriverQualPower[0].SetText("abc");
    r.SpareRacePower[0].SetText(" 12x");
    r.SpareQualPower[0].SetText("99999");
    const auto lines = CrLfLines(FormatNativePerformanceFile(r));
    EXPECT_EQ(Line(lines, 6), "First Driver=,Marco Venturi,15000,15751, ,0,0");
    EXPECT_EQ(Line(lines, 201), "0=,15763,115750,, ");
}

TEST(WritePerformanceFile, EmptyEngineAndFailure) {
    Roster r;
    r.EngineName[0].SetText("");
    const auto lines = CrLfLines(FormatNativePerformanceFile(r));
    EXPECT_EQ(Line(lines, 4), "Name=Ferrari,");

    Roster back = FullRoster();
    ASSERT_TRUE(Parse(Dialect::Native, FormatNativePerformanceFile(r), back).IsOk());
    EXPECT_EQ(back.TeamName[0].Text(), "Ferrari");
    EXPECT_EQ(back.EngineName[0].Text(), "");
    EXPECT_EQ(back.TeamFailure[0].Text(), "");
}

TEST(WritePerformanceFile, ReplacesTheFileAtomically) {
    TestFolder folder;
    const std::string path = folder.File("season.txt");
    TestFolder::Write(path, "old contents");
    const Roster roster = KnownRoster();
    ASSERT_TRUE(WriteNativePerformanceFile(roster, path, Durability::NoFlush));
    EXPECT_EQ(TestFolder::Read(path), FormatNativePerformanceFile(roster));
    ASSERT_TRUE(WriteExchangePerformanceFile(roster, path));
    EXPECT_EQ(TestFolder::Read(path), FormatExchangePerformanceFile(roster));
    EXPECT_EQ(folder.Listing(), "season.txt"); // no temporary file left behind
}

TEST(WritePerformanceFile, AFailureNamesThePathAndTheReason) {
    TestFolder folder;
    const std::string path = folder.File("missing/season.txt");
    const Status status = WriteNativePerformanceFile(Roster(), path);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.Error(), path + ": No such file or directory");
    EXPECT_EQ(folder.Listing(), "");

    // A folder in the way of the file is left as it is.
    const Status onFolder = WriteExchangePerformanceFile(Roster(), folder.Path());
    ASSERT_FALSE(onFolder);
    EXPECT_EQ(onFolder.Error(), folder.Path() + ": Is a directory");
}

// --- Round trips ---------------------------------------------------------------------------

TEST(ReadNative, RoundTripRestoresEverythingButDriverRange) {
    const Roster written = FullRoster();
    Roster read = OtherRoster();
    const auto result = ParseNativePerformanceFile(FormatNativePerformanceFile(written), read);
    ASSERT_TRUE(result.IsOk()) << result.status.Error();
    EXPECT_EQ(result.dialect, Dialect::Native);
    EXPECT_EQ(Diagnostics(result), "");
    EXPECT_EQ(result.touched, TeamsStore | DriversStore);

    Roster expected = written;
    for (int d = 0; d < DriverCount; ++d)
        expected.DriverRange[d].SetText("z");
    // The tables and start values are not in the file at all.
    const Roster other = OtherRoster();
    expected.DriverPowerByPos = other.DriverPowerByPos;
    expected.TeamPowerByPos = other.TeamPowerByPos;
    expected.RangeByPos = other.RangeByPos;
    expected.FailureByPos = other.FailureByPos;
    expected.DriverStartQual = other.DriverStartQual;
    expected.DriverStartRace = other.DriverStartRace;
    expected.TeamStartQual = other.TeamStartQual;
    expected.TeamStartRace = other.TeamStartRace;
    EXPECT_EQ(Texts(read), Texts(expected));
}

TEST(ReadExchange, RoundTripLeavesPositionsAndDriverRangeAlone) {
    const Roster written = FullRoster();
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Exchange, FormatExchangePerformanceFile(written), read);
    ASSERT_TRUE(result.IsOk()) << result.status.Error();
    EXPECT_EQ(result.dialect, Dialect::Exchange);
    EXPECT_EQ(Diagnostics(result), "");

    Roster expected = OtherRoster();
    expected.TeamName = written.TeamName;
    expected.EngineName = written.EngineName;
    expected.TeamRacePower = written.TeamRacePower;
    expected.TeamQualPower = written.TeamQualPower;
    expected.TeamFailure = written.TeamFailure;
    expected.CarNumber = written.CarNumber;
    expected.DriverName = written.DriverName;
    expected.DriverRacePower = written.DriverRacePower;
    expected.DriverQualPower = written.DriverQualPower;
    expected.SpareName = written.SpareName;
    expected.SpareRacePower = written.SpareRacePower;
    expected.SpareQualPower = written.SpareQualPower;
    expected.SpareRange = written.SpareRange;
    EXPECT_EQ(Texts(read), Texts(expected));
}

TEST(ReadPerformanceFile, PowersComeBackInPlainDecimal) {
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange}) {
        Roster read = OtherRoster();
        ASSERT_TRUE(Parse(dialect, FormatPerformanceFile(KnownRoster(), dialect), read).IsOk());
        EXPECT_EQ(read.DriverRacePower[15].Text(), "700"); // written from "0700"
        EXPECT_EQ(read.DriverQualPower[15].Text(), "0");   // written from ""
        EXPECT_EQ(read.DriverRacePower[14].Text(), "16250");
        EXPECT_EQ(read.SpareQualPower[3].Text(), "-751");
        EXPECT_EQ(read.SpareRacePower[0].Text(), "0");
        EXPECT_EQ(read.SpareRange[0].Text(), "");
        EXPECT_EQ(read.SpareName[0].Text(), "");
    }
}

TEST(ReadPerformanceFile, FileValueBelowTheOffsetIsNegative) {
    std::string file = FormatNativePerformanceFile(Roster());
    file = WithLine(file, 6, "First Driver=3,Low,15000,  15000  , 1,0,0");
    file = WithLine(file, 201, "0=Spare,15000,0015751,12,34, ");
    Roster read;
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result), "");
    EXPECT_EQ(read.DriverRacePower[0].Text(), "-751");
    EXPECT_EQ(read.DriverQualPower[0].Text(), "-751");
    EXPECT_EQ(read.SpareRacePower[0].Text(), "-751");
    EXPECT_EQ(read.SpareQualPower[0].Text(), "0");
    EXPECT_EQ(read.SpareRange[0].Text(), "12"); // up to the next comma
    EXPECT_EQ(read.DriverRange[0].Text(), "");  // never read
}

TEST(ReadPerformanceFile, ThroughAFile) {
    TestFolder folder;
    const std::string path = folder.File("roster.txt");
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange}) {
        ASSERT_TRUE(WritePerformanceFile(FullRoster(), dialect, path));
        Roster read = OtherRoster();
        const auto result = dialect == Dialect::Native ? ReadNativePerformanceFile(path, read)
                                                       : ReadExchangePerformanceFile(path, read);
        ASSERT_TRUE(result.IsOk()) << result.status.Error();
        EXPECT_EQ(read.TeamName[13].Text(), "Team 13");
        EXPECT_EQ(read.SpareQualPower[7].Text(), "99992");
        // Without a dialect the banner decides.
        Roster detected = OtherRoster();
        const auto any = ReadPerformanceFile(path, detected);
        ASSERT_TRUE(any.IsOk());
        EXPECT_EQ(any.dialect, dialect);
        EXPECT_EQ(Texts(detected), Texts(read));
    }
}

// Cells may hold bytes that read as UTF-8 ("Ã©", a name once read from a UTF-8 file without its
// byte-order mark). The file written from them must come back byte for byte and pass a strict
// reading, while the same bytes from another tool are still pointed out.
TEST(ReadPerformanceFile, OwnFileWhoseCellsLookLikeUtf8PassesAStrictReading) {
    Roster written = FullRoster();
    written.TeamName[0].SetText("Caf\xC3\xA9");
    written.SpareName[3].SetText("\xE5\xA4\xA7 \xEF\xBB\xBF");
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange}) {
        SCOPED_TRACE(static_cast<int>(dialect));
        const std::string file = FormatPerformanceFile(written, dialect);
        Roster read = written;
        read.TeamName[0].SetText("z");
        read.SpareName[3].SetText("z");
        const auto result = Parse(dialect, file, read);
        ASSERT_TRUE(result.IsOk());
        EXPECT_EQ(result.Refusals(), 0u) << Diagnostics(result);
        ASSERT_EQ(result.diagnostics.size(), 1u);
        EXPECT_TRUE(result.diagnostics[0].notice);
        EXPECT_EQ(result.diagnostics[0].line, 4);
        EXPECT_NE(result.diagnostics[0].message.find("looks like UTF-8"), std::string::npos);
        EXPECT_EQ(Texts(read), Texts(written));
        EXPECT_EQ(FormatPerformanceFile(read, dialect), file);
    }
    // A value not taken as it stood still counts against the file beside the notice.
    const std::string cut = FormatNativePerformanceFile(written).substr(0, 200);
    Roster read;
    const auto result = Parse(Dialect::Native, cut, read);
    EXPECT_EQ(result.diagnostics.size(), 2u) << Diagnostics(result);
    EXPECT_EQ(result.Refusals(), 1u);
}

// --- Banner --------------------------------------------------------------------------------

TEST(ReadPerformanceFile, BannerInCapitalsWithoutAsterisksIsAccepted) {
    std::string native = FormatNativePerformanceFile(FullRoster());
    native = WithLine(native, 1, "** RK7POWER V2.46 - PERFORMANCE FILE");
    Roster read;
    ASSERT_TRUE(Parse(Dialect::Native, native, read).IsOk());
    EXPECT_EQ(read.TeamName[0].Text(), "Team 0");

    std::string exchange = FormatExchangePerformanceFile(FullRoster());
    exchange = WithLine(exchange, 1, "** rk7EDIT v1.85 - performance file -- saved by hand");
    ASSERT_TRUE(Parse(Dialect::Exchange, exchange, read).IsOk());
}

TEST(ReadPerformanceFile, WrongBannerLeavesTheRosterUntouched) {
    const std::string native = FormatNativePerformanceFile(FullRoster());
    const std::string exchange = FormatExchangePerformanceFile(FullRoster());
    struct Case {
        Dialect dialect;
        std::string data;
    };
    const Case cases[] = {
        {Dialect::Exchange, native},     {Dialect::Native, exchange},        {Dialect::Native, ""},
        {Dialect::Native, " " + native}, {Dialect::Native, "\r\n" + native},
    };
    for (const auto& c : cases) {
        Roster roster = KnownRoster();
        const Roster before = roster;
        const auto result = ParsePerformanceFile(c.data, roster, c.dialect);
        EXPECT_EQ(result.outcome, ReadOutcome::NotPerformanceFile);
        EXPECT_EQ(result.status.Error(), "This not a valid Peformance File");
        EXPECT_TRUE(result.diagnostics.empty());
        EXPECT_TRUE(roster == before); // byte for byte
        EXPECT_FALSE(result.touched.any());
    }
    // Without a dialect, neither banner will do.
    Roster roster;
    const auto result = ParsePerformanceFile("[Team #00]\r\n", roster);
    EXPECT_EQ(result.outcome, ReadOutcome::NotPerformanceFile);
}

TEST(ReadPerformanceFile, UnreadableFileLeavesTheRosterUntouched) {
    TestFolder folder;
    const std::string missing = folder.File("nothing.txt");
    for (const std::string& path : {missing, folder.Path()}) {
        Roster roster = KnownRoster();
        const Roster before = roster;
        const auto result = ReadNativePerformanceFile(path, roster);
        EXPECT_EQ(result.outcome, ReadOutcome::Unreadable);
        EXPECT_TRUE(roster == before);
        EXPECT_FALSE(result.touched.any());
        EXPECT_EQ(result.status.Error().rfind(path + ": ", 0), 0u) << result.status.Error();
    }
    Roster roster;
    EXPECT_EQ(ReadExchangePerformanceFile(missing, roster).status.Error(),
              missing + ": No such file or directory");
}

TEST(ReadPerformanceFile, AnOversizedFileIsRefusedUnread) {
    TestFolder folder;
    const std::string path = folder.File("huge.txt");
    std::string data = FormatNativePerformanceFile(FullRoster());
    data.resize(MaxPerformanceFileBytes + 1, ' ');
    TestFolder::Write(path, data);
    Roster roster;
    const Roster before = roster;
    const auto result = ReadNativePerformanceFile(path, roster);
    EXPECT_EQ(result.outcome, ReadOutcome::Unreadable);
    EXPECT_EQ(result.status.Error(),
              path + ": larger than 4 MiB, too large for a Performance File");
    EXPECT_TRUE(roster == before);

    // At the limit it is still read.
    data.resize(MaxPerformanceFileBytes);
    TestFolder::Write(path, data);
    EXPECT_TRUE(ReadNativePerformanceFile(path, roster).IsOk());
}

// --- Positional reading ----------------------------------------------------------------------

TEST(ReadPerformanceFile, KeysAndHeadersAreNeverCompared) {
    std::string file = FormatNativePerformanceFile(FullRoster());
    file = WithLine(file, 3 + 14 * 3, "[Team #99] whatever");
    file = WithLine(file, 4 + 14 * 3, "Engine=Tyrrell,Cosworth");
    file = WithLine(file, 8 + 14 * 3, "TRacePosD2=19");
    file = WithLine(file, 200, "[Not Spares]");
    file = WithLine(file, 202, "seven=Odd Key,15751,15751,5, ");
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result), "");
    EXPECT_EQ(read.TeamName[3].Text(), "Tyrrell");
    EXPECT_EQ(read.EngineName[3].Text(), "Cosworth");
    EXPECT_EQ(read.DriverQualPos[6].Text(), "19");
    EXPECT_EQ(read.SpareName[1].Text(), "Odd Key");
    EXPECT_EQ(read.SpareRange[1].Text(), "5");
}

TEST(ReadPerformanceFile, ACommaInANameShiftsIntoTheNextField) {
    Roster r;
    r.TeamName[2].SetText("Red,Bull");
    r.EngineName[2].SetText("Honda");
    r.DriverName[4].SetText("Smith, John");
    const std::string file = FormatNativePerformanceFile(r);
    EXPECT_EQ(Line(CrLfLines(file), 4 + 14 * 2), "Name=Red,Bull,Honda"); // written unchanged
    Roster read;
    ASSERT_TRUE(Parse(Dialect::Native, file, read).IsOk());
    EXPECT_EQ(read.TeamName[2].Text(), "Red");
    EXPECT_EQ(read.EngineName[2].Text(), "Bull");
    EXPECT_EQ(read.DriverName[4].Text(), "Smith");
    // " John" took the race power's place, and the race power the qualifying power's.
    EXPECT_EQ(read.DriverRacePower[4].Text(), "-9999");
    EXPECT_EQ(read.DriverQualPower[4].Text(), "0");
}

TEST(ReadPerformanceFile, FailureTakesTheRestOfThePerformanceValue) {
    std::string file = FormatExchangePerformanceFile(Roster());
    file = WithLine(file, 5, "Performance=812,790,26,00");
    file = WithLine(file, 11, "Performance=812");
    Roster read = OtherRoster();
    ASSERT_TRUE(Parse(Dialect::Exchange, file, read).IsOk());
    EXPECT_EQ(read.TeamRacePower[0].Text(), "812");
    EXPECT_EQ(read.TeamQualPower[0].Text(), "790");
    EXPECT_EQ(read.TeamFailure[0].Text(), "26,00");
    // Missing fields are empty.
    EXPECT_EQ(read.TeamRacePower[1].Text(), "812");
    EXPECT_EQ(read.TeamQualPower[1].Text(), "");
    EXPECT_EQ(read.TeamFailure[1].Text(), "");
}

TEST(ReadPerformanceFile, LineFeedsAloneReadLikeCrLf) {
    for (Dialect dialect : {Dialect::Native, Dialect::Exchange}) {
        const std::string crlf = FormatPerformanceFile(FullRoster(), dialect);
        Roster fromCrLf = OtherRoster();
        Roster fromLf = OtherRoster();
        ASSERT_TRUE(Parse(dialect, crlf, fromCrLf).IsOk());
        const auto result = Parse(dialect, ReplaceAll(crlf, "\r\n", "\n"), fromLf);
        ASSERT_TRUE(result.IsOk());
        EXPECT_EQ(Diagnostics(result), "");
        EXPECT_EQ(Texts(fromLf), Texts(fromCrLf));
    }
}

TEST(ReadPerformanceFile, CarriageReturnsAloneMakeOneLine) {
    const std::string file = ReplaceAll(FormatNativePerformanceFile(FullRoster()), "\r\n", "\r");
    Roster read = KnownRoster();
    const Roster before = read;
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk()); // the banner is at the start of the one line
    EXPECT_EQ(Diagnostics(result),
              "2: the file ends before this line; the cells from here on keep their values\n");
    EXPECT_TRUE(read == before);
}

TEST(ReadPerformanceFile, ALineOf300BytesIsOneLine) {
    const std::string name(300, 'N');
    std::string file = FormatNativePerformanceFile(FullRoster());
    file = WithLine(file, 4 + 14 * 2, "Name=" + name + ",Long Engine");
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result), "32: team name of 300 characters cut to 31\n");
    EXPECT_EQ(read.TeamName[2].Text(), name.substr(0, 31));
    EXPECT_EQ(read.EngineName[2].Text(), "Long Engine");
    // Every later line still lands in its own cells.
    EXPECT_EQ(read.TeamRacePower[2].Text(), "702");
    EXPECT_EQ(read.CarNumber[5].Text(), "6");
    EXPECT_EQ(read.TeamRacePosD2(13).Text(), "1");
    EXPECT_EQ(read.SpareRange[7].Text(), "607");
}

TEST(ReadPerformanceFile, AFileCutAfterLine50KeepsTheRest) {
    const std::string file = FirstLines(FormatNativePerformanceFile(FullRoster()), 50);
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result),
              "51: the file ends before this line; the cells from here on keep their values\n");
    // Line 50 is the first position line of team 3: the qualifying position of driver 6.
    EXPECT_EQ(read.TeamFailure[3].Text(), "2030");
    EXPECT_EQ(read.DriverQualPower[7].Text(), "-700");
    EXPECT_EQ(read.DriverQualPos[6].Text(), "7");
    EXPECT_EQ(read.DriverQualPos[7].Text(), "z");
    EXPECT_EQ(read.TeamQualPosD1(3).Text(), "z");
    EXPECT_EQ(read.TeamName[4].Text(), "z");
    EXPECT_EQ(read.SpareName[0].Text(), "z");
}

TEST(ReadExchange, NothingAfterTheLastSpareLineIsRead) {
    const std::string full = FormatExchangePerformanceFile(FullRoster());
    Roster fromFull = OtherRoster();
    ASSERT_TRUE(Parse(Dialect::Exchange, full, fromFull).IsOk());

    // Without the "[File]" section, or without anything after line 95.
    for (int keep : {96, 95}) {
        Roster read = OtherRoster();
        const auto result = Parse(Dialect::Exchange, FirstLines(full, keep), read);
        ASSERT_TRUE(result.IsOk());
        EXPECT_EQ(Diagnostics(result), "") << keep;
        EXPECT_EQ(Texts(read), Texts(fromFull)) << keep;
    }
    // Without the last spare line the file has ended early.
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Exchange, FirstLines(full, 94), read);
    EXPECT_EQ(Diagnostics(result),
              "95: the file ends before this line; the cells from here on keep their values\n");
    EXPECT_EQ(read.SpareName[6].Text(), "Spare 6");
    EXPECT_EQ(read.SpareName[7].Text(), "z");
}

// --- Diagnostics ---------------------------------------------------------------------------

TEST(ReadPerformanceFile, EveryCutIsReported) {
    std::string file = FormatNativePerformanceFile(Roster());
    file = WithLine(file, 4, "Name=" + std::string(32, 'T') + "," + std::string(40, 'E'));
    file = WithLine(file, 5, "Performance=1234,56789,123456,7");
    file = WithLine(file, 6, "First Driver=123," + std::string(48, 'D') + ",15751,15751, 1,0,0");
    file = WithLine(file, 8, "DQualPosD1=123");
    file = WithLine(file, 15, "TRacePosD2=1,2");
    file = WithLine(file, 201, "0=" + std::string(80, 'S') + ",15751,15751,1234567, ");
    Roster read;
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result),
              "4: team name of 32 characters cut to 31\n"
              "4: engine name of 40 characters cut to 31\n"
              "5: team race power of 4 characters cut to 3\n"
              "5: team qualifying power of 5 characters cut to 3\n"
              "5: team failure of 8 characters cut to 5\n"
              "6: car number of 3 characters cut to 2\n"
              "6: driver name of 48 characters cut to 47\n"
              "8: first driver's qualifying position of 3 characters cut to 2\n"
              "15: team race position of the second car of 3 characters cut "
              "to 2\n"
              "201: spare name of 80 characters cut to 74\n"
              "201: spare range of 7 characters cut to 5\n");
    // A cut keeps the first W-1 bytes.
    EXPECT_EQ(read.TeamName[0].Text(), std::string(31, 'T'));
    EXPECT_EQ(read.TeamRacePower[0].Text(), "123");
    EXPECT_EQ(read.TeamFailure[0].Text(), "12345");
    EXPECT_EQ(read.CarNumber[0].Text(), "12");
    EXPECT_EQ(read.DriverQualPos[0].Text(), "12");
    EXPECT_EQ(read.TeamRacePosD2(0).Text(), "1,");
    EXPECT_EQ(read.SpareName[0].Text(), std::string(74, 'S'));
    EXPECT_EQ(read.SpareRange[0].Text(), "12345");
}

TEST(ReadPerformanceFile, ANulByteInAValueIsReported) {
    // A NUL ends a cell's text: what follows it would vanish without a word.
    using namespace std::string_literals;
    std::string file = FormatNativePerformanceFile(Roster());
    file = WithLine(file, 4, "Name=Fer\0rari,Fer\0rari and more than fits in its cell"s);
    file = WithLine(file, 5, "Performance=7\0\0,1,26\0, 5"s);
    file = WithLine(file, 8, "DQualPosD1=\0"s);
    Roster read;
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result),
              "4: team name holds a NUL byte after 3 characters; the text after it is lost\n"
              "4: engine name holds a NUL byte after 3 characters; the text after it is lost\n"
              "5: team race power holds a NUL byte after 1 characters; the text after it is "
              "lost\n"
              "5: team failure holds a NUL byte after 2 characters; the text after it is lost\n"
              "8: first driver's qualifying position holds a NUL byte after 0 characters; the "
              "text after it is lost\n");
    EXPECT_EQ(read.TeamName[0].Text(), "Fer");
    EXPECT_EQ(read.EngineName[0].Text(), "Fer");
    EXPECT_EQ(read.TeamRacePower[0].Text(), "7");
    EXPECT_EQ(read.TeamFailure[0].Text(), "26");
    EXPECT_EQ(read.DriverQualPos[0].Text(), "");
}

TEST(ReadPerformanceFile, PowersOutsideTheCellAreClamped) {
    std::string file = FormatExchangePerformanceFile(Roster());
    file = WithLine(file, 6, "First Driver=1,A,115750,115751, 1,0,0");
    file = WithLine(file, 7, "Second Driver=2,B,5752,5751, 1,0,0");
    file = WithLine(file, 12, "First Driver=3,C,,abc, 1,0,0");
    file = WithLine(file, 13, "Second Driver=4,D,99999999999999999999999,-99999999999999999999");
    Roster read;
    const auto result = Parse(Dialect::Exchange, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result),
              "6: driver qualifying power out of range, clamped to 99999 (file value \"115751\")\n"
              "7: driver qualifying power out of range, clamped to -9999 (file value \"5751\")\n"
              "12: driver race power out of range, clamped to -9999 (file value \"\")\n"
              "12: driver qualifying power out of range, clamped to -9999 (file value \"abc\")\n"
              "13: driver race power out of range, clamped to 99999 (file value "
              "\"99999999999999999999...\")\n"
              "13: driver qualifying power out of range, clamped to -9999 (file value "
              "\"-9999999999999999999...\")\n");
    // The edges themselves fit.
    EXPECT_EQ(read.DriverRacePower[0].Text(), "99999");
    EXPECT_EQ(read.DriverQualPower[0].Text(), "99999");
    EXPECT_EQ(read.DriverRacePower[1].Text(), "-9999");
    EXPECT_EQ(read.DriverQualPower[1].Text(), "-9999");
    EXPECT_EQ(read.DriverRacePower[2].Text(), "-9999");
    EXPECT_EQ(read.DriverQualPower[3].Text(), "-9999");
}

TEST(ReadPerformanceFile, ALineWithoutEqualsGivesAnEmptyValue) {
    std::string file = FormatNativePerformanceFile(FullRoster());
    // An empty line where the Name line belongs, and a bare position.
    file = WithLine(file, 4, "");
    file = WithLine(file, 9, "5");
    file = WithLine(file, 203, "Spare Without Key,15751");
    Roster read = OtherRoster();
    const auto result = Parse(Dialect::Native, file, read);
    ASSERT_TRUE(result.IsOk());
    EXPECT_EQ(Diagnostics(result), "4: no \"=\" in the line; value taken as empty\n"
                                   "9: no \"=\" in the line; value taken as empty\n"
                                   "203: no \"=\" in the line; value taken as empty\n"
                                   "203: spare race power out of range, clamped to -9999 (file "
                                   "value \"\")\n"
                                   "203: spare qualifying power out of range, clamped to -9999 "
                                   "(file value \"\")\n");
    EXPECT_EQ(read.TeamName[0].Text(), "");
    EXPECT_EQ(read.EngineName[0].Text(), "");
    EXPECT_EQ(read.DriverQualPos[1].Text(), "");
    EXPECT_EQ(read.SpareName[2].Text(), "");
    EXPECT_EQ(read.SpareRange[2].Text(), "");
    EXPECT_EQ(read.TeamRacePower[0].Text(), "700"); // the next line is unaffected
}

TEST(ReadPerformanceFile, TeamSectionNumberIsWrittenButNeverRead) {
    std::string file = FormatNativePerformanceFile(FullRoster());
    EXPECT_EQ(Line(CrLfLines(file), 3 + 14 * 7), "[Team #07]");
    file = WithLine(file, 3 + 14 * 7, "[Team #12]");
    Roster read = OtherRoster();
    ASSERT_TRUE(Parse(Dialect::Native, file, read).IsOk());
    EXPECT_EQ(read.TeamName[7].Text(), "Team 7");
    EXPECT_EQ(read.TeamName[12].Text(), "Team 12");
}

} // namespace
} // namespace rk7
