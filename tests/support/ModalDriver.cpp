#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace testsupport {
namespace {
constexpr int deadlineMs = 10000;
}

void whenModal(const QString& objectName, std::function<void(QDialog&)> action)
{
    auto* timer = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool wanted = dialog && dialog->isVisible()
            && (objectName.isEmpty() ? dialog->objectName() != QLatin1String("CommonDialog1")
                                     : dialog->objectName() == objectName);
        if (!wanted && waited->elapsed() <= deadlineMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (wanted) {
            action(*dialog);
            return;
        }
        ADD_FAILURE() << objectName.toStdString() << " was not shown in time";
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    });
    timer->start();
}

void click(QWidget& widget)
{
    // Near the left edge: a check box or option button takes clicks on its box and caption
    // only, and may be laid out wider than those.
    const QPoint at(std::min(widget.width() / 2, 6), widget.height() / 2);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, at);
}

void press(QDialog& dialog, const char* command) { click(child<QPushButton>(dialog, QString::fromLatin1(command))); }

void typeInto(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    for (const QChar ch : text) {
        // QTest only maps ASCII to keys; other characters arrive as the text of a key press,
        // as an input method delivers them.
        if (ch.unicode() < 0x80)
            QTest::keyClick(&box, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

void chooseEntry(QComboBox& list, int position)
{
    list.showPopup();
    QAbstractItemView* view = list.view();
    const QRect entry = view->visualRect(list.model()->index(position, list.modelColumn()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
}

std::int32_t chooseColourWith(QDialog& dialog, const std::function<void()>& open, std::optional<std::int32_t> rgb)
{
    std::int32_t openedOn = -1;
    whenModal(QStringLiteral("CommonDialog1"), [&](QDialog& chooser) {
        auto& colours = dynamic_cast<QColorDialog&>(chooser);
        EXPECT_EQ(chooser.parentWidget(), &dialog);
        EXPECT_TRUE(colours.testOption(QColorDialog::DontUseNativeDialog));
        openedOn = ZarvLinesParm::frame::rgbOf(colours.currentColor());
        if (rgb) {
            colours.setCurrentColor(ZarvLinesParm::frame::colourOf(*rgb));
            click(*child<QDialogButtonBox>(chooser, {}).button(QDialogButtonBox::Ok));
        } else {
            chooser.reject();
        }
    });
    open();
    return openedOn;
}

std::int32_t chooseColour(QDialog& dialog, const QString& swatchName, std::optional<std::int32_t> rgb)
{
    return chooseColourWith(
        dialog, [&] { click(child<QWidget>(dialog, swatchName)); }, rgb);
}

} // namespace testsupport
