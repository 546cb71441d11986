#pragma once

#include <optional>
#include <span>

#include <QtGlobal>

namespace rk7 {

// The commands of the menu and the tool bar. Their values are the help context numbers, which
// the help pages and users' notes have always used.
enum class Command {
    OpenExchangeFile = 24332,
    SaveExchangeFile = 24333,
    OpenNativeFile = 6800,
    SaveNativeFile = 6801,
    PrintPreview = 24340,
    Print = 24337,
    PrintSetup = 24338,
    Exit = 24310,
    MainDrivers = 6100,
    SpareDrivers = 7010,
    EditTeams = 3000,
    EditPowers = 4000,
    RangeFailure = 6661, // on no menu or button: the Edit Powers form opens its form
    ViewTeams = 6200,
    ViewDrivers = 6300,
    ViewAll = 6400,
    HelpContents = 2010,
    WhatsNew = 4353,
    About = 2009,
    // Commands this program added; their numbers are its own.
    Undo = 8001,
    Redo = 8002,
    OpenRosterFolder = 8003,
    CompareFile = 8004,
    CopyView = 8005,
    HighlightChanges = 8006,
    ViewChart = 8007,
    SaveRosterAs = 8008,
    ShowRosterFolder = 8009,
};

// What the program knows about a command.
struct CommandInfo {
    Command command;
    // Its readable name: object names ("action:edit-teams"), tool button images
    // (":/icons/edit-teams.png") and help anchors ("editors.html#edit-teams") use it.
    const char* name;
    const char* helpPage; // the help page that explains it, without ".html"
    const char* hint; // the status-bar hint, or nullptr; translated in the context "rk7::Command"
};

// Every command, in no particular order.
std::span<const CommandInfo> Commands();
const CommandInfo& InfoOf(Command command);
// The command with this help context number, if there is one.
std::optional<Command> CommandFromNumber(int number);

// The menus whose titles have a status-bar hint of their own.
inline constexpr const char* EditMenuHint =
    QT_TRANSLATE_NOOP("rk7::Command", "Edit Teams, Drivers, and Calculated Powers");
inline constexpr const char* ViewMenuHint =
    QT_TRANSLATE_NOOP("rk7::Command", "Select Various Views");

// One row of the main menu: a submenu path ("&File/&Open"), the item's text (with the shortcut
// the menu shows after a tab; the text is translated, the shortcut is not), its command, and
// another key for it that the menu does not show; a row without text is a separator.
struct MenuItem {
    const char* menu;
    const char* text;
    Command command;
    const char* otherKey = nullptr;
};
std::span<const MenuItem> MainMenu();

// The tool bar, left to right; an empty row is a separator.
std::span<const std::optional<Command>> ToolBarButtons();

} // namespace rk7
