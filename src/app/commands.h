#pragma once

#include <span>

namespace rk7 {

// Command ids; they are also the help topics' keys.
namespace cmd {
inline constexpr int OpenExchangeFile = 24332;
inline constexpr int SaveExchangeFile = 24333;
inline constexpr int OpenNativeFile = 6800;
inline constexpr int SaveNativeFile = 6801;
inline constexpr int PrintPreview = 24340;
inline constexpr int Print = 24337;
inline constexpr int PrintSetup = 24338;
inline constexpr int Exit = 24310;
inline constexpr int MainDrivers = 6100;
inline constexpr int MainDriversAlt = 6600;
inline constexpr int SpareDrivers = 7010;
inline constexpr int EditTeams = 3000;
inline constexpr int EditTeamsAlt = 6601;
inline constexpr int EditPowers = 4000;
inline constexpr int EditPowersAlt = 6602;
inline constexpr int RangeFailure = 6661;
inline constexpr int RangeFailureAlt = 6603;
inline constexpr int ViewTeams = 6200;
inline constexpr int ViewDrivers = 6300;
inline constexpr int ViewAll = 6400;
inline constexpr int HelpContents = 2010;
inline constexpr int WhatsNew = 4353;
inline constexpr int About = 2009;
// Whole menus, for their hints.
inline constexpr int EditMenu = 6099;
inline constexpr int ViewMenu = 6199;
} // namespace cmd

// The status-bar hint of a command or menu id; nullptr when it has none.
const char* CommandHint(int id);

// One row of the main menu: a submenu path ("&File/&Open"), the item's text, its command id.
// A row with id 0 is a separator.
struct MenuItem {
    const char* menu;
    const char* text;
    int id;
};

// The main menu in display order.
std::span<const MenuItem> MainMenu();

// Tool bar gadgets, left to right: command id and bitmap; a row with id 0 is a separator.
struct ToolButton {
    int id;
    const char* bitmap; // resource name of the button image
};
std::span<const ToolButton> ToolBarButtons();

} // namespace rk7
