#include "frame/forms/OptionButton.h"

namespace ZarvLinesParm::frame {

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent)
{
    // clicked fires for the user only (mouse, Space), also on an option already selected.
    connect(this, &QRadioButton::clicked, this, [this] {
        if (click_)
            click_();
    });
}

void OptionButton::onClick(std::function<void()> handler)
{
    click_ = std::move(handler);
}

void OptionButton::select()
{
    setChecked(true);
    if (click_)
        click_();
}

} // namespace ZarvLinesParm::frame
