#include "widgets/form_dialog.h"

#include "painter/cell_text.h"
#include "widgets/accessible_text.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <QtMath>

namespace rk7 {

namespace {

// Lets through only text that Windows-1252 can hold.
class CodePageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsCodePage(input) ? Acceptable : Invalid;
    }
};

constexpr QRgb LightGray = 0xffc0c0c0;

// The clipboard's text as lines, without the line break that ends the last one: a column
// copied from a spreadsheet, or one line.
QStringList ClipboardLines() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = QGuiApplication::clipboard()->text().split(lineBreak);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// What typing line would put in an edit: what no key types (line breaks, tabs, other control
// characters) and what Windows-1252 lacks are left out; the edit's length limit does the rest.
// Of a line of several spreadsheet cells only the first is taken.
QString Typeable(const QString& line) {
    QString typed;
    for (QChar c : line.left(line.indexOf(QLatin1Char('\t')))) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || !FitsCodePage(QString(c)))
            continue;
        typed += c;
    }
    return typed;
}

// An edit that shows the start of its text whenever it is not being typed in: Qt scrolls a
// field to its end when Tab selects its text, and leaves it scrolled when the focus moves on,
// which hides the start of a long name. Several lines pasted into it go down its column, when
// the form gives it one.
class CellEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    void setColumnPaste(std::function<void(const QStringList&)> paste) {
        m_columnPaste = std::move(paste);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
            pasteLines();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu* menu = createStandardContextMenu();
        if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, this, &CellEdit::pasteLines);
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        const int length = static_cast<int>(text().size());
        if (length > 0 && selectedText().size() == length)
            setSelection(length, -length); // all selected, the cursor at the start
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // A pop-up (a menu, a completer) takes the focus only for a moment.
        if (event->reason() != Qt::PopupFocusReason)
            setCursorPosition(0);
    }

private:
    void pasteLines() {
        const QStringList lines = ClipboardLines();
        if (lines.size() > 1 && m_columnPaste)
            m_columnPaste(lines);
        else if (lines.size() == 1 && lines[0].size() < QGuiApplication::clipboard()->text().size())
            insert(lines[0]); // one spreadsheet cell: its text without the line break after it
        else
            paste();
    }

    std::function<void(const QStringList&)> m_columnPaste;
};

} // namespace

FormDialog::FormDialog(QWidget* parent, const QString& caption, QSize sizeInUnits, qreal fontScale)
    : QDialog(parent) {
    setWindowTitle(caption);
    if (fontScale != 1.0) {
        QFont larger = font();
        if (larger.pointSizeF() > 0)
            larger.setPointSizeF(larger.pointSizeF() * fontScale);
        else
            larger.setPixelSize(qRound(larger.pixelSize() * fontScale));
        setFont(larger);
    }
    setModal(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(LightGray));
    grey.setColor(QPalette::WindowText, Qt::black);
    grey.setColor(QPalette::Button, QColor(LightGray));
    grey.setColor(QPalette::ButtonText, Qt::black);
    setPalette(grey);
    setAutoFillBackground(true);

    // Dialog base units as Windows measures them: the mean width of the 52 letters, the height.
    const QFontMetricsF metrics(font());
    const qreal letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_unit = QSize(std::max(qRound(letters / 52), 5), std::max(qCeil(metrics.height()), 13));
    setFixedSize(units(0, 0, sizeInUnits.width(), sizeInUnits.height()).size());
}

QFont FormDialog::textFont() const {
    // The forms were laid out for a narrower face than ours: labels a size smaller fit their
    // places without clipping.
    QFont smaller = font();
    smaller.setPointSizeF(font().pointSizeF() * 0.85);
    return smaller;
}

QRect FormDialog::units(int x, int y, int w, int h) const {
    auto px = [&](int u) {
        return (u * m_unit.width() + 2) / 4;
    };
    auto py = [&](int u) {
        return (u * m_unit.height() + 4) / 8;
    };
    return QRect(px(x), py(y), px(x + w) - px(x), py(y + h) - py(y));
}

QString FormDialog::fieldObjectName(Field field, int row) {
    QString name = QString::fromLatin1(SchemaOf(field).name);
    name[0] = name[0].toLower();
    if (name.back().isDigit())
        name += QLatin1Char('_');
    return name + QString::number(row);
}

QLineEdit* FormDialog::addEdit(const QString& name, QRect area, std::size_t cellWidth) {
    auto* edit = new CellEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(area);
    edit->setMaxLength(static_cast<int>(cellWidth) - 1);
    edit->setValidator(new CodePageValidator(edit));
    edit->setTextMargins(0, 0, 0, 0);
    edit->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px 1px; }"));
    return edit;
}

QLineEdit* FormDialog::addFieldEdit(QRect area, Field field, int row) {
    QLineEdit* edit = addEdit(fieldObjectName(field, row), area, SchemaOf(field).width);
    static_cast<CellEdit*>(edit)->setColumnPaste(
        [this, field, row](const QStringList& lines) { pasteColumn(field, row, lines); });
    std::vector<QLineEdit*>& edits = m_fieldEdits[static_cast<int>(field)];
    if (static_cast<int>(edits.size()) <= row)
        edits.resize(row + 1, nullptr);
    edits[row] = edit;
    return edit;
}

QLineEdit* FormDialog::addColumnEdit(const FormColumn& column, int row, int dx, int y) {
    return addFieldEdit(units(column.x + dx, y, column.w, 11), column.field, row);
}

QLineEdit* FormDialog::fieldEdit(Field field, int row) const {
    const std::vector<QLineEdit*>& edits = m_fieldEdits[static_cast<int>(field)];
    return row >= 0 && row < static_cast<int>(edits.size()) ? edits[row] : nullptr;
}

