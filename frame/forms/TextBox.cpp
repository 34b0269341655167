#include "frame/forms/TextBox.h"

#include "frame/NumberReading.h"
#include "frame/NumberText.h"

namespace ZarvLinesParm::frame {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // textChanged, unlike textEdited, also fires for setText: the change handler must run then.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (change_)
            change_(text);
    });
}

void TextBox::onChange(std::function<void(const QString&)> handler) { change_ = std::move(handler); }

void TextBox::showNumber(float value) { setText(QString::fromStdString(shortNumberForm(value))); }

void TextBox::showNumber(std::int16_t value) { setText(QString::fromStdString(shortNumberForm(value))); }

double TextBox::readNumber() const { return frame::readNumber(text().toStdString()); }

float TextBox::readSingle() const { return frame::readSingle(text().toStdString()); }

std::int16_t TextBox::readWhole() const
{
    const double number = readNumber();
    if (const std::optional<std::int16_t> whole = toWhole<std::int16_t>(number))
        return *whole;
    return number < 0 ? std::int16_t{-32768} : std::int16_t{32767};
}

} // namespace ZarvLinesParm::frame
