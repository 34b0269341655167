#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <optional>

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

    /// The text read by the number reading: as the nearest float; as a 16-bit whole number
    /// (empty when the number does not fit 16 bits).
    float readSingle() const;
    std::optional<std::int16_t> readInteger16() const;

private:
    std::function<void(const QString&)> change_;
};

} // namespace ZarvLinesParm::frame
