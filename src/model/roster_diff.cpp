#include "model/roster_diff.h"

#include <algorithm>

namespace rk7 {

namespace {

constexpr RowKind RowKinds[] = {RowKind::Team, RowKind::Driver, RowKind::Spare, RowKind::Position,
                                RowKind::Start};

std::string RowName(const Roster& roster, RowKind row, int index) {
    switch (row) {
    case RowKind::Team:
        return roster.TeamName[index].Str();
    case RowKind::Driver:
        return roster.DriverName[index].Str();
    case RowKind::Spare:
        return roster.SpareName[index].Str();
    case RowKind::Position:
        // Position p is entry p-1 of each table.
        return "position " + std::to_string(index + 1);
    case RowKind::Start:
    default:
        return {};
    }
}

} // namespace

std::vector<CellDifference> DiffRosters(const Roster& now, const Roster& other) {
    std::vector<CellDifference> differences;
    const std::span<const RosterField> fields = RosterFields();
    for (RowKind kind : RowKinds) {
        // The fields of one kind stand together.
        const auto first = std::find_if(fields.begin(), fields.end(),
                                        [kind](const RosterField& f) { return f.row == kind; });
        const auto last = std::find_if(first, fields.end(),
                                       [kind](const RosterField& f) { return f.row != kind; });
        for (int i = 0; i < RowCount(kind); ++i) {
            for (auto field = first; field != last; ++field)
                if (!field->sameText(now, other, i))
                    differences.push_back({kind, i, RowName(now, kind, i), field->field,
                                           std::string(field->text(now, i)),
                                           std::string(field->text(other, i))});
        }
    }
    return differences;
}

std::string_view RowKindName(RowKind row) {
    switch (row) {
    case RowKind::Team:
        return "team";
    case RowKind::Driver:
        return "driver";
    case RowKind::Spare:
        return "spare";
    case RowKind::Position:
        return "position table";
    case RowKind::Start:
    default:
        return "start value";
    }
}

} // namespace rk7
