#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace ZarvLinesParm::frame {

/// A text box whose change handler runs on every change of its text, each keystroke and every
/// `setText` by the library's own code alike.
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget* parent);

    void onChange(std::function<void(const QString& text)> handler);

    /// Shows a float or a 16-bit whole number in the short number form.
    void showNumber(float value);
    void showNumber(std::int16_t value);

    /// The text read by the number reading: as a double; as the nearest float (beyond the float
    /// range, the largest float of its sign).
    double readNumber() const;
    float readSingle() const;

    /// The text read as a 16-bit whole number: the nearest whole number, an exact half to the
    /// even neighbour ("12.5" 12, "13.5" 14). A typed number that does not fit 16 bits stores
    /// the nearest 16-bit value, -32768 or 32767, so that every field stays a sound 16-bit
    /// value and the dialog stays usable: nothing typed is rejected and no message is shown.
    std::int16_t readWhole() const;

private:
    std::function<void(const QString&)> change_;
};

} // namespace ZarvLinesParm::frame
