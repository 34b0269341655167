#pragma once

// Members are declared once per class, as field objects bound to the class's records:
//
//     frame::Records<Record> records;
//     constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};    // Cor(1 To 2)
//     constexpr frame::Field fill{"Fill", records, &Record::Fill};
//
// The typed C++ members call them (`return cor.get(this, i);`), and the class's member table for late
// binding is built from the very same objects (`frame::property(cor)`, by `ToolClass`), so the index
// check, the type and the record field a name stands for exist in one place only. So does the
// thread check: every get and let fails with error 5, touching nothing, off the thread that owns
// the library.

#include "frame/Application.h"
#include "frame/NumberReading.h"
#include "frame/Records.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace ZarvLinesParm::frame {

template <class T>
inline constexpr bool isValueType = false;
template <>
inline constexpr bool isValueType<std::int16_t> = true;
template <>
inline constexpr bool isValueType<std::int32_t> = true;
template <>
inline constexpr bool isValueType<float> = true;
template <>
inline constexpr bool isValueType<std::string> = true;

template <class T>
constexpr ValueType valueTypeOf()
{
    static_assert(isValueType<T>, "a member's type is Int16, Int32, Float or String");
    if constexpr (std::is_same_v<T, std::int16_t>)
        return ValueType::Int16;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return ValueType::Int32;
    else if constexpr (std::is_same_v<T, float>)
        return ValueType::Float;
    else
        return ValueType::String;
}

/// A property on one field of the record: the getter reads the working record, the setter
/// writes the parameter record, so a value set is seen only after the next `Start`. A getter is
/// told the object it is called on: the view of a live preview reads the preview record.
template <class Record, class T>
class Field {
public:
    using Value = T;

    constexpr Field(std::string_view name, Records<Record>& records, T Record::*member)
        : name_(name), records_(&records), member_(member)
    {
    }

    constexpr std::string_view name() const { return name_; }
    T get(const Object* caller) const
    {
        requireOwningThread();
        return records_->readBy(caller).*member_;
    }
    void let(T value) const
    {
        requireOwningThread();
        records_->parameter.*member_ = std::move(value);
    }

private:
    std::string_view name_;
    Records<Record>* records_;
    T Record::*member_;
};

/// A property on an array field of the record, indexed from 1 like the record's arrays.
/// An index outside 1 to N fails with error 9 before anything is read or written.
template <class Record, class T, std::size_t N>
class ArrayField {
public:
    using Value = T;
    static constexpr std::int16_t first = 1;
    static constexpr std::int16_t last = static_cast<std::int16_t>(N);

    constexpr ArrayField(std::string_view name, Records<Record>& records, std::array<T, N> Record::*member)
        : name_(name), records_(&records), member_(member)
    {
    }

    constexpr std::string_view name() const { return name_; }
    T get(const Object* caller, std::int16_t i) const
    {
        requireOwningThread();
        return (records_->readBy(caller).*member_)[slot(i)];
    }
    void let(std::int16_t i, T value) const
    {
        requireOwningThread();
        (records_->parameter.*member_)[slot(i)] = std::move(value);
    }

private:
    static std::size_t slot(std::int16_t i)
    {
        if (i < first || i > last)
            throw Error(9);
        return static_cast<std::size_t>(i - first);
    }

    std::string_view name_;
    Records<Record>* records_;
    std::array<T, N> Record::*member_;
};

/// A 16-bit whole-number field that the interface carries as a float (a host may pass a set of
/// flags as a float): the getter gives the working value exactly as a float; the setter rounds to
/// the nearest whole number, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4), and fails
/// with error 6, keeping the old value, when that lies outside -32768 to 32767.
template <class Record>
class WholeAsFloatField {
public:
    using Value = float;

    constexpr WholeAsFloatField(std::string_view name, Records<Record>& records, std::int16_t Record::*member)
        : name_(name), records_(&records), member_(member)
    {
    }

