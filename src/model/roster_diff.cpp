#include "model/roster_diff.h"

#include "model/roster_parts.h"

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

// Calls found(kind, field, row, cell in now, cell in other) for every cell whose text differs,
// in the order DiffRosters lists them.
template <typename Found>
void ForEachDifference(const Roster& now, const Roster& other, Found&& found) {
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
                found(kind, *field, i, a, b);
            }
        first = last;
    }
}

} // namespace

std::vector<CellDifference> DiffRosters(const Roster& now, const Roster& other) {
    std::vector<CellDifference> differences;
    ForEachDifference(now, other,
                      [&](RowKind kind, const FieldSchema& field, int row, const ConstCellRef& a,
                          const ConstCellRef& b) {
                          differences.push_back({kind, row, RowName(now, kind, row), field.field,
                                                 field.name, a.Str(), b.Str()});
                      });
    return differences;
}

MergedEdit MergeEdit(const Roster& base, const Roster& edited, const Roster& now,
                     RosterPartSet parts, bool keepMine) {
    MergedEdit merged{now, {}};
    ForEachDifference(
        base, edited,
        [&](RowKind kind, const FieldSchema& field, int row, const ConstCellRef& was,
            const ConstCellRef& mine) {
            if (!(parts & PartOf(field.field)))
                return;
            const ConstCellRef theirs = field.At(now, row);
            const bool conflict = theirs.Text() != was.Text() && theirs.Text() != mine.Text();
            if (conflict)
                merged.conflicts.push_back({kind, row, RowName(now, kind, row), field.field,
                                            field.name, theirs.Str(), mine.Str()});
            if (!conflict || keepMine) {
                const CellRef cell = field.At(merged.roster, row);
                std::copy(mine.bytes.begin(), mine.bytes.end(), cell.bytes.begin());
            }
        });
    return merged;
}

CellSet ChangedCells(const Roster& a, const Roster& b) {
    CellSet cells;
    ForEachDifference(a, b,
                      [&](RowKind, const FieldSchema& field, int row, const ConstCellRef&,
                          const ConstCellRef&) { cells.Add(field.field, row); });
    return cells;
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

std::string RowLabel(const CellDifference& difference) {
    std::string label(RowKindName(difference.row));
    if (difference.row != RowKind::Start) // the one row of start values has no number
        label += ' ' + std::to_string(difference.index);
    if (!difference.name.empty())
        label += " (" + difference.name + ')';
    return label;
}

} // namespace rk7
