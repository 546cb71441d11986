#include "widgets/accessible_text.h"

#include "painter/cell_text.h"

#include <QCoreApplication>

namespace rk7 {

QString WithoutMnemonic(const QString& text) {
    QString heard;
    heard.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i; // "&&" stands for one ampersand, "&x" for x
        heard += text[i];
    }
    return heard;
}

QString FieldDescription(Field field) {
    // The schema's labels are marked for translation in this context where they are written.
    return QCoreApplication::translate("rk7::FieldSchema", SchemaOf(field).label.data());
}

namespace {

QString NameIn(const Roster& roster, Field nameField, int row) {
    return CellToQString(SchemaOf(nameField).At(roster, row).Text()).trimmed();
}

} // namespace

QString FieldAccessibleName(const Roster& roster, Field field, int row) {
    const QString what = FieldDescription(field);
    const QString number = QString::number(row + 1);
    QString name;
    switch (RowKindOf(field)) {
    case RowKind::Team:
        name = NameIn(roster, Field::TeamName, row);
        return name.isEmpty()
                   ? QCoreApplication::translate("rk7::FormDialog", "Team %1: %2").arg(number, what)
                   : QCoreApplication::translate("rk7::FormDialog", "Team %1, %2: %3")
                         .arg(number, name, what);
    case RowKind::Driver:
        name = NameIn(roster, Field::DriverName, row);
        return name.isEmpty() ? QCoreApplication::translate("rk7::FormDialog", "Driver %1: %2")
                                    .arg(number, what)
                              : QCoreApplication::translate("rk7::FormDialog", "Driver %1, %2: %3")
                                    .arg(number, name, what);
    case RowKind::Spare:
        name = NameIn(roster, Field::SpareName, row);
        return name.isEmpty()
                   ? QCoreApplication::translate("rk7::FormDialog", "Spare driver %1: %2")
                         .arg(number, what)
                   : QCoreApplication::translate("rk7::FormDialog", "Spare driver %1, %2: %3")
                         .arg(number, name, what);
    case RowKind::Position:
        return QCoreApplication::translate("rk7::FormDialog", "Position %1: %2").arg(number, what);
    case RowKind::Start:
        break;
    }
    return what;
}

} // namespace rk7
