#include "editors/set_drivers_dialog.h"

#include "editors/spare_dialog.h"
#include "model/roster_parts.h"
#include "widgets/accessible_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>

namespace rk7 {

namespace {

// The columns' x are those of the left block; the right block stands 223 units further.
constexpr int RightBlock = 223;
constexpr int RowsPerBlock = 14;

// The car numbers are chosen in boxes, not typed.
constexpr FormColumn CarColumn = {Field::CarNumber,
                                  QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "Car#"), 5, 20};
constexpr FormColumn Columns[SetDriversDialog::ColumnCount] = {
    {Field::DriverName, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "Driver Names"), 28, 75},
    {Field::DriverQualPos, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "QPos"), 106, 14},
    {Field::DriverRacePos, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "RPos"), 123, 14},
    {Field::DriverRacePower, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "RPower"), 140, 26},
    {Field::DriverQualPower, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "QPower"), 169, 26},
    {Field::DriverRange, QT_TRANSLATE_NOOP("rk7::SetDriversDialog", "Range"), 198, 26},
};

// The car boxes are only 20 units wide: a narrow arrow leaves "40" room beside it. The style
// draws the arrow itself, at the size it is given.
class CarNumberStyle : public QProxyStyle {
public:
    static constexpr int ArrowWidth = 11;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control == CC_ComboBox && (sub == SC_ComboBoxArrow || sub == SC_ComboBoxEditField)) {
            const QRect r = option->rect.adjusted(2, 2, -2, -2);
            if (sub == SC_ComboBoxArrow)
                return QRect(r.right() - ArrowWidth + 1, r.top(), ArrowWidth, r.height());
            return QRect(r.left(), r.top(), r.width() - ArrowWidth, r.height());
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
};

} // namespace

SetDriversDialog::SetDriversDialog(const EditorContext& context, QWidget* parent)
    : CalcFormDialog(parent, tr("Drivers"), QSize(453, 237)), m_context(context) {
    setObjectName(QStringLiteral("setDriversDialog"));
    addFrame(QStringLiteral("fieldsFrame"), units(0, 0, 453, 212));
    addFrame(QStringLiteral("buttonFrame"), units(0, 212, 452, 25));
    addOkCancel();

    QPushButton* spares = addButton(QStringLiteral("spareDrivers"), tr("Enter Spare Drivers"),
                                    units(240, 215, 80, 14));
    connect(spares, &QPushButton::clicked, this, &SetDriversDialog::enterSpareDrivers);

    for (int block = 0; block < 2; ++block) {
        const int dx = block * RightBlock;
        addLabel(tr(CarColumn.text), units(CarColumn.x + dx, 3, 22, 10));
        for (const FormColumn& column : Columns)
            addLabel(tr(column.text), units(column.x + dx, 3, column.w + 2, 10));
    }
    QStringList carNumbers;
    for (int n = 1; n <= 40; ++n)
        carNumbers << QString::number(n);
    auto* carStyle = new CarNumberStyle;
    carStyle->setParent(this);
    for (int d = 0; d < DriverCount; ++d) {
        const int dx = (d / RowsPerBlock) * RightBlock;
        const int y = 16 + 13 * (d % RowsPerBlock);
        auto* car = new QComboBox(this);
        car->setObjectName(fieldObjectName(Field::CarNumber, d));
        car->setGeometry(units(CarColumn.x + dx, y, CarColumn.w, 11));
        car->addItems(carNumbers);
        car->setMaxVisibleItems(12);
        car->setStyle(carStyle);
        // The list is wider than the box: every number shows whole beside the scroll bar.
        QAbstractItemView* list = car->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) +
                              list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * list->frameWidth() + 8);
        m_cars[d] = car;
        for (int c = 0; c < ColumnCount; ++c)
            m_edits[c][d] = addColumnEdit(Columns[c], d, dx, y);
    }

    // Only what the user does to a position starts a pass (textEdited, not textChanged): neither
    // the filling below nor the texts a pass writes start another one.
    const Roster& roster = m_context.roster;
    for (int d = 0; d < DriverCount; ++d) {
        connect(m_edits[QualPos][d], &QLineEdit::textEdited, this,
                [this, &roster] { DriverQualifyingPass(roster, m_context.mode.isAuto(), *this); });
        connect(m_edits[RacePos][d], &QLineEdit::textEdited, this,
                [this, &roster] { DriverRacePass(roster, m_context.mode.isAuto(), *this); });
    }

    showCells(m_context.roster);
    for (int d = 0; d < DriverCount; ++d) {
        // Car numbers 1 to 40 select their item; anything else selects none.
        const long n = ReadNumber(roster.CarNumber[d].Text());
        m_cars[d]->setCurrentIndex(n >= 1 && n <= 40 ? static_cast<int>(n - 1) : -1);
        m_cars[d]->setAccessibleName(FieldAccessibleName(roster, Field::CarNumber, d));
    }
    std::vector<QLineEdit*> computed;
    for (int c : {RacePower, QualPower, Range})
        computed.insert(computed.end(), m_edits[c].begin(), m_edits[c].end());
    addModeButtons(m_context.mode, {95, 218}, {165, 219}, std::move(computed));
    applyEditMode();
    DriverQualifyingPass(roster, m_context.mode.isAuto(), *this);
    DriverRacePass(roster, m_context.mode.isAuto(), *this);
}

QWidget* SetDriversDialog::fieldWidget(Field field, int row) const {
    if (field == Field::CarNumber)
        return row >= 0 && row < DriverCount ? m_cars[row] : nullptr;
    return CalcFormDialog::fieldWidget(field, row);
}

void SetDriversDialog::enterSpareDrivers() {
    // Spares accepted here stay accepted when this form is cancelled; they reach Drivers.rk with
    // its next save.
    const Roster base = m_context.roster;
    SpareDialog spares(m_context, this); // over this form, as the window system should show it
    spares.setAcceptCheck([&] { return m_context.commit(base, SparesPart, {}); });
    spares.exec();
}

void SetDriversDialog::accept() {
    storeCells(m_context.roster);
    for (int d = 0; d < DriverCount; ++d) {
        if (m_cars[d]->currentIndex() >= 0)
            m_context.roster.CarNumber[d].SetText(m_cars[d]->currentText().toStdString());
    }
    FormDialog::accept();
}

} // namespace rk7
