#pragma once

#include "model/program_state.h"
#include "model/roster.h"
#include "model/roster_schema.h"

namespace rk7 {

// The parts of the roster that the forms edit, each a bit of a RosterPartSet; each lives in one
// store file.
namespace bits {
enum class RosterPart : unsigned {
    TeamsPart = 1u << 0,        // the team table (Teams.rk)
    DriversPart = 1u << 1,      // the driver table (Drivers.rk)
    SparesPart = 1u << 2,       // the spare drivers (Drivers.rk too)
    PowerTablesPart = 1u << 3,  // the power tables and start values (EPowers.rk)
    RangeFailurePart = 1u << 4, // the range and failure tables (RanFail.rk)
    AllParts = (1u << 5) - 1,
};
} // namespace bits
using bits::RosterPart;
using enum RosterPart;
using RosterPartSet = Flags<RosterPart>;

// The store files that hold the parts.
StoreFileSet StoresOf(RosterPartSet parts);
// The parts that the store files hold.
RosterPartSet PartsOf(StoreFileSet stores);
// The part a field belongs to.
RosterPart PartOf(Field field);
// Copies the cells of the parts from one roster to another, whole cells.
void CopyParts(Roster& to, const Roster& from, RosterPartSet parts);

} // namespace rk7
