#include "frame/forms/Accessible.h"

#include "frame/forms/DropDownList.h"
#include "frame/forms/OptionButton.h"
#include "frame/forms/ParmDialog.h"
#include "frame/forms/Swatch.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>

namespace ZarvLinesParm::frame {
namespace {

class SwatchAccessible : public QAccessibleWidget {
public:
    explicit SwatchAccessible(Swatch* swatch) : QAccessibleWidget(swatch, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return swatch()->colourName();
        return QAccessibleWidget::text(t); // the name: the label that names it
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        // Queued, as a button's press is: the chooser runs a modal loop of its own, which must
        // not run inside the request that asked for the press.
        Swatch* s = swatch();
        QMetaObject::invokeMethod(
            s, [s] { s->click(); }, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList();
    }

private:
    Swatch* swatch() const { return static_cast<Swatch*>(widget()); }
};

class OptionAccessible : public QAccessibleWidget {
public:
    explicit OptionAccessible(OptionButton* option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            s = option()->text();
        return s;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = option()->isChecked();
        return s;
    }

    QStringList actionNames() const override { return QStringList{toggleAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        // Selects, as a click does: an option is never cleared by its own action.
        if (action == toggleAction() || action == pressAction())
            option()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    OptionButton* option() const { return static_cast<OptionButton*>(widget()); }
};

// Its children are the list and the text field, as for Qt's own drop-down lists.
class DropDownAccessible : public QAccessibleWidget {
public:
    explicit DropDownAccessible(DropDownList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.editable = true;
        return s;
    }

    int childCount() const override { return 2; }

    QAccessibleInterface* child(int index) const override
    {
        switch (index) {
        case 0: return QAccessible::queryAccessibleInterface(list()->view());
        case 1: return QAccessible::queryAccessibleInterface(list()->lineEdit());
        default: return nullptr;
        }
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == list()->view())
            return 0;
        return child->object() == list()->lineEdit() ? 1 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    DropDownList* list() const { return static_cast<DropDownList*>(widget()); }
};

// Asked for every object an assistive technology looks at. Our controls have meta-objects of their
// own, so they are told apart by type, whatever class name Qt asks about.
QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* swatch = qobject_cast<Swatch*>(object))
        return new SwatchAccessible(swatch);
    if (auto* option = qobject_cast<OptionButton*>(object))
        return new OptionAccessible(option);
    if (auto* list = qobject_cast<DropDownList*>(object))
        return new DropDownAccessible(list);
    return nullptr;
}

// Names the controls of the dialogs already open when an assistive technology starts to listen.
class NameGiver : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<ParmDialog*>(window))
                dialog->giveNames();
    }
};

} // namespace

void installAccessibleInterfaces()
{
    // Removed again when the library is unloaded, so that Qt never calls into unloaded code.
    static struct Installed {
        NameGiver nameGiver;
        Installed()
        {
            QAccessible::installFactory(&accessibleFor);
            QAccessible::installActivationObserver(&nameGiver);
        }
        ~Installed()
        {
            QAccessible::removeActivationObserver(&nameGiver);
            QAccessible::removeFactory(&accessibleFor);
        }
    } installed;
}

} // namespace ZarvLinesParm::frame
