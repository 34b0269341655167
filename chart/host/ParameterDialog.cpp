#include "chart/host/ParameterDialog.h"

#include "chart/host/ToolClass.h"

#include <ZarvLinesParm/Object.h>

namespace zarvchart {

using ZarvLinesParm::Invoke;

EditedParameters editParameters(const ToolKind& kind, const QVariantMap& parameters, const PreviewSink& preview)
{
    (void)preview;
    const ToolClass& tool = ToolClass::of(kind);
    const auto object = ZarvLinesParm::CreateObject(kind.progId.toStdString());
    tool.write(*object, parameters);
    object->invoke("Start", Invoke::Method, tool.startArguments(1));
    EditedParameters edited;
    edited.parameters = tool.read(*object);
    const bool saved = std::get<std::int16_t>(object->invoke("SaveDefault", Invoke::Get, {})) != 0;
    using Ending = EditedParameters::Ending;
    edited.ending = saved ? Ending::SaveAsDefault : edited.parameters == parameters ? Ending::Cancel : Ending::Ok;
    return edited;
}

} // namespace zarvchart
