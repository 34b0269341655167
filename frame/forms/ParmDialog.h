#pragma once

#include <QDialog>
#include <QString>

#include "frame/forms/CheckBox.h"
#include "frame/forms/DropDownList.h"
#include "frame/forms/OptionButton.h"
#include "frame/forms/Swatch.h"
#include "frame/forms/TextBox.h"

#include <QLabel>

#include <utility>

class QGridLayout;
class QPushButton;

namespace ZarvLinesParm::frame {

/// The window every parameter dialog is: top-level with no owner, its controls in a grid, and
/// the three command buttons `Command1` "OK", `Command2` "Cancel", `Command3` "Save as Default"
/// below them.
///
/// No button is the default or the cancel button: Enter and Escape press nothing and close
/// nothing. A close from the title bar ends the modal display and runs neither "OK" nor
/// "Cancel". Hiding the dialog ends the modal display.
class ParmDialog : public QDialog {
public:
    ParmDialog(const QString& objectName, const QString& designTitle);
    ~ParmDialog() override;

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
    CheckBox* checkBox(const QString& objectName, const QString& caption) { return control<CheckBox>(objectName, caption); }
    TextBox* textBox(const QString& objectName) { return control<TextBox>(objectName); }
    OptionButton* optionButton(const QString& objectName, const QString& caption) { return control<OptionButton>(objectName, caption); }
    DropDownList* dropDownList(const QString& objectName) { return control<DropDownList>(objectName); }

    void keyPressEvent(QKeyEvent* event) override;

private:
    QGridLayout* grid_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* saveAsDefault_;
};

} // namespace ZarvLinesParm::frame
