#include "model/roster_parts.h"

#include "model/program_state.h"

namespace rk7 {

namespace {

template <auto... Blocks>
void Copy(Roster& to, const Roster& from) {
    ((to.*Blocks = from.*Blocks), ...);
}

} // namespace

unsigned StoresOf(unsigned parts) {
    unsigned stores = 0;
    if (parts & TeamsPart)
        stores |= TeamsStore;
    if (parts & (DriversPart | SparesPart))
        stores |= DriversStore;
    if (parts & PowerTablesPart)
        stores |= PowersStore;
    if (parts & RangeFailurePart)
        stores |= RanFailStore;
    return stores;
}

unsigned PartsOf(unsigned stores) {
    unsigned parts = 0;
    if (stores & TeamsStore)
        parts |= TeamsPart;
    if (stores & DriversStore)
        parts |= DriversPart | SparesPart;
    if (stores & PowersStore)
        parts |= PowerTablesPart;
    if (stores & RanFailStore)
        parts |= RangeFailurePart;
    return parts;
}

RosterPart PartOf(Field field) {
    switch (RowKindOf(field)) {
    case RowKind::Team:
        return TeamsPart;
    case RowKind::Driver:
        return DriversPart;
    case RowKind::Spare:
        return SparesPart;
    case RowKind::Position:
        return field == Field::RangeByPos || field == Field::FailureByPos ? RangeFailurePart
                                                                          : PowerTablesPart;
    case RowKind::Start:
    default:
        return PowerTablesPart;
    }
}

void CopyParts(Roster& to, const Roster& from, unsigned parts) {
    using R = Roster;
    if (parts & TeamsPart)
        Copy<&R::TeamName, &R::EngineName, &R::TeamQualPower, &R::TeamRacePower, &R::TeamFailure,
             &R::TeamQualPos, &R::TeamRacePos>(to, from);
    if (parts & DriversPart)
        Copy<&R::DriverName, &R::CarNumber, &R::DriverQualPos, &R::DriverRacePos,
             &R::DriverQualPower, &R::DriverRacePower, &R::DriverRange>(to, from);
    if (parts & SparesPart)
        Copy<&R::SpareName, &R::SpareRacePower, &R::SpareQualPower, &R::SpareRange>(to, from);
    if (parts & PowerTablesPart)
        Copy<&R::DriverPowerByPos, &R::TeamPowerByPos, &R::DriverStartQual, &R::DriverStartRace,
             &R::TeamStartQual, &R::TeamStartRace>(to, from);
    if (parts & RangeFailurePart)
        Copy<&R::RangeByPos, &R::FailureByPos>(to, from);
}

} // namespace rk7
