#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace rk7 {

// Some cells of the roster, each named by its field and its row (as SchemaOf(field).At takes
// it): the cells an edit changed, for the views to mark. One bit per cell, so that a painter can
// ask about every cell it paints without slowing down.
class CellSet {
public:
    void Add(Field field, int row) { m_rows[Index(field)] |= Bit(row); }
    bool Contains(Field field, int row) const { return (m_rows[Index(field)] & Bit(row)) != 0; }
    // Whether any row of the field is in the set.
    bool ContainsAny(Field field) const { return m_rows[Index(field)] != 0; }
    bool Empty() const {
        return std::all_of(m_rows.begin(), m_rows.end(), [](Rows r) { return r == 0; });
    }
    int Size() const {
        int n = 0;
        for (Rows r : m_rows)
            n += std::popcount(r);
        return n;
    }
    void Clear() { m_rows.fill(0); }

    friend bool operator==(const CellSet&, const CellSet&) = default;

private:
    using Rows = std::uint32_t;
    static_assert(TeamCount <= 32 && 2 * TeamCount <= 32 && DriverCount <= 32 && SpareCount <= 32 &&
                      PositionCount <= 32,
                  "every field's rows fit in the bits of Rows");

    static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }
    // No bit for a row no field has, so that such a row is never in the set.
    static Rows Bit(int row) { return static_cast<unsigned>(row) < 32 ? Rows{1} << row : 0; }

    std::array<Rows, FieldCount> m_rows{};
};

} // namespace rk7