void FormDialog::pasteColumn(Field field, int row, const QStringList& lines) {
    for (const QString& line : lines) {
        QLineEdit* edit = fieldEdit(field, row++);
        if (!edit)
            break; // the column ends here; the rest of the lines have nowhere to go
        if (!edit->isEnabled() || edit->isReadOnly())
            continue;
        // Inserted over the whole text, so that the limit and the validator judge it as they
        // judge typing, the edit can undo it, and Auto Edit Mode hears of it.
        edit->selectAll();
        edit->insert(Typeable(line));
        if (!edit->hasFocus())
            edit->setCursorPosition(0); // the start of a long text, as in every field left
    }
}

bool FormDialog::focusField(Field field, int row) {
    const auto takes = [](const QWidget* w) {
        return w && w->isEnabled();
    };
    QWidget* target = fieldWidget(field, row);
    if (!takes(target)) {
        target = nullptr;
        for (const FieldSchema& other : Fields())
            if (RowKindOf(other.field) == RowKindOf(field) &&
                takes(fieldWidget(other.field, row))) {
                target = fieldWidget(other.field, row);
                break;
            }
    }
    if (!target)
        return false;
    target->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    return true;
}

void FormDialog::showCells(const Roster& roster) {
    for (const FieldSchema& field : Fields()) {
        const std::vector<QLineEdit*>& edits = m_fieldEdits[static_cast<int>(field.field)];
        for (int row = 0; row < static_cast<int>(edits.size()); ++row)
            if (edits[row]) {
                setCellText(edits[row], field.At(roster, row).Text());
                // Named for a screen reader by whose cell it is, as the form opened.
                edits[row]->setAccessibleName(FieldAccessibleName(roster, field.field, row));
            }
    }
}

void FormDialog::storeCells(Roster& roster) const {
    for (const FieldSchema& field : Fields()) {
        const std::vector<QLineEdit*>& edits = m_fieldEdits[static_cast<int>(field.field)];
        for (int row = 0; row < static_cast<int>(edits.size()); ++row)
            if (edits[row])
                store(field.At(roster, row), edits[row]);
    }
}

QLabel* FormDialog::addLabel(const QString& text, QRect area, Qt::Alignment align) {
    auto* label = new QLabel(text, this);
    label->setFont(textFont());
    label->setGeometry(area);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

QLabel* FormDialog::addLabelFor(const QLineEdit* edit, const QString& text, QRect area) {
    // Centring both in the same height puts the label's smaller text higher than the edit's:
    // place the label by the edit's baseline instead, found as QLineEdit finds it.
    const_cast<QLineEdit*>(edit)->ensurePolished();
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.rect = edit->rect();
    frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit);
    const QFontMetrics editMetrics(edit->font());
    const int baseline = edit->y() + contents.y() +
                         (contents.height() - editMetrics.height() + 1) / 2 + editMetrics.ascent();
    QLabel* label = addLabel(text, area, Qt::AlignLeft);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics labelMetrics(label->font());
    label->setGeometry(area.x(), baseline - labelMetrics.ascent(), area.width(),
                       labelMetrics.height());
    return label;
}

QLabel* FormDialog::addPanelLabel(const QString& text, int x, int y) {
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(units(x - 2, y - 1, 36, 11));
    auto* label = addLabel(text, units(x, y, 32, 9));
    label->raise();
    return label;
}

QPushButton* FormDialog::addButton(const QString& name, const QString& text, QRect area) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setGeometry(area);
    // Return on a focused button presses that button; in a field it still means OK.
    button->setAutoDefault(true);
    return button;
}

QRadioButton* FormDialog::addRadio(const QString& name, const QString& text, QRect area) {
    auto* button = new QRadioButton(text, this);
    button->setObjectName(name);
    button->setFont(textFont());
    area.setWidth(std::max(area.width(), button->sizeHint().width()));
    button->setGeometry(area);
    button->setAutoExclusive(false);
    return button;
}

void FormDialog::addFrame(const QString& name, QRect area) {
    auto* frame = new QFrame(this);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched
    frame->setGeometry(area);
    frame->lower();
}

void FormDialog::addOkCancel(int y) {
    QPushButton* ok = addButton(QStringLiteral("ok"), tr("OK"), units(5, y, 40, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = addButton(QStringLiteral("cancel"), tr("Cancel"), units(45, y, 40, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FormDialog::setCellText(QLineEdit* edit, std::string_view text) {
    QString shown = CellToQString(text);
    // An edit that already shows this text, at its start, with nothing to select, undo or redo,
    // is left as it is: setting it would leave the same state but repaint it. The passes of Auto
    // Edit Mode set every row's fields at each keystroke, and most of them do not change.
    if (edit->text() == shown && edit->cursorPosition() == 0 && !edit->hasSelectedText() &&
        !edit->isModified() && !edit->isUndoAvailable() && !edit->isRedoAvailable())
        return;
    edit->setText(shown);
    edit->setCursorPosition(0); // show the start of a long text
}

std::string FormDialog::cellText(const QLineEdit* edit) {
    return QStringToCell(edit->text());
}

void FormDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A form opens with the keyboard in its first field, its text selected, unless it chose
    // another: typing goes into the form rather than nowhere.
    if (!focusWidget())
        for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
            if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isEnabled()) {
                edit->setFocus();
                edit->selectAll();
                break;
            }
    // Centred on the screen, keeping the size.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->geometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
}

void FormDialog::accept() {
    if (m_acceptCheck && !m_acceptCheck())
        return;
    QDialog::accept();
}

} // namespace rk7
