#pragma once

#include <QRadioButton>

#include <functional>

namespace ZarvLinesParm::frame {

/// An option button whose click handler runs when the user clicks it and also when the
/// library's own code selects it. Selecting it clears the other option buttons of the same
/// parent. Unlike Qt's own exclusive radio buttons, every option takes the focus from Tab,
/// selected or not, so that a keyboard user reaches each one.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    OptionButton(const QString& caption, QWidget* parent);

    void onClick(std::function<void()> handler);

    /// Selects the option and runs its click handler, as a user's click would.
    void select();

protected:
    /// A click selects; it never clears a selected option.
    void nextCheckState() override;

private:
    std::function<void()> click_;
};

} // namespace ZarvLinesParm::frame
