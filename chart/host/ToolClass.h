#pragma once

// What the chart knows of a tool's parameter class, learnt from the library's own description
// of it: the parameters a drawing keeps (one for each property and index, "V(1)" to "V(6)"),
// their types, and how Start is called. Values cross between drawings and the class here and
// nowhere else.

#include "chart/model/ChartError.h"
#include "chart/model/ChartTypes.h"
#include "chart/tools/ToolKinds.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarvchart {

class ToolClass {
public:
    struct Parameter {
        QString key; ///< "V(1)", "Extend"
        std::string member; ///< "V", "Extend"
        std::optional<std::int16_t> index;
        ZarvLinesParm::ValueType type = ZarvLinesParm::ValueType::Int16;
    };

    /// The class of `kind`, described once and kept. A class the library does not know throws
    /// ZarvLinesParm::Error 429.
    static const ToolClass& of(const ToolKind& kind);

    const ToolKind& kind() const { return *kind_; }
    const std::vector<Parameter>& parameters() const { return parameters_; }

    /// `values` typed as the class types them (int, float, QString) with every parameter there:
    /// one missing takes the kind's built-in default, or zero. A key that is no parameter, or a
    /// value of the wrong kind or out of its type's range, is a ChartError.
    QVariantMap typed(const QVariantMap& values) const;

    /// Lets every parameter of `values` (typed) into `object`, SaveDefault 0, and the dialog's
    /// title where the class takes it from the host.
    void write(ZarvLinesParm::Object& object, const QVariantMap& values) const;
    /// Every parameter as `object`'s getters return it.
    QVariantMap read(ZarvLinesParm::Object& object) const;
    /// Start's arguments: `fdef`, and the title where Start takes one.
    std::vector<ZarvLinesParm::Variant> startArguments(std::int16_t fdef) const;

private:
    explicit ToolClass(const ToolKind& kind);

    const ToolKind* kind_;
    std::vector<Parameter> parameters_;
    bool hasCaption_ = false;
    bool startTakesCaption_ = false;
};

/// Why the library cannot give the class of `kind` ("error 429: Can't create object"), or empty
/// when it can: a library older or newer than the chart may lack a class.
QString unavailable(const ToolKind& kind);

/// `drawing` with its kind's ProgID as the library spells it and its parameters typed; an
/// unknown tool, the wrong number of anchors or a bad parameter is a ChartError. A drawing whose
/// class the library lacks keeps its parameters as they are.
Drawing checkedDrawing(const Drawing& drawing);

} // namespace zarvchart
