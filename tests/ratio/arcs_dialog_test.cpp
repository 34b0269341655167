// The arcs tool: FullCircle straight into its check box, and refused outside 0 to 2.

#include "support/ToolDriver.h"

using namespace testsupport;

namespace {

const Tool arcs{"ZarvLinesParm.ZarvArcsParmClass"};
const Values host{{"Cor(1)", 0x3366CC}, {"FullCircle", 0}, {"SaveDefault", 0},
                  {"V(1)", 0.382f}, {"V(2)", 0.5f}, {"V(3)", 1.618f}, {"V(4)", 2.0f}, {"V(5)", 0.0f}, {"V(6)", -0.5f}};

} // namespace

TEST(ArcsDialog, FullCircleGoesIntoTheBoxUnchangedAndOkReadsTheBoxBack)
{
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    for (int fc : {0, 1, 2}) {
        const Values given = host.with({{"FullCircle", fc}});
        EXPECT_EQ(arcs.run(given, [&](QDialog& d) {
            EXPECT_EQ(state(d, "Check1"), states[fc]);
            ok(d);
        }), given) << fc;
    }
    EXPECT_EQ(arcs.run(host, [](QDialog& d) {
        tick(d, "Check1");
        type(d, "V(0)", "-7.25");
        type(d, "V(5)", "1e400");
        ok(d);
    }), host.with({{"FullCircle", 1}, {"V(1)", -7.25f}, {"V(6)", 3.40282347e38f}}));
    expectSwatchesEdit(arcs, host, {{"Cor1(0)", "Cor(1)"}});
}

TEST(ArcsDialog, AFullCircleOutsideZeroToTwoFailsWith380BeforeAnyDialogAndChangesNothing)
{
    const Values left = arcs.run(host, ok);
    // Counts the dialog's appearances, and closes it should it appear, so the test fails rather than hangs.
    struct ShowWatch : QObject {
        int shown = 0;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Show && o->objectName() == QLatin1String("ZarvArcsParm")) {
                ++shown;
                QMetaObject::invokeMethod(static_cast<QWidget*>(o), &QWidget::close, Qt::QueuedConnection);
            }
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    const Values refused = host.with({{"Cor(1)", 255}, {"V(1)", 9.0f}});
    for (int fc : {3, -1, 32767, -32768}) {
        auto o = ZarvLinesParm::CreateObject(arcs.progId);
        setAll(*o, refused.with({{"FullCircle", fc}})); // the setter takes any value
        EXPECT_EQ(errorOf([&] { start(*o, 1); }), 380) << fc;
        EXPECT_EQ(arcs.now(), left) << fc;
    }
    qApp->removeEventFilter(&watch);
    EXPECT_EQ(watch.shown, 0);
    // The parameter record still holds what was set: Cancel brings it back once FullCircle is mended.
    EXPECT_EQ(arcs.run({{"FullCircle", 2}}, cancel), refused.with({{"FullCircle", 2}}));
}
