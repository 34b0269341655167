// The live preview: what a host's handler sees while the user edits, and when Start ends, in C++
// and through the C interface; a handler that misbehaves.

#include "support/ModalDriver.h"
#include "support/ToolDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

// A few typed getters of each class's view, by the names late binding gives them.
Values typedRead(const Object& view)
{
    if (const auto* c = dynamic_cast<const RetracementParmClass*>(&view))
        return {{"V(1)", c->V(1)}, {"Extend", c->Extend()}};
    if (const auto* c = dynamic_cast<const ZarvArcsParmClass*>(&view))
        return {{"V(2)", c->V(2)}, {"FullCircle", c->FullCircle()}};
    if (const auto* c = dynamic_cast<const ZarvRangerParmClass*>(&view))
        return {{"Periodos", c->Periodos()}, {"Cte2", c->Cte2()}};
    if (const auto* c = dynamic_cast<const ZarvExpParmClass*>(&view))
        return {{"V(1)", c->V(1)}, {"FExpShow", c->FExpShow()}};
    if (const auto* c = dynamic_cast<const zarvFanParmClass*>(&view))
        return {{"FanShow", c->FanShow()}, {"Cor(1)", c->Cor(1)}};
    if (const auto* c = dynamic_cast<const ZarvForkParmClass*>(&view))
        return {{"ForkShow", c->ForkShow()}};
    if (const auto* c = dynamic_cast<const ZarvDravelPArmClass*>(&view))
        return {{"V(2)", c->V(2)}};
    if (const auto* c = dynamic_cast<const GannSQ9ParmClass*>(&view))
        return {{"Step", c->Step()}, {"Price", c->Price()}};
    if (const auto* c = dynamic_cast<const ZarvGannParmClass*>(&view))
        return {{"NZones", c->NZones()}};
    if (const auto* c = dynamic_cast<const GannFanParmClass*>(&view))
        return {{"V(6)", c->V(6)}};
    if (const auto* c = dynamic_cast<const ZarvLeastSquareClass*>(&view))
        return {{"V(1)", c->V(1)}, {"UseToCalc", c->UseToCalc()}};
    const auto& c = dynamic_cast<const CircleElipseCls&>(view); // a new class needs its line above
    return {{"Fill", c.Fill()}, {"Cor(1)", c.Cor(1)}};
}

// A user who, in one go, changes every other kind of control once: a colour in the first swatch,
// a number in each value box, the last option, the third entry of a list.
void editEverythingElse(QDialog& d)
{
    if (const auto swatches = d.findChildren<frame::Swatch*>(); !swatches.isEmpty())
        chooseColour(d, swatches.front()->objectName(), 0x123456);
    double number = 1;
    for (QLineEdit* box : d.findChildren<QLineEdit*>())
        if (box->isVisibleTo(&d) && !qobject_cast<QComboBox*>(box->parentWidget()))
            typeInto(*box, QString::number(number += 0.25));
    if (const auto options = d.findChildren<QRadioButton*>(); !options.isEmpty())
        click(*options.back());
    for (QComboBox* list : d.findChildren<QComboBox*>())
        chooseEntry(*list, 2);
}

struct Call {
    PreviewStage stage;
    Values view; // every getter of the view, late-bound
    Values typed; // a few of them, typed
    int startError; // what Start on the view fails with
};

const Values retracement{{"Cor(1)", 255}, {"Extend", 0},  {"Numbers", 1}, {"SaveDefault", 0}, {"V(1)", 0.5f},
                         {"V(2)", 1.0f},  {"V(3)", 1.5f}, {"V(4)", 2.0f}, {"V(5)", 2.5f},     {"V(6)", 3.0f}};
const Tool retracementTool{"ZarvLinesParm.RetracementParmClass"};

} // namespace

// Each check box clicked alone is an edit the handler hears of; then every other control at once.
// A handler that starts its own class and then throws leaves the dialog working all the same.
TEST(Preview, TheViewReadsWhatOkWouldStoreInEveryClass)
{
    static QStringList warnings;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings.append(text);
        });
    qsizetype handled = 0;
    for (const std::string& progId : ProgIds()) {
        std::vector<Call> calls;
        SetPreviewHandler(progId, [&](Object& view, PreviewStage stage) {
            calls.push_back({stage, readAll(view), typedRead(view), errorOf([&] { start(view, 0); })});
            throw std::runtime_error("the chart could not redraw");
        });
        std::size_t heard = 0; // calls so far
        const Values after = Tool{progId}.run({}, [&](QDialog& d) {
            for (QCheckBox* box : d.findChildren<QCheckBox*>())
                if (box->isVisibleTo(&d)) {
                    click(*box);
                    EXPECT_TRUE(QTest::qWaitFor([&] { return calls.size() > heard; }))
                        << progId << " " << box->objectName().toStdString();
                    heard = calls.size();
                }
            editEverythingElse(d);
            EXPECT_TRUE(QTest::qWaitFor([&] { return calls.size() > heard; })) << progId;
            ok(d);
        });
        SetPreviewHandler(progId, nullptr);

        // Every other edit came within one pass of the event loop: one call, then the last one.
        ASSERT_EQ(calls.size(), heard + 2) << progId;
        for (const Call& call : calls) {
            EXPECT_EQ(call.stage, &call == &calls.back() ? PreviewStage::Ok : PreviewStage::Editing) << progId;
            EXPECT_EQ(call.startError, 400) << progId;
        }
        for (const Call& call : {calls[heard], calls.back()}) {
            EXPECT_EQ(call.view, after) << progId;
            for (const auto& [name, value] : call.typed)
                EXPECT_TRUE(sameValue(value, after.at(name))) << progId << " " << name;
        }
        handled += qsizetype(calls.size());
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings.filter(QStringLiteral("the chart could not redraw")).size(), handled)
        << warnings.join('\n').toStdString();
}

