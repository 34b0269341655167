// One whole Start of every class (load, show, press OK, unload) against a bare QDialog with the
// same number of widgets of each kind, shown and closed the same way, in the same run.
//
// The classes come from ProgIds(); each dialog is counted once while shown, and its bare twin
// is built from that count. The two are timed in alternation, so that both see the same
// machine, and the median of each is printed as a table with the ratio.
//
//     start_bench [--rounds N]      (default 300 timed rounds per class, after 30 warm-up ones)

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

namespace {

// Widgets by kind, as the dialog protocol's control kinds map onto Qt.
struct Census {
    int buttons = 0, checkBoxes = 0, optionButtons = 0, textBoxes = 0, lists = 0, labels = 0;
    int total() const { return buttons + checkBoxes + optionButtons + textBoxes + lists + labels; }
};

Census countControls(QDialog& dialog)
{
    Census c;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        // A list's own text field and popup belong to the list.
        bool insideList = false;
        for (QWidget* p = w->parentWidget(); p && p != &dialog; p = p->parentWidget())
            insideList = insideList || qobject_cast<QComboBox*>(p);
        if (insideList)
            continue;
        if (qobject_cast<QPushButton*>(w)) ++c.buttons;
        else if (qobject_cast<QCheckBox*>(w)) ++c.checkBoxes;
        else if (qobject_cast<QRadioButton*>(w)) ++c.optionButtons;
        else if (qobject_cast<QLineEdit*>(w)) ++c.textBoxes;
        else if (qobject_cast<QComboBox*>(w)) ++c.lists;
        else if (qobject_cast<QLabel*>(w)) ++c.labels;
    }
    return c;
}

// Queued before the dialog shows; runs inside its modal loop.
void onceShown(std::function<void(QDialog&)> action)
{
    QMetaObject::invokeMethod(qApp, [action] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            action(*d);
    }, Qt::QueuedConnection);
}

void pressOk(QDialog& d)
{
    if (auto* ok = d.findChild<QPushButton*>(QStringLiteral("Command1")))
        ok->click();
}

struct Tool {
    std::string name;
    std::unique_ptr<Object> object;
    std::vector<Variant> startArgs;
    Census census;
};

void startOnce(Tool& tool)
{
    onceShown(pressOk);
    tool.object->invoke("Start", Invoke::Method, tool.startArgs);
}

// The bare twin: a QDialog as the library's dialogs are made (no owner, stays on top, fixed
// size), with the same widgets in a grid, "OK" hiding it.
void bareOnce(const Census& census)
{
    QDialog d(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* outer = new QVBoxLayout(&d);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    int cell = 0;
    auto place = [&](QWidget* w) { grid->addWidget(w, cell / 3, cell % 3); ++cell; };
    for (int i = 0; i < census.labels; ++i) {
        auto* label = new QLabel(QStringLiteral("Label"));
        label->setAutoFillBackground(true);
        place(label);
    }
    for (int i = 0; i < census.textBoxes; ++i)
        place(new QLineEdit(QStringLiteral(" .382")));
    for (int i = 0; i < census.checkBoxes; ++i)
        place(new QCheckBox(QStringLiteral("Check")));
    for (int i = 0; i < census.optionButtons; ++i)
        place(new QRadioButton(QStringLiteral("Option")));
    for (int i = 0; i < census.lists; ++i) {
        auto* list = new QComboBox;
        list->setEditable(true);
        list->addItems({QStringLiteral("Open"), QStringLiteral("High"), QStringLiteral("Low"),
                        QStringLiteral("Close"), QStringLiteral("O+H+L/3")});
        place(list);
    }
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < census.buttons; ++i) {
        auto* b = new QPushButton(QStringLiteral("Button"));
        if (i == 0) {
            b->setObjectName(QStringLiteral("Command1"));
            QObject::connect(b, &QPushButton::clicked, &d, &QDialog::hide);
        }
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    d.setWindowTitle(QStringLiteral("Bare"));
    onceShown(pressOk);
    d.exec();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 300;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    std::vector<Tool> tools;
    for (const std::string& progId : ProgIds()) {
        Tool t;
        t.name = progId.substr(progId.find('.') + 1);
        t.object = CreateObject(progId);
        for (const MemberInfo& m : Describe(progId))
            if (m.kind == MemberInfo::Kind::Method && m.name == "Start")
                for (std::size_t i = 0; i < m.arguments.size(); ++i)
                    t.startArgs.push_back(i == 0 ? Variant(std::int16_t{1})
                                          : m.arguments[i] == ValueType::String ? Variant(std::string("Bench"))
                                                                                : Variant(std::int16_t{0}));
        onceShown([&t](QDialog& d) {
            t.census = countControls(d);
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
            bareOnce(t.census);
        }
        std::vector<double> start, bare;
        QElapsedTimer clock;
        for (int i = 0; i < rounds; ++i) {
            clock.start();
            startOnce(t);
            start.push_back(clock.nsecsElapsed() / 1000.0);
            clock.start();
            bareOnce(t.census);
            bare.push_back(clock.nsecsElapsed() / 1000.0);
        }
        const double s = median(start), b = median(bare);
        std::printf("| %s | %d | %.0f | %.0f | %.2f |\n", t.name.c_str(), t.census.total(), s, b, s / b);
        std::fflush(stdout);
    }
    return 0;
}
