#include "app/command.h"

#include <cstdlib>

namespace rk7 {

namespace {

using enum Command;

constexpr CommandInfo Infos[] = {
    {OpenExchangeFile, "open-exchange-file", "files", "Load a RK7edit Performance File"},
    {SaveExchangeFile, "save-exchange-file", "files", "Save a RK7edit Performance File"},
    {OpenNativeFile, "open-native-file", "files", "Open a RK7 Power Performance File"},
    {SaveNativeFile, "save-native-file", "files", "Save a RK7 Power Performance File"},
    {PrintPreview, "print-preview", "views", "Displays full pages as read-only"},
    {Print, "print", "views", "Prints the active document"},
    {PrintSetup, "print-setup", "views", "Sets print characteristics for the active document"},
    {Exit, "exit", "index", "Quits RK7 Power and prompts to save the documents"},
    {MainDrivers, "main-drivers", "editors", "Edit Driver Names, and Powers"},
    {SpareDrivers, "spare-drivers", "editors", nullptr},
    {EditTeams, "edit-teams", "editors", "Edit Team Names, Powers, Engine Names"},
    {EditPowers, "edit-powers", "editors",
     "Editing power numbers that the program uses to calculate with"},
    {RangeFailure, "range-failure", "editors", nullptr},
    {ViewTeams, "view-teams", "views", "View Team Info"},
    {ViewDrivers, "view-drivers", "views", "View Driver Info"},
    {ViewAll, "view-all", "views", "View All Info"},
    {ViewChart, "view-chart", "views", "View Charts of the Powers and Position Tables"},
    {HelpContents, "help-contents", "index", nullptr},
    {WhatsNew, "whats-new", "index", "What's New in Rk7Power"},
    {About, "about", "index", "About the RK7 Power application"},
    {Undo, "undo", "editors", "Undo the last change to the roster"},
    {Redo, "redo", "editors", "Redo the change last undone"},
    {OpenRosterFolder, "open-roster-folder", "files", "Open the roster kept in another folder"},
    {SaveRosterAs, "save-roster-as", "files",
     "Copy the roster into another folder and go on there"},
    {ShowRosterFolder, "show-roster-folder", "files", "Show the roster folder in the file manager"},
    {CompareFile, "compare-file", "files",
     "List what opening a Performance File would change in the roster"},
    {CopyView, "copy-view", "views", "Copy the table shown, for a spreadsheet, or the chart"},
    {HighlightChanges, "highlight-changes", "views", "Mark the cells that the last change changed"},
};

constexpr MenuItem Menu[] = {
    {"&File/&Open", "&Open RK7Edit Performance File...", OpenExchangeFile},
    {"&File/&Open", "Op&en RK7 Power Performance File...\tCtrl+O", OpenNativeFile},
    {"&File/&Save", "Save &RK7Edit Performance File &As...", SaveExchangeFile},
    {"&File/&Save", "Save RK7 &Power Performance File &As...\tCtrl+S", SaveNativeFile},
    {"&File", "Open Roster &Folder...\tCtrl+Shift+O", OpenRosterFolder},
    {"&File", "Save Roster &As...", SaveRosterAs},
    {"&File", "S&how Roster Folder", ShowRosterFolder},
    {"&File", "&Compare with Performance File...", CompareFile},
    {"&File", nullptr, {}},
    {"&File", "Print Pre&view...", PrintPreview},
    {"&File", "&Print...\tCtrl+P", Print},
    {"&File", "P&rint Setup...", PrintSetup},
    {"&File", nullptr, {}},
    {"&File", "E&xit\tCtrl+Q", Exit, "Alt+F4"},
    {"&Edit/Edit &Drivers", "Main Drivers", MainDrivers},
    {"&Edit/Edit &Drivers", "Spare Drivers", SpareDrivers},
    {"&Edit", "Edit &Teams", EditTeams},
    {"&Edit", "Edit &Powers", EditPowers},
    {"&Edit", "&Copy View\tCtrl+C", CopyView},
    {"&Edit", nullptr, {}},
    {"&Edit", "&Undo\tCtrl+Z", Undo},
    {"&Edit", "&Redo\tCtrl+Shift+Z", Redo, "Ctrl+Y"},
    {"&View", "View &Teams", ViewTeams},
    {"&View", "View &Drivers", ViewDrivers},
    {"&View", "View &All", ViewAll},
    {"&View", "View &Chart", ViewChart},
    {"&View", nullptr, {}},
    {"&View", "&Highlight Changes", HighlightChanges},
    {"&Help", "H&elp Contents", HelpContents},
    {"&Help", nullptr, {}},
    {"&Help", "&What's New", WhatsNew},
    {"&Help", "&About...", About},
};

constexpr std::optional<Command> Buttons[] = {
    OpenExchangeFile, SaveExchangeFile, {},        OpenNativeFile, SaveNativeFile, {}, MainDrivers,
    EditTeams,        EditPowers,       {},        Print,          PrintPreview,   {}, ViewAll,
    ViewTeams,        ViewDrivers,      ViewChart,
};

} // namespace

std::span<const CommandInfo> Commands() {
    return Infos;
}

const CommandInfo& InfoOf(Command command) {
    for (const CommandInfo& info : Infos)
        if (info.command == command)
            return info;
    std::abort(); // every enumerator has a row
}

std::optional<Command> CommandFromNumber(int number) {
    for (const CommandInfo& info : Infos)
        if (static_cast<int>(info.command) == number)
            return info.command;
    return std::nullopt;
}

std::span<const MenuItem> MainMenu() {
    return Menu;
}

std::span<const std::optional<Command>> ToolBarButtons() {
    return Buttons;
}

} // namespace rk7