    constexpr std::string_view name() const { return name_; }
    float get(const Object* caller) const
    {
        requireOwningThread();
        return static_cast<float>(records_->readBy(caller).*member_);
    }
    void let(float value) const
    {
        requireOwningThread();
        const std::optional<std::int16_t> whole = toWhole<std::int16_t>(value);
        if (!whole)
            throw Error(6);
        records_->parameter.*member_ = *whole;
    }

private:
    std::string_view name_;
    Records<Record>* records_;
    std::int16_t Record::*member_;
};

/// A library-wide string outside both records (a title, a caption): one value that the setter
/// and the getter share, whatever object calls. `Start` does not copy it and "Cancel" does not
/// restore it.
class LibraryText {
public:
    using Value = std::string;

    constexpr LibraryText(std::string_view name, std::string& storage) : name_(name), storage_(&storage) {}

    constexpr std::string_view name() const { return name_; }
    std::string get(const Object*) const
    {
        requireOwningThread();
        return *storage_;
    }
    void let(std::string value) const
    {
        requireOwningThread();
        *storage_ = std::move(value);
    }

private:
    std::string_view name_;
    std::string* storage_;
};

/// One entry of a class's member table. Late binding converts the arguments to the declared
/// types before it calls `get`, `let` or `call`, which then hold exactly those alternatives.
struct Member {
    MemberInfo info;
    std::function<Variant(const Object* caller, std::int16_t index)> get;
    std::function<void(std::int16_t index, const Variant& value)> let;
    std::function<Variant(const std::vector<Variant>& args)> call;
};

using MemberTable = std::vector<Member>;

/// The member of a property that takes no index: a `Field`, a `WholeAsFloatField` or a
/// `LibraryText`.
template <class Property, class T = typename Property::Value>
Member property(const Property& field)
{
    Member m;
    m.info = {std::string(field.name()), MemberInfo::Kind::Property, valueTypeOf<T>(), std::nullopt, {}};
    m.get = [field](const Object* caller, std::int16_t) { return Variant(field.get(caller)); };
    m.let = [field](std::int16_t, const Variant& value) { field.let(std::get<T>(value)); };
    return m;
}

template <class Record, class T, std::size_t N>
Member property(const ArrayField<Record, T, N>& field)
{
    using F = ArrayField<Record, T, N>;
    Member m;
    m.info = {
        std::string(field.name()), MemberInfo::Kind::Property, valueTypeOf<T>(), std::pair{F::first, F::last}, {}};
    m.get = [field](const Object* caller, std::int16_t i) { return Variant(field.get(caller, i)); };
    m.let = [field](std::int16_t i, const Variant& value) { field.let(i, std::get<T>(value)); };
    return m;
}

/// A method taking arguments of the types `Args...`, e.g.
/// `method<std::int16_t>("Start", [](std::int16_t fdef) { return Cls{}.Start(fdef); })`.
template <class... Args, class Call>
Member method(std::string_view name, Call call)
{
    Member m;
    m.info = {std::string(name), MemberInfo::Kind::Method, ValueType::Int16, std::nullopt, {valueTypeOf<Args>()...}};
    m.call = [call](const std::vector<Variant>& args) {
        return [&]<std::size_t... I>(std::index_sequence<I...>) { return Variant(call(std::get<Args>(args[I])...)); }
        (std::index_sequence_for<Args...>{});
    };
    return m;
}

/// The type a late-bound argument arrives as for a parameter of type `T`: a string view's as a string.
template <class T>
using Held = std::conditional_t<std::is_same_v<T, std::string_view>, std::string, T>;

/// `Start` of the class `Cls` as a late-bound method, called on an object made for the call.
template <class Cls, class... Params>
Member startMethod(Variant (Cls::*start)(Params...))
{
    return method<Held<Params>...>("Start", [start](const Held<Params>&... args) { return (Cls{}.*start)(args...); });
}

} // namespace ZarvLinesParm::frame
