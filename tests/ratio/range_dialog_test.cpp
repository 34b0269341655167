// The range tool: defaults written by its load, fixed number formats, and texts from the host.

#include "support/ToolDriver.h"

#include <limits>

using namespace testsupport;

namespace {

const Tool range{"ZarvLinesParm.ZarvRangerParmClass"};
// Every field zero and both texts empty is how the library starts: setting that is starting over.
const Values nothingSet{{"Periodos", 0}, {"Cte1", 0.0f}, {"Cte2", 0.0f}, {"Cor1", 0}, {"Cor2", 0}, {"Cor3", 0},
                        {"ONH", ""}, {"Caption", ""}, {"ExtendRightCaption", ""}, {"ExtendRight", 0},
                        {"SaveDefault", 0}};
const Values defaults = nothingSet.with({{"Periodos", 3}, {"Cte1", 0.618f}, {"Cte2", 1.382f}, {"Cor1", 65280}, {"Cor2", 255}});
const Values host = nothingSet.with({{"Periodos", 8}, {"Cte1", 0.5f}, {"Cte2", 2.0f}, {"Cor1", 0x0000AA},
                                     {"Cor2", 0x00BB00}, {"Cor3", 0xCC0000}, {"ONH", "host text"}, {"ExtendRight", 1}});

} // namespace

TEST(RangeDialog, TheLoadWritesDefaultsToTheParameterRecordSoTheFirstOkGivesZeroColours)
{
    auto showsDefaults = [](QDialog& d) {
        EXPECT_EQ(shown(d, "Per"), QStringLiteral("3"));
        EXPECT_EQ(shown(d, "Ct1"), QStringLiteral("0.618"));
        EXPECT_EQ(shown(d, "Ct2"), QStringLiteral("1.382"));
        EXPECT_EQ(swatch(d, "Cor1"), 65280);
        EXPECT_EQ(swatch(d, "Cor2"), 255);
        EXPECT_EQ(swatch(d, "Cor3"), 0);
    };
    EXPECT_EQ(range.run(nothingSet, [&](QDialog& d) {
        showsDefaults(d);
        // The chooser opens on the working colour, still 0, though the swatch shows the default.
        EXPECT_EQ(chooseColour(d, "Cor3", std::nullopt), 0);
        EXPECT_EQ(chooseColour(d, "Cor1", std::nullopt), 0);
        ok(d);
    }), defaults.with({{"Cor1", 0}, {"Cor2", 0}}));
    // The defaults stayed in the parameter record: the next Start shows and returns them.
    EXPECT_EQ(range.run({}, [&](QDialog& d) {
        showsDefaults(d);
        ok(d);
    }), defaults);
    EXPECT_EQ(range.run(nothingSet, cancel), defaults);
    // Only zero fields take defaults; not-a-number is no constant either.
    EXPECT_EQ(range.run(nothingSet.with({{"Periodos", -2}, {"Cte1", -0.0f}, {"Cte2", -1.0f}, {"Cor2", 7}}), cancel),
              defaults.with({{"Periodos", -2}, {"Cte2", -1.0f}, {"Cor2", 7}}));
    EXPECT_EQ(range.run(host.with({{"Cte2", std::numeric_limits<float>::quiet_NaN()}}), cancel),
              host.with({{"Cte2", 1.382f}}));
}

TEST(RangeDialog, ConstantsShowWithThreeDecimalsSoOkRoundsThem)
{
    const Values precise = host.with({{"Cte1", 0.61849f}, {"Cte2", -0.5f}});
    EXPECT_EQ(range.run(precise, [](QDialog& d) {
        EXPECT_EQ(shown(d, "Per"), QStringLiteral("8"));
        EXPECT_EQ(shown(d, "Ct1"), QStringLiteral("0.618"));
        EXPECT_EQ(shown(d, "Ct2"), QStringLiteral("-0.500"));
        ok(d);
    }), precise.with({{"Cte1", 0.618f}}));
}

TEST(RangeDialog, PeriodsAreReadAsAWholeNumberHalvesToEvenAndSaturateBeyondSixteenBits)
{
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"7abc", 7}, {"abc", 0},
        {"70000", 32767}, {"-1e400", -32768}, {"1e400", 32767},
    };
    for (const auto& [typed, stored] : cases) {
        EXPECT_EQ(range.run(host, [text = typed](QDialog& d) {
            type(d, "Per", QString::fromLatin1(text));
            type(d, "Ct2", "-1e400"); // the boxes after Per are read too
            ok(d);
        }), host.with({{"Periodos", stored}, {"Cte2", -std::numeric_limits<float>::max()}})) << typed;
    }
}

TEST(RangeDialog, TheHostsTextIsCopiedIntoEachRecordAndCarriedThroughUnchanged)
{
    for (User answer : {ok, cancel, saveAsDefault, closeBox})
        EXPECT_EQ(range.run(host, answer)["ONH"], ZarvLinesParm::Variant(std::string("host text")));
    ZarvLinesParm::ZarvRangerParmClass r;
    std::string text = "abc";
    r.ONH(text);
    text[0] = 'X'; // the class keeps its own copy
    range.run({}, ok);
    r.ONH("later"); // and the working copy is not the parameter's
    EXPECT_EQ(r.ONH(), "abc");
}

TEST(RangeDialog, CaptionsAreLibraryWideSetOnEveryStartAndNeverRestoredByCancel)
{
    ZarvLinesParm::ZarvRangerParmClass r;
    const Values captioned = host.with({{"Caption", "abc"}, {"ExtendRightCaption", "to the right"}});
    for (User answer : {ok, cancel, saveAsDefault, closeBox}) {
        range.run(captioned, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("abc"));
            EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").text(), QStringLiteral("to the right"));
            answer(d);
        });
        EXPECT_EQ(r.Caption(), "abc");
        EXPECT_EQ(r.ExtendRightCaption(), "to the right");
    }
    // Set while the dialog is shown, a caption is not undone by Cancel.
    range.run(captioned, [&](QDialog& d) {
        r.Caption("changed");
        r.ExtendRightCaption("");
        cancel(d);
    });
    EXPECT_EQ(r.Caption(), "changed");
    EXPECT_EQ(r.ExtendRightCaption(), "");
    // The design title is always replaced, an empty caption included.
    range.run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString());
        EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").text(), QString());
        cancel(d);
    });
}

TEST(RangeDialog, TheCheckBoxTakesNonZeroAndGivesOneOrZero)
{
    const Values flagged = host.with({{"ExtendRight", -1}});
    EXPECT_EQ(range.run(flagged, ok), flagged.with({{"ExtendRight", 1}}));
    EXPECT_EQ(range.run(flagged, [](QDialog& d) {
        tick(d, "ExtendRight");
        EXPECT_EQ(chooseColour(d, "Cor3", 0x010203), 0xCC0000);
        ok(d);
    }), flagged.with({{"ExtendRight", 0}, {"Cor3", 0x010203}}));
    expectSwatchesEdit(range, host, {{"Cor1", "Cor1"}, {"Cor2", "Cor2"}, {"Cor3", "Cor3"}});
}
