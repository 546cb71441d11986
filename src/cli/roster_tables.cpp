#include "cli/roster_tables.h"

#include "model/roster_schema.h"
#include "model/text_encoding.h"

#include <algorithm>
#include <cstddef>
#include <nlohmann/json.hpp>

namespace rk7 {

namespace {

// Characters, not bytes, so that converted text lines up.
std::size_t DisplayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void AppendTextRow(std::string& out, const std::vector<const ViewColumn*>& columns,
                   const std::vector<std::size_t>& widths,
                   const std::vector<std::string_view>& cells) {
    std::string line;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            line += "  ";
        const std::string padding(widths[c] - DisplayWidth(cells[c]), ' ');
        const bool right = columns[c]->Alignment() == Align::Right;
        if (right)
            line += padding;
        line += cells[c];
        if (!right)
            line += padding;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line;
    out += '\n';
}

std::vector<std::string_view> Captions(const RosterTable& table) {
    std::vector<std::string_view> captions;
    for (const ViewColumn* column : table.columns)
        captions.push_back(column->Caption());
    return captions;
}

std::vector<std::string_view> Cells(const std::vector<std::string>& row) {
    return {row.begin(), row.end()};
}

std::string Utf8(ConstCellRef cell) {
    return Windows1252ToUtf8(cell.Text());
}

using Json = nlohmann::ordered_json;

// The fields of a kind of row, in the order of Field; a driver's record opens with the car
// number, as the driver views do.
std::vector<const FieldSchema*> FieldsOf(RowKind kind) {
    std::vector<const FieldSchema*> fields;
    for (const FieldSchema& field : Fields())
        if (RowKindOf(field.field) == kind)
            fields.push_back(&field);
    std::stable_partition(fields.begin(), fields.end(),
                          [](const FieldSchema* f) { return f->field == Field::CarNumber; });
    return fields;
}

// One object for each row: a team, a driver or a spare driver.
Json Records(const Roster& roster, RowKind kind) {
    const std::vector<const FieldSchema*> fields = FieldsOf(kind);
    Json records = Json::array();
    for (int row = 0; row < fields.front()->rows; ++row) {
        Json record = Json::object();
        for (const FieldSchema* field : fields)
            record[std::string(field->key)] = Utf8(field->At(roster, row));
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace

std::string TableAsText(const RosterTable& table) {
    std::vector<std::size_t> widths;
    for (const ViewColumn* column : table.columns)
        widths.push_back(DisplayWidth(column->Caption()));
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    std::string out;
    AppendTextRow(out, table.columns, widths, Captions(table));
    for (const auto& row : table.rows)
        AppendTextRow(out, table.columns, widths, Cells(row));
    return out;
}

std::string RosterAsJson(const Roster& roster) {
    Json json = {
        {"teams", Records(roster, RowKind::Team)},
        {"drivers", Records(roster, RowKind::Driver)},
        {"spares", Records(roster, RowKind::Spare)},
    };
    // Each position table is an array of its own, position 1 first.
    for (const FieldSchema* field : FieldsOf(RowKind::Position)) {
        Json cells = Json::array();
        for (int row = 0; row < field->rows; ++row)
            cells.push_back(Utf8(field->At(roster, row)));
        json[std::string(field->key)] = std::move(cells);
    }
    Json start = Json::object();
    for (const FieldSchema* field : FieldsOf(RowKind::Start))
        start[std::string(field->key)] = Utf8(field->At(roster, 0));
    json["start"] = std::move(start);
    return json.dump(2) + "\n";
}

} // namespace rk7
