#include "model/roster_diff.h"

#include <algorithm>

namespace rk7 {

namespace {

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
    const std::span<const FieldSchema> fields = Fields();
    auto first = fields.begin();
    while (first != fields.end()) {
        // The fields of one kind of row stand together: row by row, then field by field.
        const RowKind kind = RowKindOf(first->field);
        const auto last = std::find_if(first, fields.end(), [kind](const FieldSchema& f) {
            return RowKindOf(f.field) != kind;
        });
        for (int i = 0; i < first->rows; ++i)
            for (auto field = first; field != last; ++field) {
                const ConstCellRef a = field->At(now, i);
                const ConstCellRef b = field->At(other, i);
                // Equal bytes settle it without looking for the NUL, as for most cells.
                if (std::equal(a.bytes.begin(), a.bytes.end(), b.bytes.begin()) ||
                    a.Text() == b.Text())
                    continue;
                differences.push_back(
                    {kind, i, RowName(now, kind, i), field->name, a.Str(), b.Str()});
            }
        first = last;
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
