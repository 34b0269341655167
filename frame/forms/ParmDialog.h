#pragma once

#include <QDialog>
#include <QString>

class QGridLayout;
class QLabel;
class QPushButton;

namespace ZarvLinesParm::frame {

class CheckBox;
class DropDownList;
class OptionButton;
class Swatch;
class TextBox;

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

    /// Controls made as children of this dialog, named `objectName` so that tests and
    /// accessibility tools find them by the names the tools document.
    QLabel* label(const QString& objectName, const QString& caption);
    Swatch* swatch(const QString& objectName);
    CheckBox* checkBox(const QString& objectName, const QString& caption);
    TextBox* textBox(const QString& objectName);
    OptionButton* optionButton(const QString& objectName, const QString& caption);
    DropDownList* dropDownList(const QString& objectName);

    void keyPressEvent(QKeyEvent* event) override;

private:
    QGridLayout* grid_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* saveAsDefault_;
};

} // namespace ZarvLinesParm::frame
