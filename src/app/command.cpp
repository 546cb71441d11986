#include "app/command.h"

#include <cstdlib>

#include <QtGlobal>

namespace rk7 {

namespace {

using enum Command;

constexpr CommandInfo Infos[] = {
    {OpenExchangeFile, "open-exchange-file", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Load a RK7edit Performance File")},
    {SaveExchangeFile, "save-exchange-file", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Save a RK7edit Performance File")},
    {OpenNativeFile, "open-native-file", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Open a RK7 Power Performance File")},
    {SaveNativeFile, "save-native-file", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Save a RK7 Power Performance File")},
    {PrintPreview, "print-preview", "views",
     QT_TRANSLATE_NOOP("rk7::Command", "Displays full pages as read-only")},
    {Print, "print", "views", QT_TRANSLATE_NOOP("rk7::Command", "Prints the active document")},
    {PrintSetup, "print-setup", "views",
     QT_TRANSLATE_NOOP("rk7::Command", "Sets print characteristics for the active document")},
    {Exit, "exit", "index",
     QT_TRANSLATE_NOOP("rk7::Command", "Quits RK7 Power and prompts to save the documents")},
    {MainDrivers, "main-drivers", "editors",
     QT_TRANSLATE_NOOP("rk7::Command", "Edit Driver Names, and Powers")},
    {SpareDrivers, "spare-drivers", "editors", nullptr},
    {EditTeams, "edit-teams", "editors",
     QT_TRANSLATE_NOOP("rk7::Command", "Edit Team Names, Powers, Engine Names")},
    {EditPowers, "edit-powers", "editors",
     QT_TRANSLATE_NOOP("rk7::Command",
                       "Editing power numbers that the program uses to calculate with")},
    {RangeFailure, "range-failure", "editors", nullptr},
    {ViewTeams, "view-teams", "views", QT_TRANSLATE_NOOP("rk7::Command", "View Team Info")},
    {ViewDrivers, "view-drivers", "views", QT_TRANSLATE_NOOP("rk7::Command", "View Driver Info")},
    {ViewAll, "view-all", "views", QT_TRANSLATE_NOOP("rk7::Command", "View All Info")},
    {ViewChart, "view-chart", "views",
     QT_TRANSLATE_NOOP("rk7::Command", "View Charts of the Powers and Position Tables")},
    {HelpContents, "help-contents", "index", nullptr},
    {WhatsNew, "whats-new", "index", QT_TRANSLATE_NOOP("rk7::Command", "What's New in Rk7Power")},
    {About, "about", "index", QT_TRANSLATE_NOOP("rk7::Command", "About the RK7 Power application")},
    {Undo, "undo", "editors",
     QT_TRANSLATE_NOOP("rk7::Command", "Undo the last change to the roster")},
    {Redo, "redo", "editors", QT_TRANSLATE_NOOP("rk7::Command", "Redo the change last undone")},
    {OpenRosterFolder, "open-roster-folder", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Open the roster kept in another folder")},
    {SaveRosterAs, "save-roster-as", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Copy the roster into another folder and go on there")},
    {ShowRosterFolder, "show-roster-folder", "files",
     QT_TRANSLATE_NOOP("rk7::Command", "Show the roster folder in the file manager")},
    {CompareFile, "compare-file", "files",
     QT_TRANSLATE_NOOP("rk7::Command",
                       "List what opening a Performance File would change in the roster")},
    {CopyView, "copy-view", "views",
     QT_TRANSLATE_NOOP("rk7::Command", "Copy the table shown, for a spreadsheet, or the chart")},
    {HighlightChanges, "highlight-changes", "views",
     QT_TRANSLATE_NOOP("rk7::Command", "Mark the cells that the last change changed")},
};

// The titles of the menus, each step of a path on its own, for the translations: the main window
// translates a path step by step.
[[maybe_unused]] constexpr const char* MenuTitles[] = {
    QT_TRANSLATE_NOOP("rk7::Command", "&File"),         QT_TRANSLATE_NOOP("rk7::Command", "&Open"),
    QT_TRANSLATE_NOOP("rk7::Command", "&Save"),         QT_TRANSLATE_NOOP("rk7::Command", "&Edit"),
    QT_TRANSLATE_NOOP("rk7::Command", "Edit &Drivers"), QT_TRANSLATE_NOOP("rk7::Command", "&View"),
    QT_TRANSLATE_NOOP("rk7::Command", "&Help"),
};

constexpr MenuItem Menu[] = {
    {"&File/&Open", QT_TRANSLATE_NOOP("rk7::Command", "&Open RK7Edit Performance File..."),
     OpenExchangeFile},
    {"&File/&Open",
     QT_TRANSLATE_NOOP("rk7::Command", "Op&en RK7 Power Performance File...\tCtrl+O"),
     OpenNativeFile},
    {"&File/&Save", QT_TRANSLATE_NOOP("rk7::Command", "Save &RK7Edit Performance File &As..."),
     SaveExchangeFile},
    {"&File/&Save",
     QT_TRANSLATE_NOOP("rk7::Command", "Save RK7 &Power Performance File &As...\tCtrl+S"),
     SaveNativeFile},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "Open Roster &Folder...\tCtrl+Shift+O"),
     OpenRosterFolder},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "Save Roster &As..."), SaveRosterAs},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "S&how Roster Folder"), ShowRosterFolder},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "&Compare with Performance File..."), CompareFile},
    {"&File", nullptr, {}},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "Print Pre&view..."), PrintPreview},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "&Print...\tCtrl+P"), Print},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "P&rint Setup..."), PrintSetup},
    {"&File", nullptr, {}},
    {"&File", QT_TRANSLATE_NOOP("rk7::Command", "E&xit\tCtrl+Q"), Exit, "Alt+F4"},
    {"&Edit/Edit &Drivers", QT_TRANSLATE_NOOP("rk7::Command", "Main Drivers"), MainDrivers},
    {"&Edit/Edit &Drivers", QT_TRANSLATE_NOOP("rk7::Command", "Spare Drivers"), SpareDrivers},
    {"&Edit", QT_TRANSLATE_NOOP("rk7::Command", "Edit &Teams"), EditTeams},
    {"&Edit", QT_TRANSLATE_NOOP("rk7::Command", "Edit &Powers"), EditPowers},
    {"&Edit", QT_TRANSLATE_NOOP("rk7::Command", "&Copy View\tCtrl+C"), CopyView},
    {"&Edit", nullptr, {}},
    {"&Edit", QT_TRANSLATE_NOOP("rk7::Command", "&Undo\tCtrl+Z"), Undo},
    {"&Edit", QT_TRANSLATE_NOOP("rk7::Command", "&Redo\tCtrl+Shift+Z"), Redo, "Ctrl+Y"},
    {"&View", QT_TRANSLATE_NOOP("rk7::Command", "View &Teams"), ViewTeams},
    {"&View", QT_TRANSLATE_NOOP("rk7::Command", "View &Drivers"), ViewDrivers},
    {"&View", QT_TRANSLATE_NOOP("rk7::Command", "View &All"), ViewAll},
    {"&View", QT_TRANSLATE_NOOP("rk7::Command", "View &Chart"), ViewChart},
    {"&View", nullptr, {}},
    {"&View", QT_TRANSLATE_NOOP("rk7::Command", "&Highlight Changes"), HighlightChanges},
    {"&Help", QT_TRANSLATE_NOOP("rk7::Command", "H&elp Contents"), HelpContents},
    {"&Help", nullptr, {}},
    {"&Help", QT_TRANSLATE_NOOP("rk7::Command", "&What's New"), WhatsNew},
    {"&Help", QT_TRANSLATE_NOOP("rk7::Command", "&About..."), About},
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
