#pragma once

#include <QRadioButton>

#include <functional>

namespace ZarvLinesParm::frame {

/// An option button whose click handler runs when the user clicks it and also when the
/// library's own code selects it.
class OptionButton : public QRadioButton {
public:
    OptionButton(const QString& caption, QWidget* parent);

    void onClick(std::function<void()> handler);

    /// Selects the option and runs its click handler, as a user's click would.
    void select();

private:
    std::function<void()> click_;
};

} // namespace ZarvLinesParm::frame
