#pragma once

// The message boxes the chart shows while a watcher lives: each one's text is kept, and it is
// answered with the given button. Unlike a modal driver waiting for one dialog, it expects none
// in particular, so a test can require that no box came up.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace chartsupport {

class Boxes {
public:
    explicit Boxes(QMessageBox::StandardButton answer = QMessageBox::Cancel)
    {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts_ << box->text();
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->reject();
        });
        timer_.start();
    }

    const QStringList& texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

} // namespace chartsupport
