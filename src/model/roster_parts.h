#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

namespace rk7 {

// The parts of the roster that the forms edit, as bits of a set; each lives in one store file.
enum RosterPart : unsigned {
    TeamsPart = 1u << 0,        // the team table (Teams.rk)
    DriversPart = 1u << 1,      // the driver table (Drivers.rk)
    SparesPart = 1u << 2,       // the spare drivers (Drivers.rk too)
    PowerTablesPart = 1u << 3,  // the power tables and start values (EPowers.rk)
    RangeFailurePart = 1u << 4, // the range and failure tables (RanFail.rk)
    AllParts = (1u << 5) - 1,
};

// The store files (StoreFile bits) that hold the parts.
unsigned StoresOf(unsigned parts);
// The parts that the store files hold.
unsigned PartsOf(unsigned stores);
// The part a field belongs to.
RosterPart PartOf(Field field);
// Copies the cells of the parts from one roster to another, whole cells.
void CopyParts(Roster& to, const Roster& from, unsigned parts);

} // namespace rk7
