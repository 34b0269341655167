#pragma once

// Answers the dialog that Start shows, from inside its modal loop: waits for the modal window,
// saves its image, then presses the requested button (or closes it as the title bar would).
//
// A dialog that never shows, or that stays after the press, would hang the program: after
// ten seconds the driver reports it on standard error and ends the process with status 1.

#include "Arguments.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <string>

namespace zarvcli {

class DialogDriver {
public:
    struct Plan {
        std::optional<std::string> screenshot;
        std::optional<Press> press;
    };

    /// Starts watching once Start runs its loop; construct it before calling Start.
    explicit DialogDriver(Plan plan);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    /// Why the plan could not be carried out (the dialog was then closed unanswered); empty when
    /// it was, or when there was nothing to do.
    const std::optional<std::string>& failure() const { return failure_; }

private:
    enum class Stage { WaitingForDialog, WaitingForClose, Done };

    void tick();
    void act(QWidget& dialog);
    void giveUp(QWidget& dialog, std::string why);
    [[noreturn]] void timedOut(const std::string& what) const;

    Plan plan_;
    QTimer timer_;
    QElapsedTimer waited_;
    Stage stage_ = Stage::WaitingForDialog;
    std::optional<std::string> failure_;
};

} // namespace zarvcli
