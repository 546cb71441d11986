#include "model/roster.h"

#include <string>

namespace rk7 {

namespace {

constexpr const char* DefaultTeams[TeamCount][2] = {
    {"Ferrari", "Ferrari"},  {"Mclaren", "Mercedes"},  {"Williams", "BMW"},
    {"Benetton", "Renault"}, {"BAR", "Honda"},         {"Jordan", "Honda"},
    {"Arrows", "Asiatech"},  {"Sauber", "Ferrari"},    {"Jaguar", "Ford"},
    {"Minardi", "European"}, {"Prost", "Ferrari"},     {"Toyota", "Toyota"},
    {"Honda", "Honda"},      {"Lotus", "Lambourgini"},
};

// Fictional names, none of them a real driver's.
constexpr const char* DefaultDrivers[DriverCount] = {
    "Marco Venturi",     "Lukas Brandauer",  "Pierre Dumoulin",  "Oliver Ashcombe",
    "Tomas Lindqvist",   "Rafael Quintero",  "Hendrik Vossberg", "Aiden McAllister",
    "Kenji Takamura",    "Jonas Falkenrath", "Emile Rochefort",  "Sandro Bellucci",
    "Niklas Oberhauser", "Callum Pritchard", "Mateo Arriaga",    "Viktor Halvorsen",
    "Dario Castellano",  "Felix Granberg",   "Bruno Terranova",  "Samuel Okonkwo",
    "Yannick Morel",     "Anders Kjellberg", "Lorenzo Fabbri",   "Henry Whitlock",
    "Ricardo Salvaje",   "Stefan Kowalczyk", "Julien Marchetti", "Patrick Delaney",
};

constexpr int DriverPowerDefaults[PositionCount] = {
    500, 450, 400, 350, 300, 250, 200, 180, 160, 150, 130, 120, 110, 100,
    90,  80,  70,  60,  50,  45,  40,  35,  30,  25,  20,  15,  10,  5};

constexpr int TeamPowerDefaults[PositionCount] = {55, 53, 51, 49, 47, 45, 41, 39, 38, 36,
                                                  34, 32, 30, 28, 26, 24, 22, 20, 18, 16,
                                                  14, 12, 10, 9,  7,  5,  3,  1};

} // namespace

Roster::Roster() {
    for (int t = 0; t < TeamCount; ++t) {
        TeamName[t].SetText(DefaultTeams[t][0]);
        EngineName[t].SetText(DefaultTeams[t][1]);
    }
    for (int d = 0; d < DriverCount; ++d)
        DriverName[d].SetText(DefaultDrivers[d]);
    for (int i = 0; i < PositionCount; ++i) {
        const int p = i + 1;
        DriverPowerByPos[i].SetText(std::to_string(DriverPowerDefaults[i]));
        TeamPowerByPos[i].SetText(std::to_string(TeamPowerDefaults[i]));
        RangeByPos[i].SetText(std::to_string(450 + 50 * p));
        FailureByPos[i].SetText(std::to_string(400 + 100 * p));
    }
    DriverStartQual.SetText("16200");
    DriverStartRace.SetText("15750");
    TeamStartQual.SetText("740");
    TeamStartRace.SetText("715");
}

} // namespace rk7