TEST(Preview, TheLastCallSaysHowStartEndedAndOtherObjectsReadTheWorkingRecord)
{
    const struct {
        User end;
        PreviewStage stage;
        float v1After;
    } endings[] = {
        {ok, PreviewStage::Ok, 0.75f},
        {saveAsDefault, PreviewStage::SaveAsDefault, 0.75f},
        {cancel, PreviewStage::Cancel, 0.5f},
        {closeBox, PreviewStage::Closed, 0.5f},
    };
    for (const auto& ending : endings) {
        std::vector<std::pair<PreviewStage, float>> view, other;
        SetPreviewHandler<RetracementParmClass>([&](const RetracementParmClass& v, PreviewStage stage) {
            view.emplace_back(stage, v.V(1));
            other.emplace_back(stage, RetracementParmClass{}.V(1));
        });
        retracementTool.run(retracement, [&](QDialog& d) {
            chooseColour(d, "Cor1(0)", 0x00FF00);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !view.empty(); }));
            // Checked and cleared again within one pass: "OK" would store what it did, no call.
            tick(d, "Extend");
            tick(d, "Extend");
            QCoreApplication::processEvents();
            type(d, "V(0)", "0.75");
            EXPECT_TRUE(QTest::qWaitFor([&] { return view.size() == 2; }));
            ending.end(d);
        });
        using Seen = std::vector<std::pair<PreviewStage, float>>;
        const PreviewStage editing = PreviewStage::Editing;
        EXPECT_EQ(view, (Seen{{editing, 0.5f}, {editing, 0.75f}, {ending.stage, ending.v1After}}));
        EXPECT_EQ(other, (Seen{{editing, 0.5f}, {editing, 0.5f}, {ending.stage, ending.v1After}}));
    }
    SetPreviewHandler<RetracementParmClass>(nullptr);
    EXPECT_EQ(errorOf([] { SetPreviewHandler("ZarvLinesParm.NoSuchClass", {}); }), 429);
}

namespace {

struct SeenFromC {
    std::vector<std::int32_t> stages;
    std::vector<float> v1;
    zlp_object* view = nullptr;
};

void recordFromC(zlp_object* view, std::int32_t stage, void* context)
{
    auto& seen = *static_cast<SeenFromC*>(context);
    const zlp_variant one{ZLP_INT16, {.i16 = 1}};
    zlp_variant v1{};
    EXPECT_EQ(zlp_get(view, "V", &one, 1, &v1), ZLP_OK);
    seen.stages.push_back(stage);
    seen.v1.push_back(v1.value.f32);
    seen.view = view;
}

} // namespace

// The stages a C host sees to the end are the PyQt6 host's test. The library may not be unloaded
// while a Start runs, even once the host let go of every handle.
TEST(Preview, TheCInterfaceHandsTheHandlerAHandleValidDuringTheCallAndStartHoldsTheLibrary)
{
    const char* const progId = "zarvlinesparm.retracementparmclass";
    SeenFromC seen;
    ASSERT_EQ(zlp_set_preview_handler(progId, recordFromC, &seen), ZLP_OK);
    zlp_object* tool = nullptr;
    ASSERT_EQ(zlp_create(progId, &tool), ZLP_OK);
    zlp_status duringStart = -1;
    whenModal({}, [&](QDialog& d) {
        type(d, "V(0)", "0.75");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.stages.empty(); }));
        // Removed while the dialog shows: "OK" calls nothing.
        EXPECT_EQ(zlp_set_preview_handler(progId, nullptr, nullptr), ZLP_OK);
        EXPECT_EQ(zlp_release(tool), ZLP_OK);
        duringStart = DllCanUnloadNow();
        ok(d);
    });
    const zlp_variant fdef{ZLP_INT16, {.i16 = 0}}, one{ZLP_INT16, {.i16 = 1}};
    EXPECT_EQ(zlp_call(tool, "Start", &fdef, 1, nullptr), ZLP_OK);
    EXPECT_EQ(duringStart, ZLP_FALSE);
    EXPECT_EQ(seen.stages, (std::vector<std::int32_t>{ZLP_PREVIEW_EDITING}));
    EXPECT_EQ(seen.v1, (std::vector<float>{0.75f}));
    zlp_variant v1{};
    EXPECT_EQ(zlp_get(seen.view, "V", &one, 1, &v1), 91);

    EXPECT_EQ(zlp_set_preview_handler("ZarvLinesParm.NoSuchClass", recordFromC, &seen), 429);
    EXPECT_EQ(zlp_set_preview_handler(nullptr, recordFromC, &seen), 5);
    EXPECT_EQ(DllCanUnloadNow(), ZLP_OK); // no view handle left behind
}
