#pragma once

#include <QDialog>
#include <QString>

#include "frame/forms/CheckBox.h"
#include "frame/forms/DropDownList.h"
#include "frame/forms/OptionButton.h"
#include "frame/forms/Swatch.h"
#include "frame/forms/TextBox.h"

#include <QLabel>
#include <QList>

#include <array>
#include <vector>

#include <utility>

class QGridLayout;
class QPushButton;

namespace ZarvLinesParm::frame {

/// The window every parameter dialog is: top-level with no owner, its controls in a grid, and
/// the three command buttons `Command1` "OK", `Command2` "Cancel", `Command3` "Save as Default"
/// below them. The control with the keyboard focus is ringed in the theme's text colour.
///
/// No button is the default or the cancel button: Enter and Escape press nothing and close
/// nothing. A close from the title bar ends the modal display and runs neither "OK" nor
/// "Cancel". Hiding the dialog ends the modal display.
class ParmDialog : public QDialog {
    Q_OBJECT

public:
    ParmDialog(const QString& objectName, const QString& designTitle);
    ~ParmDialog() override;

    /// Readies the loaded dialog for keyboard and screen-reader users, once its controls show what
    /// they will show (after the load handler and the host's texts): Tab visits every visible
    /// control a user can act on in reading order, top to bottom and left to right as the grid
    /// lays them out, then the buttons; a control the tool has not named is named after the
    /// label in the cell right beside it (left, else right, else right above), which becomes its
    /// buddy; the first value box, or else the first control, takes the focus. Changes nothing a
    /// record or the protocol sees.
    ///
    /// The names are given while an assistive technology listens (`QAccessible::isActive()`):
    /// now, or the moment one starts to. Naming a widget makes Qt build its accessible
    /// interface, which nobody asks for otherwise and which would cost a Start more than the
    /// rest of this together.
    void prepareForUser();

    /// Gives every control its accessible name and every naming label its buddy; once.
    void giveNames();

    QPushButton& okButton() const { return *ok_; }
    QPushButton& cancelButton() const { return *cancel_; }
    QPushButton& saveAsDefaultButton() const { return *saveAsDefault_; }

protected:
    /// What the buttons do: the record dialog fills these in.
    virtual void ok() = 0;
    virtual void cancel() = 0;
    virtual void saveAsDefault() = 0;

    /// The grid the tool lays its controls out in, above the buttons.
    QGridLayout& grid() const { return *grid_; }

    /// A control made as a child of this dialog and named `objectName`, so that tests and
    /// accessibility tools find it by the name the tool documents (`Cor1(0)`, `Command1`).
    template <class Control, class... Args>
    Control* control(const QString& objectName, Args&&... args)
    {
        auto* made = new Control(std::forward<Args>(args)..., this);
        made->setObjectName(objectName);
        return made;
    }
    QLabel* label(const QString& objectName, const QString& caption) { return control<QLabel>(objectName, caption); }
    Swatch* swatch(const QString& objectName) { return control<Swatch>(objectName); }
    CheckBox* checkBox(const QString& objectName, const QString& caption)
    {
        return control<CheckBox>(objectName, caption);
    }
    TextBox* textBox(const QString& objectName) { return control<TextBox>(objectName); }
    OptionButton* optionButton(const QString& objectName, const QString& caption)
    {
        return control<OptionButton>(objectName, caption);
    }
    DropDownList* dropDownList(const QString& objectName) { return control<DropDownList>(objectName); }

    /// The six value boxes `V(0)` to `V(5)` that several tools show under a heading: boxes "1" to
    /// "3" down the left column from `firstRow`, "4" to "6" down the right, each after the label
    /// with its number (named Label2, Label7, Label6, Label5, Label4, Label3, as designed) and
    /// read aloud as "<heading> 1" and so on.
    std::array<TextBox*, 6> numberedValueBoxes(int firstRow, const QString& heading);

    /// Names `control` for assistive technology after `label`, qualified by a heading where the
    /// label alone says too little ("Retracement Values" + "1"), and makes it the label's buddy
    /// unless `buddy` is false (a label that names two controls is the buddy of one).
    void nameAfter(QWidget* control, QLabel* label, const QString& heading = {}, bool buddy = true);

    void keyPressEvent(QKeyEvent* event) override;
    /// Rings the control that has the focus, from the moment the dialog opens, with or without a
    /// key pressed before.
    void paintEvent(QPaintEvent* event) override;

private:
    /// The control (a child of the dialog itself) that holds the keyboard focus, or null.
    QWidget* focusedControl() const;

    /// How a control is named, kept until the names are given.
    struct Naming {
        QWidget* control;
        QLabel* label;
        QString heading;
        bool buddy;
    };
    static void give(const Naming& naming);
    bool named(const QWidget* control) const;

    std::vector<Naming> namings_;
    bool namesGiven_ = false;
    QGridLayout* grid_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* saveAsDefault_;
};

} // namespace ZarvLinesParm::frame
