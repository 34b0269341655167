#pragma once

#include <QCheckBox>

#include <cstdint>

namespace ZarvLinesParm::frame {

/// A check box with the values 0 (cleared), 1 (checked) and 2 (greyed).
///
/// It declares no class of its own to Qt's meta-object system, so it is told apart with
/// dynamic_cast. Qt asks its accessibility factories about every widget it shows, once for each
/// class up the meta-object's chain until one answers; a class of ours that Qt's own factory does
/// not know would be one more to ask about, for every box of every dialog shown (sixteen in the
/// square of nine, whose Start that made 6 % longer, counted in instructions).
class CheckBox : public QCheckBox {
public:
    CheckBox(const QString& caption, QWidget* parent);

    /// Sets the value; anything but 0, 1 or 2 fails with error 380 and changes nothing.
    void setValue(std::int16_t value);
    std::int16_t value() const;

    /// Shows the square only, so that a label beside it names it, whatever caption the box
    /// itself carries: the caption is kept but not drawn, and the box asks for no more room
    /// than its square. Clicks on the square still toggle it.
    void showBoxOnly();
    bool showsBoxOnly() const { return boxOnly_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    /// A user's click toggles between cleared and checked; only code makes a box greyed.
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool boxOnly_ = false;
    mutable QSize boxOnlyHint_;
};

} // namespace ZarvLinesParm::frame
