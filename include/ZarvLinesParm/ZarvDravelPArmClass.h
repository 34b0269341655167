#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The Dravel lines tool: the colours of the external and the internal lines, and the two
/// factors the internal lines depend on.
class ZARVLINESPARM_EXPORT ZarvDravelPArmClass : public Object {
public:
    /// Colour `i` of the working record: 1 external, 2 internal lines; other indexes fail with
    /// error 9.
    std::int32_t Cor(std::int16_t i) const;
    void SaveDefault(std::int16_t S);
    /// 1 after "Save as Default".
    std::int16_t SaveDefault() const;
    /// Internal lines factor `i` (1 or 2) of the working record; other indexes fail with error 9.
    float V(std::int16_t i) const;
    /// Runs the dialog; "Save as Default" shows when `FDef` is non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);
    void Cor(std::int16_t i, std::int32_t S);
    void V(std::int16_t i, float S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
