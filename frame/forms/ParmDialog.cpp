#include "frame/forms/ParmDialog.h"

#include "frame/forms/Accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace ZarvLinesParm::frame {
namespace {

QPushButton* commandButton(QWidget* parent, const char* objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Neither default nor auto-default: Enter must press nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// What a cell of the grid holds, for the keyboard and for naming: a control a user can act on
// (value boxes, check boxes, option buttons, drop-down lists, swatches; the command buttons come
// last in their own order), a caption label, or neither.
enum class Kind { Other, Control, Caption };

Kind kindOf(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (qobject_cast<const Swatch*>(w))
            return Kind::Control;
        return label->text().isEmpty() ? Kind::Other : Kind::Caption;
    }
    if (qobject_cast<const QPushButton*>(w))
        return Kind::Other;
    const bool control = qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QLineEdit*>(w);
    return control ? Kind::Control : Kind::Other;
}

// Where a control stands in the dialog's grid. Every control of a tool stands in the grid, so
// reading order and the label beside a control come from the cells, before any geometry exists.
struct Cell {
    QWidget* widget = nullptr;
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    int lastColumn() const { return column + columnSpan - 1; }
};

// Whether a control still needs a name from the label beside it: the tool has given it none, and
// it shows no caption of its own.
bool needsName(const QWidget* control)
{
    if (!control->accessibleName().isEmpty())
        return false;
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    const auto* box = dynamic_cast<const CheckBox*>(control); // no meta-object of its own: see CheckBox
    return !button || button->text().isEmpty() || (box && box->showsBoxOnly());
}

enum class Side { Left, Right, Above };

// Whether `label` fills the cell right beside `cell` on that side.
bool standsBeside(const Cell& label, const Cell& cell, Side side)
{
    const bool sameRow = label.row <= cell.row && cell.row < label.row + label.rowSpan;
    switch (side) {
    case Side::Left: return sameRow && label.lastColumn() + 1 == cell.column;
    case Side::Right: return sameRow && label.column == cell.lastColumn() + 1;
    case Side::Above:
        return label.row + label.rowSpan == cell.row && label.column <= cell.lastColumn()
            && label.lastColumn() >= cell.column;
    }
    return false;
}

// The label that names the control in `cell`: a caption label in the cell right beside it in its
// row, on its left first (most dialogs put the label before the control; some put it after);
// failing that, one in the row right above it, over its columns (a heading over its box). Only
// a neighbouring cell counts: a label further off names a control of its own, and a table's
// cell, whose row and column labels both stand apart from it, is named by its tool.
QLabel* labelOf(const Cell& cell, const std::vector<Cell>& captions)
{
    for (const Side side : {Side::Left, Side::Right, Side::Above})
        for (const Cell& c : captions)
            if (standsBeside(c, cell, side))
                return static_cast<QLabel*>(c.widget);
    return nullptr;
}

// The ring round a focused control: two pixels wide, one pixel clear of the control, drawn on the
// dialog in the theme's text colour, which stands out against the dialog's background in light
// and dark themes alike (a swatch adds a ring of its own against its fill). The style's own
// indicator is no help here: some styles show it only once Tab has been pressed, and in the
// highlight colour, which can barely differ from the background.
constexpr int ringGap = 1;
constexpr int ringWidth = 2;

QRect ringAround(const QWidget& control)
{
    const int out = ringGap + ringWidth;
    return control.geometry().adjusted(-out, -out, out, out);
}

// Repaints the ring of every dialog that gains or loses the focus: one connection for the
// library's lifetime, not one per dialog.
void followFocus()
{
    static struct Following {
        QPointer<QCoreApplication> application;
        QMetaObject::Connection connection;
        ~Following() { QObject::disconnect(connection); }
    } following;
    if (following.application == QCoreApplication::instance())
        return;
    following.application = QCoreApplication::instance();
    following.connection = QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) {
        for (QWidget* w : {old, now})
            if (auto* dialog = w ? qobject_cast<ParmDialog*>(w->window()) : nullptr)
                dialog->update();
    });
}

} // namespace

