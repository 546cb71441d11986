#include "app/commands.h"

namespace rk7 {

namespace {

struct Hint {
    int id;
    const char* text;
};

constexpr Hint Hints[] = {
    {cmd::OpenExchangeFile, "Load a RK7edit Performance File"},
    {cmd::SaveExchangeFile, "Save a RK7edit Performance File"},
    {cmd::OpenNativeFile, "Open a RK7 Power Performance File"},
    {cmd::SaveNativeFile, "Save a RK7 Power Performance File"},
    {cmd::Print, "Prints the active document"},
    {cmd::PrintSetup, "Sets print characteristics for the active document"},
    {cmd::PrintPreview, "Displays full pages as read-only"},
    {cmd::Exit, "Quits RK7 Power and prompts to save the documents"},
    {cmd::MainDrivers, "Edit Driver Names, and Powers"},
    {cmd::EditTeams, "Edit Team Names, Powers, Engine Names"},
    {cmd::EditPowers, "Editing power numbers that the program uses to calculate with"},
    {cmd::ViewTeams, "View Team Info"},
    {cmd::ViewDrivers, "View Driver Info"},
    {cmd::ViewAll, "View All Info"},
    {cmd::WhatsNew, "What's New in Rk7Power"},
    {cmd::About, "About the RK7 Power application"},
    {cmd::EditMenu, "Edit Teams, Drivers, and Calculated Powers"},
    {cmd::ViewMenu, "Select Various Views"},
};

constexpr MenuItem Menu[] = {
    {"&File/&Open", "&Open RK7Edit Performance File...", cmd::OpenExchangeFile},
    {"&File/&Open", "Op&en RK7 Power Performance File...", cmd::OpenNativeFile},
    {"&File/&Save", "Save &RK7Edit Performance File &As...", cmd::SaveExchangeFile},
    {"&File/&Save", "Save RK7 &Power Performance File &As...", cmd::SaveNativeFile},
    {"&File", "Print Pre&view...", cmd::PrintPreview},
    {"&File", "&Print...", cmd::Print},
    {"&File", "P&rint Setup...", cmd::PrintSetup},
    {"&File", nullptr, 0},
    {"&File", "E&xit\tAlt+F4", cmd::Exit},
    {"&Edit/Edit &Drivers", "Main Drivers", cmd::MainDrivers},
    {"&Edit/Edit &Drivers", "Spare Drivers", cmd::SpareDrivers},
    {"&Edit", "Edit &Teams", cmd::EditTeams},
    {"&Edit", "Edit &Powers", cmd::EditPowers},
    {"&View", "View &Teams", cmd::ViewTeams},
    {"&View", "View &Drivers", cmd::ViewDrivers},
    {"&View", "View &All", cmd::ViewAll},
    {"&Help", "H&elp Contents", cmd::HelpContents},
    {"&Help", nullptr, 0},
    {"&Help", "&What's New", cmd::WhatsNew},
    {"&Help", "&About...", cmd::About},
};

constexpr ToolButton Buttons[] = {
    {cmd::OpenExchangeFile, "24332"},
    {cmd::SaveExchangeFile, "24333"},
    {0, nullptr},
    {cmd::OpenNativeFile, "6800"},
    {cmd::SaveNativeFile, "6801"},
    {0, nullptr},
    {cmd::MainDrivers, "6600"},
    {cmd::EditTeams, "6601"},
    {cmd::EditPowers, "6602"},
    {0, nullptr},
    {cmd::Print, "24337"},
    {cmd::PrintPreview, "24340"},
    {0, nullptr},
    {cmd::ViewAll, "6400"},
    {cmd::ViewTeams, "6200"},
    {cmd::ViewDrivers, "6300"},
};

} // namespace

const char* CommandHint(int id) {
    for (const Hint& hint : Hints)
        if (hint.id == id)
            return hint.text;
    return nullptr;
}

std::span<const MenuItem> MainMenu() {
    return Menu;
}

std::span<const ToolButton> ToolBarButtons() {
    return Buttons;
}

} // namespace rk7
