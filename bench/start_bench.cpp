// One whole Start of every class (load, show, press OK, unload) against a bare QDialog with the
// same widgets, shown and closed the same way, in the same run.
//
// The classes come from ProgIds(); each dialog's widgets are taken down once while it is shown
// (kind, text, colour), and its bare twin is built from that in plain Qt. The two are timed in alternation, so that
// both see the same machine, and the median of each is printed as a table with the ratio.
//
//     start_bench [--rounds N] [--only CLASS]
//                                   (default 300 timed rounds per class, after 30 warm-up ones)

#include "DialogRounds.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace ZarvLinesParm;
using namespace bench;

namespace {

// One widget as the user sees it, by the control kinds the dialogs use: its kind, its text (a
// list's entries), whether it is checked, whether it shows, and for a label that fills its background (a swatch) its
// colour, frame and least size.
struct Widget {
    enum Kind { Button, CheckBox, OptionButton, TextBox, List, Label } kind = Label;
    QString text;
    QStringList entries;
    Qt::CheckState checked = Qt::Unchecked;
    bool hidden = false;
    bool filled = false;
    QColor colour;
    QFrame::Shape frame = QFrame::NoFrame;
    QSize minimum;
    bool focused = false; // the control the dialog opens with the focus on
};

std::vector<Widget> census(QDialog& dialog)
{
    std::vector<Widget> found;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        // A list's own text field and popup belong to the list.
        bool insideList = false;
        for (QWidget* p = w->parentWidget(); p && p != &dialog; p = p->parentWidget())
            insideList = insideList || qobject_cast<QComboBox*>(p);
        if (insideList)
            continue;
        Widget c{};
        c.hidden = w->isHidden();
        c.focused = w == dialog.focusWidget() || w->isAncestorOf(dialog.focusWidget());
        if (auto* b = qobject_cast<QPushButton*>(w))
            c.kind = Widget::Button, c.text = b->text();
        else if (auto* b = qobject_cast<QCheckBox*>(w))
            c.kind = Widget::CheckBox, c.text = b->text(), c.checked = b->checkState();
        else if (auto* b = qobject_cast<QRadioButton*>(w))
            c.kind = Widget::OptionButton, c.text = b->text(), c.checked = b->isChecked() ? Qt::Checked : Qt::Unchecked;
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            c.kind = Widget::TextBox, c.text = e->text();
        else if (auto* l = qobject_cast<QComboBox*>(w)) {
            c.kind = Widget::List, c.text = l->currentText();
            for (int i = 0; i < l->count(); ++i)
                c.entries << l->itemText(i);
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            c.text = l->text();
            c.filled = l->autoFillBackground();
            c.colour = l->palette().color(QPalette::Window);
            c.frame = l->frameShape();
            c.minimum = l->minimumSize();
        } else
            continue;
        found.push_back(c);
    }
    return found;
}

struct Tool {
    std::string name;
    std::unique_ptr<Object> object;
    std::vector<Variant> startArgs;
    std::vector<Widget> widgets;
};

void startOnce(Tool& tool)
{
    onceShown(pressOk);
    tool.object->invoke("Start", Invoke::Method, tool.startArgs);
}

// The bare twin: a QDialog as the library's dialogs are made (no owner, stays on top, fixed
// size), showing the same widgets in plain Qt: the same texts, entries and check marks, a colour
// in a filled label, the buttons in a row below a grid; "OK" hides it.
void bareOnce(const std::vector<Widget>& widgets)
{
    QDialog d(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* outer = new QVBoxLayout(&d);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    QWidget* firstFocus = nullptr;
    int cell = 0;
    for (const Widget& c : widgets) {
        QWidget* w = nullptr;
        switch (c.kind) {
        case Widget::Button: {
            auto* b = new QPushButton(c.text, &d);
            if (buttons->count() == 0) {
                b->setObjectName(QStringLiteral("Command1"));
                QObject::connect(b, &QPushButton::clicked, &d, &QDialog::hide);
            }
            buttons->addWidget(b);
            b->setHidden(c.hidden);
            continue;
        }
        case Widget::CheckBox: {
            auto* box = new QCheckBox(c.text, &d);
            box->setCheckState(c.checked);
            w = box;
            break;
        }
        case Widget::OptionButton: {
            auto* option = new QRadioButton(c.text, &d);
            option->setChecked(c.checked == Qt::Checked);
            w = option;
            break;
        }
        case Widget::TextBox: w = new QLineEdit(c.text, &d); break;
        case Widget::List: {
            auto* list = new QComboBox(&d);
            list->setEditable(true);
            list->addItems(c.entries);
            list->setEditText(c.text);
            w = list;
            break;
        }
        case Widget::Label: {
            auto* label = new QLabel(c.text, &d);
            if (c.filled) {
                label->setAutoFillBackground(true);
                QPalette p = label->palette();
                p.setColor(QPalette::Window, c.colour);
                label->setPalette(p);
                label->setFrameShape(c.frame);
                label->setMinimumSize(c.minimum);
                if (c.focused)
                    label->setFocusPolicy(Qt::StrongFocus);
            }
            w = label;
            break;
        }
        }
        grid->addWidget(w, cell / 3, cell % 3);
        w->setHidden(c.hidden);
        if (c.focused)
            firstFocus = w;
        ++cell;
    }
    outer->addLayout(buttons);
    // The control the user starts on, as in the library's dialog.
    if (firstFocus)
        firstFocus->setFocus();
    d.setWindowTitle(QStringLiteral("Bare"));
    onceShown(pressOk);
    d.exec();
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 300;
    std::string only;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--only") == 0)
            only = argv[i + 1];
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    std::vector<Tool> tools;
    for (const std::string& progId : ProgIds()) {
        Tool t;
        t.name = progId.substr(progId.find('.') + 1);
        if (!only.empty() && t.name != only)
            continue;
        t.object = CreateObject(progId);
        t.startArgs = startArguments(progId);
        onceShown([&t](QDialog& d) {
            t.widgets = census(d);
            pressOk(d);
        });
        t.object->invoke("Start", Invoke::Method, t.startArgs);
        tools.push_back(std::move(t));
    }

    std::printf("Start of each class against a bare QDialog with the same widgets (%s, median of %d)\n\n",
                qPrintable(QGuiApplication::platformName()), rounds);
    std::printf("| Class | Widgets | Start (us) | Bare QDialog (us) | Ratio |\n|---|---:|---:|---:|---:|\n");
    for (Tool& t : tools) {
        for (int i = 0; i < 30; ++i) {
            startOnce(t);
            bareOnce(t.widgets);
        }
        std::vector<double> start, bare;
        QElapsedTimer clock;
        for (int i = 0; i < rounds; ++i) {
            clock.start();
            startOnce(t);
            start.push_back(clock.nsecsElapsed() / 1000.0);
            clock.start();
            bareOnce(t.widgets);
            bare.push_back(clock.nsecsElapsed() / 1000.0);
        }
        const double s = median(start), b = median(bare);
        std::printf("| %s | %zu | %.0f | %.0f | %.2f |\n", t.name.c_str(), t.widgets.size(), s, b, s / b);
        std::fflush(stdout);
    }
    return 0;
}