ParmDialog::ParmDialog(const QString& objectName, const QString& designTitle) : QDialog(nullptr)
{
    installAccessibleInterfaces();
    followFocus();
    setObjectName(objectName);
    setWindowTitle(designTitle);
    setSizeGripEnabled(false);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    grid_ = new QGridLayout;
    outer->addLayout(grid_);

    ok_ = commandButton(this, "Command1", QStringLiteral("OK"));
    cancel_ = commandButton(this, "Command2", QStringLiteral("Cancel"));
    saveAsDefault_ = commandButton(this, "Command3", QStringLiteral("Save as Default"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(saveAsDefault_);
    outer->addLayout(buttons);

    // Nothing may throw out of a Qt handler; the buttons only read controls and copy records.
    connect(ok_, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(saveAsDefault_, &QPushButton::clicked, this, [this] { saveAsDefault(); });
}

ParmDialog::~ParmDialog() = default;

void ParmDialog::prepareForUser()
{
    // One pass over the grid: its visible controls and caption labels (all the dialog's own
    // children, so hidden is not visible to the dialog).
    std::vector<Cell> controls, captions;
    controls.reserve(grid_->count());
    for (int i = 0; i < grid_->count(); ++i) {
        QWidget* w = grid_->itemAt(i)->widget();
        const Kind kind = w && !w->isHidden() ? kindOf(w) : Kind::Other;
        if (kind == Kind::Other)
            continue;
        Cell c{w};
        grid_->getItemPosition(i, &c.row, &c.column, &c.rowSpan, &c.columnSpan);
        (kind == Kind::Control ? controls : captions).push_back(c);
    }
    // Reading order: rows top to bottom, left to right within a row; then the buttons.
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.column < b.column; });
    QWidget* previous = nullptr;
    QWidget* firstValueBox = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (const Cell& c : controls) {
        chain(c.widget);
        if (!firstValueBox && qobject_cast<QLineEdit*>(c.widget))
            firstValueBox = c.widget;
        if (needsName(c.widget) && !named(c.widget))
            if (QLabel* label = labelOf(c, captions))
                nameAfter(c.widget, label);
    }
    QWidget* firstButton = nullptr;
    for (QPushButton* button : {ok_, cancel_, saveAsDefault_})
        if (!button->isHidden()) {
            chain(button);
            firstButton = firstButton ? firstButton : button;
        }

    if (QWidget* first = firstValueBox ? firstValueBox : !controls.empty() ? controls.front().widget : firstButton)
        first->setFocus(Qt::OtherFocusReason);
    if (QAccessible::isActive())
        giveNames();
}

std::array<TextBox*, 6> ParmDialog::numberedValueBoxes(int firstRow, const QString& heading)
{
    static const char* const labelNames[6] = {"Label2", "Label7", "Label6", "Label5", "Label4", "Label3"};
    std::array<TextBox*, 6> boxes{};
    for (int k = 0; k < 6; ++k) {
        const int row = firstRow + k % 3;
        const int column = k < 3 ? 0 : 2;
        QLabel* number = label(QString::fromLatin1(labelNames[k]), QString::number(k + 1));
        // Against its box in either column, however wide the column is made by the rows above.
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->addWidget(number, row, column);
        boxes[k] = textBox(QStringLiteral("V(%1)").arg(k));
        grid_->addWidget(boxes[k], row, column + 1);
        nameAfter(boxes[k], number, heading); // "1" alone says too little
    }
    return boxes;
}

void ParmDialog::nameAfter(QWidget* control, QLabel* label, const QString& heading, bool buddy)
{
    namings_.push_back({control, label, heading, buddy});
    if (namesGiven_)
        give(namings_.back());
}

bool ParmDialog::named(const QWidget* control) const
{
    return std::any_of(namings_.begin(), namings_.end(), [control](const Naming& n) { return n.control == control; });
}

void ParmDialog::giveNames()
{
    if (namesGiven_)
        return;
    namesGiven_ = true;
    for (const Naming& n : namings_)
        give(n);
}

void ParmDialog::give(const Naming& naming)
{
    const QString text = naming.label->text();
    const QString name = naming.heading.isEmpty() ? text : naming.heading + QLatin1Char(' ') + text;
    naming.control->setAccessibleName(name);
    // An editable list hands the focus to its text field, which is what a screen reader then
    // announces: it carries the list's name.
    if (auto* list = qobject_cast<QComboBox*>(naming.control); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(name);
    if (naming.buddy)
        naming.label->setBuddy(naming.control);
}

QWidget* ParmDialog::focusedControl() const
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->parentWidget() == this)
            return w;
    return nullptr;
}

void ParmDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const QWidget* control = focusedControl();
    if (!control)
        return;
    const QRect outer = ringAround(*control);
    QPainter painter(this);
    painter.setClipRegion(QRegion(outer).subtracted(outer.adjusted(ringWidth, ringWidth, -ringWidth, -ringWidth)));
    painter.fillRect(outer, palette().color(QPalette::WindowText));
}

void ParmDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // QDialog would press the default button or reject; these dialogs do neither.
        event->accept();
        return;
    default: QDialog::keyPressEvent(event);
    }
}

} // namespace ZarvLinesParm::frame
