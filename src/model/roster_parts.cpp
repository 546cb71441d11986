#include "model/roster_parts.h"

#include "model/program_state.h"

#include <algorithm>

namespace rk7 {

StoreFileSet StoresOf(RosterPartSet parts) {
    StoreFileSet stores;
    for (const FieldSchema& field : Fields())
        if (parts & PartOf(field.field))
            stores |= StoreOf(field.field);
    return stores;
}

RosterPartSet PartsOf(StoreFileSet stores) {
    RosterPartSet parts;
    for (const FieldSchema& field : Fields())
        if (stores & StoreOf(field.field))
            parts |= PartOf(field.field);
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

void CopyParts(Roster& to, const Roster& from, RosterPartSet parts) {
    for (const FieldSchema& field : Fields()) {
        if (!(parts & PartOf(field.field)))
            continue;
        for (int row = 0; row < field.rows; ++row) {
            const ConstCellRef cell = field.At(from, row);
            std::copy(cell.bytes.begin(), cell.bytes.end(), field.At(to, row).bytes.begin());
        }
    }
}

} // namespace rk7
