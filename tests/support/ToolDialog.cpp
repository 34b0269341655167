// The one test every tool's cases run through (see Case in ToolDriver.h).

#include "support/ToolDriver.h"

#include <QTimer>

namespace testsupport {

TEST_P(ToolDialog, ShowsWhatTheHostSetAndGivesBackWhatTheUserDid)
{
    const Case& c = GetParam();
    if (c.fails) {
        auto o = ZarvLinesParm::CreateObject(c.progId);
        setAll(*o, c.given);
        const Values before = readAll(*o);
        const auto widgets = QApplication::allWidgets().size();
        // A dialog shown all the same is closed, so that the test fails rather than hangs.
        QTimer shown;
        QObject::connect(&shown, &QTimer::timeout, [] {
            ADD_FAILURE() << "a dialog was shown";
            QApplication::activeModalWidget()->close();
        });
        shown.start(0);
        EXPECT_EQ(errorOf([&] { start(*o, c.fdef, c.caption); }), c.fails);
        EXPECT_EQ(readAll(*o), before);
        EXPECT_EQ(QApplication::allWidgets().size(), widgets);
        return;
    }
    const Values after = Tool{c.progId}.run(
        c.given,
        [&](QDialog& d) {
            // Modal, with no owner, above all other windows.
            EXPECT_EQ(QApplication::activeModalWidget(), &d);
            EXPECT_EQ(d.parentWidget(), nullptr);
            EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            for (const auto& [name, text] : c.shows)
                EXPECT_EQ(look(d, name), text) << name.toStdString();
            for (const User& step : c.user)
                step(d);
            if (d.isVisible()) {
                ADD_FAILURE() << "the user's steps did not end the dialog";
                d.close();
            }
        },
        c.fdef, c.caption);
    EXPECT_EQ(after, c.given.with(c.after));
}

} // namespace testsupport
