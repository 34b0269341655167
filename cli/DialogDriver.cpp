#include "DialogDriver.h"

#include "Output.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>

namespace zarvcli {
namespace {

constexpr int pollMs = 10;
constexpr int deadlineMs = 10000;

/// The command buttons every parameter dialog has.
const char* buttonName(Press press)
{
    switch (press) {
    case Press::Ok: return "Command1";
    case Press::Cancel: return "Command2";
    case Press::SaveAsDefault: return "Command3";
    case Press::Close: break;
    }
    return nullptr;
}

const char* pressName(Press press)
{
    switch (press) {
    case Press::Ok: return "ok";
    case Press::Cancel: return "cancel";
    case Press::SaveAsDefault: return "save";
    case Press::Close: return "close";
    }
    return "";
}

} // namespace

DialogDriver::DialogDriver(Plan plan) : plan_(std::move(plan))
{
    if (!plan_.screenshot && !plan_.press) {
        stage_ = Stage::Done;
        return;
    }
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    // Started by Start's loop: the application may not exist before Start makes it.
    QMetaObject::invokeMethod(
        &timer_,
        [this] {
            timer_.start(pollMs);
            waited_.start();
        },
        Qt::QueuedConnection);
}

DialogDriver::~DialogDriver() { timer_.stop(); }

void DialogDriver::tick()
{
    switch (stage_) {
    case Stage::WaitingForDialog:
        if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog->isVisible()) {
            act(*dialog);
        } else if (waited_.elapsed() > deadlineMs) {
            timedOut("the dialog did not show");
        }
        break;
    case Stage::WaitingForClose:
        // Start returns once the dialog goes; still ticking means it has not.
        if (waited_.elapsed() > deadlineMs) {
            std::string what = "the dialog stayed open after --press " + std::string(pressName(*plan_.press));
            if (QWidget* modal = QApplication::activeModalWidget(); modal && !modal->windowTitle().isEmpty())
                what += " (showing \"" + modal->windowTitle().toStdString() + "\")";
            timedOut(what);
        }
        break;
    case Stage::Done: timer_.stop(); break;
    }
}

void DialogDriver::act(QWidget& dialog)
{
    if (plan_.screenshot) {
        if (const auto why = savePng(dialog.grab(), QString::fromStdString(*plan_.screenshot)))
            return giveUp(dialog, "--screenshot " + *plan_.screenshot + ": cannot write the image: " + *why);
    }
    if (!plan_.press) {
        // The rest is the user's.
        stage_ = Stage::Done;
        timer_.stop();
        return;
    }
    stage_ = Stage::WaitingForClose;
    waited_.restart();
    const char* name = buttonName(*plan_.press);
    if (!name) {
        dialog.close();
        return;
    }
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    // Only what a user could press: a hidden or disabled button is not there for them.
    if (!button || !button->isVisible() || !button->isEnabled()) {
        return giveUp(dialog,
                      "--press " + std::string(pressName(*plan_.press)) + ": the dialog shows no such button (" + name
                          + ")");
    }
    button->click();
}

void DialogDriver::giveUp(QWidget& dialog, std::string why)
{
    failure_ = std::move(why);
    stage_ = Stage::Done;
    timer_.stop();
    dialog.close();
}

void DialogDriver::timedOut(const std::string& what) const
{
    // Still inside Start's modal loop with nobody to answer it: no clean way back out.
    std::fprintf(stderr, "zarvlinesparm: %s within %d s\n", what.c_str(), deadlineMs / 1000);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace zarvcli
