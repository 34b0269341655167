#include "chart/host/ParameterDialog.h"

#include "chart/host/ToolClass.h"

#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Preview.h>

namespace zarvchart {

using ZarvLinesParm::Invoke;
using ZarvLinesParm::PreviewStage;
using Ending = EditedParameters::Ending;

namespace {

Ending endingOf(PreviewStage stage)
{
    switch (stage) {
    case PreviewStage::Ok: return Ending::Ok;
    case PreviewStage::SaveAsDefault: return Ending::SaveAsDefault;
    case PreviewStage::Closed: return Ending::Closed;
    default: return Ending::Cancel;
    }
}

/// The class's preview handler for as long as one dialog runs: it refers to that call's locals.
class PreviewWhileOpen {
public:
    PreviewWhileOpen(std::string progId, ZarvLinesParm::PreviewHandler handler) : progId_(std::move(progId))
    {
        ZarvLinesParm::SetPreviewHandler(progId_, std::move(handler));
    }
    ~PreviewWhileOpen() { ZarvLinesParm::SetPreviewHandler(progId_, {}); }
    PreviewWhileOpen(const PreviewWhileOpen&) = delete;
    PreviewWhileOpen& operator=(const PreviewWhileOpen&) = delete;

private:
    std::string progId_;
};

} // namespace

EditedParameters editParameters(const ToolKind& kind, const QVariantMap& parameters, const PreviewSink& preview)
{
    const ToolClass& tool = ToolClass::of(kind);
    const std::string progId = kind.progId.toStdString();
    const auto object = ZarvLinesParm::CreateObject(progId);
    tool.write(*object, parameters);

    // The dialog's last word says how it ended; a Start that fails before showing it says none,
    // and then nothing has changed.
    EditedParameters edited{Ending::Cancel, parameters};
    const PreviewWhileOpen watching(progId, [&](ZarvLinesParm::Object& view, PreviewStage stage) {
        if (stage != PreviewStage::Editing)
            edited.ending = endingOf(stage);
        else if (preview)
            preview(tool.read(view));
    });
    object->invoke("Start", Invoke::Method, tool.startArguments(1));
    if (edited.ending == Ending::Ok || edited.ending == Ending::SaveAsDefault)
        edited.parameters = tool.read(*object);
    return edited;
}

} // namespace zarvchart
