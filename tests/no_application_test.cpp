// Hosts with no QApplication of their own, each case in a fresh process: a child of this one,
// which itself touches neither the library nor Qt. Start makes an application, keeps it and runs
// the dialog; with no display it fails with error 68 instead of letting the toolkit end the
// process; under a host's application its thread owns the library; and two threads that call the
// first Start at once get one dialog and one error 5.

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

using namespace ZarvLinesParm;

namespace {

// How a circle Start answered with "OK" failed, "" when it succeeded. The press is posted before
// any application exists and runs once this thread's Start runs the dialog's loop; on a thread
// whose Start shows no dialog it never runs.
std::string startCircle(int* number = nullptr)
{
    QObject presser;
    QMetaObject::invokeMethod(
        &presser,
        [&presser] {
            auto* poll = new QTimer(&presser);
            QObject::connect(poll, &QTimer::timeout, [poll] {
                if (QWidget* d = QApplication::activeModalWidget()) {
                    poll->stop();
                    d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
                }
            });
            poll->start(1);
        },
        Qt::QueuedConnection);
    try {
        CircleElipseCls{}.Start(1, "Ellipse");
    } catch (const Error& e) {
        if (number)
            *number = e.number();
        return "error " + std::to_string(e.number()) + ": " + e.detail();
    }
    return {};
}

// Each case says what is wrong, or nothing.
std::string makesAndKeepsTheApplication()
{
    CircleElipseCls c;
    c.Fill(3);
    c.Cor(2, 0x123456);
    if (const std::string failed = startCircle(); !failed.empty())
        return "Start failed with " + failed;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return "no application kept";
    if (c.Fill() != 1 || c.Cor(2) != 0x123456 || !QApplication::topLevelWidgets().isEmpty())
        return "wrong values, or a widget left";
    return {};
}

// No usable display: error 68 naming what failed, nothing changed, no application made; and once
// the host fixes its environment, Start works.
std::string noDisplay(const std::string& named)
{
    CircleElipseCls c;
    c.Fill(3);
    const std::string failed = startCircle();
    if (!failed.starts_with("error 68: ") || failed.find(named) == std::string::npos)
        return "not error 68 naming " + named + " but \"" + failed + "\"";
    if (QCoreApplication::instance() || c.Fill() != 0)
        return "the failed Start changed something";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return makesAndKeepsTheApplication();
}

std::string underTheHostsApplication()
{
    int argc = 1;
    char name[] = "host";
    char* argv[] = {name, nullptr};
    QApplication host(argc, argv); // offscreen, with no display set
    // The application's thread owns the library even where another thread calls it first.
    int first = 0;
    std::thread([&first] {
        try {
            CircleElipseCls{}.Fill(1);
        } catch (const Error& e) {
            first = e.number();
        }
    }).join();
    if (first != 5)
        return "a first call off the application's thread gave error " + std::to_string(first) + ", not 5";
    return startCircle();
}

// Both threads call the first Start together: one owns the library and shows the dialog, the
// other is refused with error 5.
std::string firstStartFromTwoThreads()
{
    std::atomic<int> ready{0};
    int numbers[2] = {0, 0};
    auto caller = [&](int i) {
        ++ready;
        while (ready < 2) {
        }
        startCircle(&numbers[i]);
    };
    std::thread a(caller, 0), b(caller, 1);
    a.join();
    b.join();
    if ((numbers[0] == 0 && numbers[1] == 5) || (numbers[0] == 5 && numbers[1] == 0))
        return {};
    return "errors " + std::to_string(numbers[0]) + " and " + std::to_string(numbers[1])
        + ", not one dialog and one error 5";
}

// An X display nobody serves: no lock file of a server that holds it.
std::string unservedDisplay()
{
    int n = 99;
    while (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0)
        ++n;
    return ":" + std::to_string(n);
}

// Sets each NAME=VALUE of `settings`; an empty VALUE unsets NAME.
void setEnvironment(const std::string& settings)
{
    std::istringstream words(settings);
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals), value = word.substr(equals + 1);
        value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }
}

} // namespace

// Each case in a child with a deadline: a hang or a crash fails like a wrong answer.
TEST(NoApplication, StartMakesAndKeepsOneOrSaysWhyItCannot)
{
    static const std::string display = unservedDisplay();
    const std::string offscreen = "QT_QPA_PLATFORM=offscreen";
    const std::string noDisplays = "DISPLAY= WAYLAND_DISPLAY= XDG_SESSION_TYPE= QT_QPA_PLATFORM=";
    const struct {
        const char* what;
        std::string environment;
        std::function<std::string()> run;
        int times = 1;
    } cases[] = {
        {"Start makes an application, keeps it, runs the dialog", offscreen, makesAndKeepsTheApplication},
        {"no DISPLAY or WAYLAND_DISPLAY", noDisplays, [] { return noDisplay("DISPLAY"); }},
        {"an X display nobody serves", noDisplays + " DISPLAY=" + display,
         [] { return noDisplay('"' + display + '"'); }},
        {"a platform that does not exist", "QT_QPA_PLATFORM=bogus", [] { return noDisplay("\"bogus\""); }},
        {"a host's own application, no display", noDisplays + " " + offscreen, underTheHostsApplication},
        {"the first Start from two threads at once", offscreen, firstStartFromTwoThreads, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < c.times; ++i) {
            EXPECT_EXIT(
                {
                    alarm(60);
                    setEnvironment(c.environment);
                    const std::string wrong = c.run();
                    std::fprintf(stderr, "%s\n", wrong.c_str());
                    std::exit(wrong.empty() ? 0 : 1);
                },
                ::testing::ExitedWithCode(0), "");
        }
    }
}
