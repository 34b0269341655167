#include "frame/forms/ParmDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
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

// A control a user can act on: value boxes (not the text field inside a drop-down list, which
// takes the focus as part of its list), check boxes, option buttons, drop-down lists, swatches.
bool isActionable(const QWidget* w)
{
    if (qobject_cast<const QPushButton*>(w))
        return false; // the buttons come last, in their own order
    if (qobject_cast<const QLineEdit*>(w))
        return !qobject_cast<const QComboBox*>(w->parentWidget());
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           dynamic_cast<const Swatch*>(w);
}

// Reading order: rows top to bottom, then left to right within a row. Controls of one grid row
// differ in height, so a row is every control whose middle lies within the first one's height.
void sortInReadingOrder(std::vector<QWidget*>& controls, const QWidget* dialog)
{
    auto rectOf = [dialog](const QWidget* w) { return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size()); };
    std::stable_sort(controls.begin(), controls.end(), [&](const QWidget* a, const QWidget* b) {
        return rectOf(a).center().y() < rectOf(b).center().y();
    });
    auto rowStart = controls.begin();
    while (rowStart != controls.end()) {
        const QRect first = rectOf(*rowStart);
        auto rowEnd = std::find_if(rowStart, controls.end(), [&](const QWidget* w) {
            return rectOf(w).center().y() > first.bottom();
        });
        std::stable_sort(rowStart, rowEnd, [&](const QWidget* a, const QWidget* b) {
            return rectOf(a).left() < rectOf(b).left();
        });
        rowStart = rowEnd;
    }
}

// The label that names `control`: the nearest caption label in its row, the one on its left
// first (most dialogs put the label before the control; some put it after); failing that, the
// nearest label right above it (a heading over its box).
QLabel* labelOf(const QWidget* control, const QWidget* dialog)
{
    const QRect c(control->mapTo(dialog, QPoint(0, 0)), control->size());
    QLabel* best = nullptr;
    int bestDistance = 0;
    auto consider = [&](QLabel* label, int distance) {
        if (!best || distance < bestDistance) {
            best = label;
            bestDistance = distance;
        }
    };
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (dynamic_cast<Swatch*>(label) || label->isHidden() || label->text().isEmpty())
            continue;
        const QRect l(label->mapTo(dialog, QPoint(0, 0)), label->size());
        if (l.center().y() < c.top() || l.center().y() > c.bottom())
            continue;
        // Left of the control counts as nearer than the same distance on its right.
        if (l.right() < c.left())
            consider(label, c.left() - l.right());
        else if (l.left() > c.right())
            consider(label, 2 * (l.left() - c.right()) + 1);
    }
    if (best)
        return best;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (dynamic_cast<Swatch*>(label) || label->isHidden() || label->text().isEmpty())
            continue;
        const QRect l(label->mapTo(dialog, QPoint(0, 0)), label->size());
        const bool over = l.bottom() < c.top() && l.left() < c.right() && l.right() > c.left();
        if (over && c.top() - l.bottom() <= c.height())
            consider(label, c.top() - l.bottom());
    }
    return best;
}

} // namespace

ParmDialog::ParmDialog(const QString& objectName, const QString& designTitle)
    : QDialog(nullptr)
{
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

QList<QWidget*> ParmDialog::tabOrder() const
{
    std::vector<QWidget*> controls;
    for (QWidget* w : findChildren<QWidget*>())
        if (isActionable(w) && w->isVisibleTo(this))
            controls.push_back(w);
    sortInReadingOrder(controls, this);
    QList<QWidget*> order(controls.begin(), controls.end());
    for (QPushButton* button : {ok_, cancel_, saveAsDefault_})
        if (button->isVisibleTo(this))
            order.append(button);
    return order;
}

void ParmDialog::prepareForUser()
{
    // Geometry first: the order is read off the laid-out dialog.
    if (layout())
        layout()->activate();
    const QList<QWidget*> order = tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QWidget* control : order) {
        if (!control->accessibleName().isEmpty() || qobject_cast<QPushButton*>(control))
            continue;
        // A check box or option button is named by its own caption, where it shows one.
        auto* button = qobject_cast<QAbstractButton*>(control);
        auto* box = dynamic_cast<CheckBox*>(control);
        if (button && !button->text().isEmpty() && !(box && box->showsBoxOnly()))
            continue;
        if (QLabel* label = labelOf(control, this))
            nameAfter(control, label);
    }

    const auto firstValueBox = std::find_if(order.begin(), order.end(), [](QWidget* w) {
        return qobject_cast<QLineEdit*>(w) != nullptr;
    });
    if (firstValueBox != order.end())
        (*firstValueBox)->setFocus(Qt::OtherFocusReason);
    else if (!order.isEmpty())
        order.front()->setFocus(Qt::OtherFocusReason);
}

void ParmDialog::nameAfter(QWidget* control, QLabel* label, const QString& heading)
{
    const QString text = label->text();
    control->setAccessibleName(heading.isEmpty() ? text : heading + QLatin1Char(' ') + text);
    label->setBuddy(control);
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
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace ZarvLinesParm::frame
