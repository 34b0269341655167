#pragma once

#include <QColor>
#include <QLabel>

#include <cstdint>

namespace ZarvLinesParm::frame {

/// A colour as the records keep it, 0x00BBGGRR (red in the low byte), as a QColor. A value that
/// is no plain RGB colour (negative, or its high byte set) shows its low three bytes.
QColor colourOf(std::int32_t rgb);

/// A QColor as the records keep colours.
std::int32_t rgbOf(const QColor& colour);

/// A captionless label whose background shows a colour; a click opens the colour chooser. It
/// also takes the keyboard focus and Space runs the same click. To assistive technology it is a
/// push button whose press runs the click and whose description is its colour ("#00FF00").
class Swatch : public QLabel {
    Q_OBJECT

public:
    explicit Swatch(QWidget* parent);

    /// Shows `rgb` as the background, `palette().color(QPalette::Window)`.
    void setColour(std::int32_t rgb);
    /// The background colour, as the records keep colours.
    std::int32_t colour() const;
    /// The background colour as it is read aloud, "#00FF00".
    QString colourName() const;

    /// Ties the swatch to a colour of the working record. A click then runs the swatch steps:
    /// the chooser `CommonDialog1` opens modally on the working colour; a cancel, or any failure,
    /// ends the click silently with swatch and record unchanged; otherwise the chosen colour
    /// becomes the swatch's background and, read back from the swatch, the working colour.
    void bind(std::int32_t& workingColour);

    /// Runs the click as a left-button click on the swatch does.
    void click();

Q_SIGNALS:
    /// A colour was chosen and has reached the working record.
    void colourChosen(std::int32_t rgb);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t* working_ = nullptr;
    bool pressed_ = false;
};

} // namespace ZarvLinesParm::frame
