#include "frame/forms/OptionButton.h"

namespace ZarvLinesParm::frame {

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(parent)
{
    // Captioned only now that it is an option button: Qt announces a caption to assistive
    // technology at once, which makes the button's accessible interface; made while the button
    // was still a plain radio button, that would be Qt's own for the rest of its life.
    setText(caption);
    // Qt's exclusive groups let Tab reach only the selected option; the exclusion is done here.
    setAutoExclusive(false);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (!on || !parentWidget())
            return;
        for (OptionButton* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
            if (other != this)
                other->setChecked(false);
    });
    // clicked fires for the user only (mouse, Space), also on an option already selected.
    connect(this, &QRadioButton::clicked, this, [this] {
        if (click_)
            click_();
    });
}

void OptionButton::onClick(std::function<void()> handler) { click_ = std::move(handler); }

void OptionButton::nextCheckState() { setChecked(true); }

void OptionButton::select()
{
    setChecked(true);
    if (click_)
        click_();
}

} // namespace ZarvLinesParm::frame
