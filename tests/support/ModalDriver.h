#pragma once

// Drives modal dialogs from inside their own event loop, as a user would: the action is
// scheduled before the call that shows the dialog (Start, a swatch click) and runs once the
// dialog named so is the active modal widget. A dialog that never appears, or never goes, is
// closed after a deadline and the test fails instead of hanging.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <ZarvLinesParm/Types.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace testsupport {

/// Runs `action` on the modal dialog named `objectName` once it is shown; an empty name stands
/// for whichever tool dialog shows (any modal dialog but the colour chooser).
void whenModal(const QString& objectName, std::function<void(QDialog&)> action);

/// The child of `parent` named `objectName`, which must exist.
template <class T>
T& child(QWidget& parent, const QString& objectName)
{
    T* found = parent.findChild<T*>(objectName);
    if (!found) {
        ADD_FAILURE() << "no " << objectName.toStdString() << " in " << parent.objectName().toStdString();
        throw std::runtime_error("missing control");
    }
    return *found;
}

/// A left-button click in the middle of `widget`.
void click(QWidget& widget);

/// Clicks the command button `Command1`, `Command2` or `Command3`.
void press(QDialog& dialog, const char* command);

/// Replaces the text of `box` by typing `text`, keystroke by keystroke (any characters).
void typeInto(QLineEdit& box, const QString& text);

/// Opens the list of `list` and clicks its entry `position`, as a user chooses an entry.
void chooseEntry(QComboBox& list, int position);

/// Clicks swatch `swatchName` and, in the colour chooser that opens, picks `rgb` (0x00BBGGRR)
/// and presses OK; with `rgb` empty the chooser is cancelled. Returns the colour the chooser
/// opened on.
std::int32_t chooseColour(QDialog& dialog, const QString& swatchName, std::optional<std::int32_t> rgb);

/// The same, with the chooser opened by `open` (a click, a key) instead of a click on a swatch.
std::int32_t chooseColourWith(QDialog& dialog, const std::function<void()>& open, std::optional<std::int32_t> rgb);

/// The number of the library error `call` fails with; 0 when it does not fail.
template <class Call>
int errorOf(Call&& call)
{
    try {
        call();
    } catch (const ZarvLinesParm::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace testsupport
