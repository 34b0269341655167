#pragma once

// What every tool's class has in common, so that its file says only what is its own: the record
// and its fields, and one line that enters the class with its name, its class identifier, its
// dialog and its members in their published order:
//
//     frame::Records<Record> records;
//     constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
//     constexpr frame::Field fill{"Fill", records, &Record::Fill};
//     constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
//
//     const frame::ToolClass<CircleElipseCls, shapes::CircleElipseDialog> tool{
//         "CircleElipseCls", "{7EFD7251-C3D8-44CC-9131-7A807D4BBC0D}", records, cor, fill, saveDefault, frame::Start};
//
// The class's typed members then forward, each in one line: a property to its field
// (`return fill.get(this);`), and `Start`, `invoke` and `progId` to the tool (`tool.start(FDef)`,
// `tool.invoke(this, member, kind, args)`, `tool.progId()`).

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"

#include <ZarvLinesParm/Object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ZarvLinesParm::frame {

/// Where `Start` stands among a class's members.
inline constexpr struct StartMember {
} Start;

/// A tool's class `Cls`, whose dialog is `Dialog` (a `RecordDialog`), entered in the class table
/// when the library is loaded. An object of static storage in the class's own file.
template <class Cls, class Dialog>
class ToolClass {
public:
    using Record = typename Dialog::Record;

    /// `members` are the class's properties (fields of `records`, library-wide texts) and
    /// `frame::Start`, in the order `Describe` lists them.
    template <class... Members>
    ToolClass(std::string_view className, std::string_view classId, Records<Record>& records, const Members&... members)
        : records_(records), members_{member(members)...},
          entry_(
              registerClass({progIdOf(className), std::string(classId), &create, &members_, &records.previewHandler}))
    {
        records.makeView = &create;
    }

    ToolClass(const ToolClass&) = delete;
    ToolClass& operator=(const ToolClass&) = delete;

    std::string progId() const { return entry_.progId; }

    /// Late binding on `caller`, an object of the class.
    Variant invoke(const Object* caller, std::string_view name, Invoke kind, const std::vector<Variant>& args) const
    {
        return frame::invoke(members_, caller, name, kind, args);
    }

    /// `Start`: the dialog made from the records and `dialogArgs` (the texts it takes from the host).
    template <class... DialogArgs>
    Variant start(std::int16_t FDef, DialogArgs&&... dialogArgs) const
    {
        return frame::start<Dialog>(records_, FDef, std::forward<DialogArgs>(dialogArgs)...);
    }

private:
    static std::unique_ptr<Object> create() { return std::make_unique<Cls>(); }

    template <class Property>
    static Member member(const Property& p)
    {
        return property(p);
    }
    static Member member(StartMember) { return startMethod(&Cls::Start); }

    Records<Record>& records_;
    const MemberTable members_;
    const ClassEntry& entry_;
};

} // namespace ZarvLinesParm::frame
