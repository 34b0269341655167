// The C interface and the in-process server entry points. Objects and factories are handed out
// as numbers from a table rather than as pointers, so a handle that is null, released or made
// up is found out before anything is touched; no C++ exception leaves these functions.

#include "frame/Application.h"
#include "frame/ClassRegistry.h"
#include "frame/component/Component.h"

#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Preview.h>
#include <ZarvLinesParm/Types.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace ZarvLinesParm::frame::component {
namespace {

// Trivially destructible, so the C library need not keep this library loaded for the sake of
// thread-exit destructors.
thread_local std::int32_t lastNumber = 0;
thread_local char lastText[1024] = "";
thread_local char lastDetail[1024] = "";
thread_local char tableText[1024] = "";

// Copies `text` into `kept`; what does not fit is cut off before the UTF-8 character it would
// split, so that what a host reads always decodes.
void keep(char (&kept)[1024], const char* text) noexcept
{
    std::size_t length = std::strlen(text);
    if (length >= sizeof kept) {
        length = sizeof kept - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) // 10xxxxxx
            --length;
    }
    std::memcpy(kept, text, length);
    kept[length] = '\0';
}

zlp_status report(std::int32_t number, const char* text, const char* detail) noexcept
{
    lastNumber = number;
    keep(lastText, text);
    keep(lastDetail, detail);
    return number;
}

template <class Body>
zlp_status guarded(Body&& body) noexcept
{
    try {
        body();
        return report(ZLP_OK, "", "");
    } catch (const Error& e) {
        return report(e.number(), e.what(), e.detail());
    } catch (const std::bad_alloc&) {
        return report(7, Error::standardText(7).c_str(), "");
    } catch (const std::exception& e) {
        return report(51, Error::standardText(51).c_str(), e.what());
    } catch (...) {
        return report(51, Error::standardText(51).c_str(), "");
    }
}

class Handles {
public:
    std::uintptr_t addObject(std::shared_ptr<Object> object)
    {
        std::lock_guard lock(mutex_);
        const std::uintptr_t h = fresh();
        objects_.emplace(h, std::move(object));
        return h;
    }

    std::uintptr_t addFactory(const ClassEntry* entry)
    {
        std::lock_guard lock(mutex_);
        const std::uintptr_t h = fresh();
        factories_.emplace(h, entry);
        return h;
    }

    // A copy keeps the object alive through a call that releases its own handle (from inside
    // a dialog's event loop, say).
    std::shared_ptr<Object> object(const void* handle)
    {
        std::lock_guard lock(mutex_);
        const auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == objects_.end())
            throw Error(91, "not a live object handle");
        return it->second;
    }

    const ClassEntry* factory(const void* handle)
    {
        std::lock_guard lock(mutex_);
        const auto it = factories_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == factories_.end())
            throw Error(91, "not a live factory handle");
        return it->second;
    }

    void releaseObject(const void* handle)
    {
        std::shared_ptr<Object> last;
        {
            std::lock_guard lock(mutex_);
            const auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
            if (it == objects_.end())
                throw Error(91, "not a live object handle");
            last = std::move(it->second);
            objects_.erase(it);
        }
    }

    // Drops a handle that may be gone already (a host may release it itself).
    void forget(std::uintptr_t handle)
    {
        std::lock_guard lock(mutex_);
        objects_.erase(handle);
    }

    void releaseFactory(const void* handle)
    {
        std::lock_guard lock(mutex_);
        if (factories_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0)
            throw Error(91, "not a live factory handle");
    }

    void lock(bool take)
    {
        std::lock_guard lock(mutex_);
        if (take)
            ++locks_;
        else if (locks_ == 0)
            throw Error(5, "no lock is held");
        else
            --locks_;
    }

    bool idle()
    {
        std::lock_guard lock(mutex_);
        return objects_.empty() && factories_.empty() && locks_ == 0;
    }

private:
    // Never reused, and never a small number a host might pass by mistake.
    std::uintptr_t fresh() { return next_ += 16; }

    std::mutex mutex_;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Object>> objects_;
    std::unordered_map<std::uintptr_t, const ClassEntry*> factories_;
    std::uintptr_t next_ = 0x10000;
    std::size_t locks_ = 0;
};

Handles& handles()
{
    static Handles table;
    return table;
}

template <class T>
T& out(T* pointer)
{
    if (!pointer)
        throw Error(5, "a null pointer for the result");
    return *pointer;
}

const char* text(const char* s, const char* what)
{
    if (!s)
        throw Error(5, std::string("a null string for the ") + what);
    return s;
}

Variant fromC(const zlp_variant& v)
{
    switch (v.type) {
    case ZLP_EMPTY: return std::monostate{};
    case ZLP_INT16: return v.value.i16;
    case ZLP_INT32: return v.value.i32;
    case ZLP_FLOAT: return v.value.f32;
    case ZLP_DOUBLE: return v.value.f64;
    case ZLP_STRING: return std::string(text(v.value.str, "string value"));
    }
    throw Error(13, "a value of unknown type " + std::to_string(v.type));
}

// malloc'd, so that any language can hand it back to zlp_variant_clear or zlp_free.
char* copyOut(const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy)
        throw std::bad_alloc();
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

zlp_variant toC(const Variant& value)
{
    zlp_variant v{};
    std::visit(
        [&](const auto& x) {
            using X = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<X, std::monostate>) {
                v.type = ZLP_EMPTY;
            } else if constexpr (std::is_same_v<X, std::int16_t>) {
                v.type = ZLP_INT16;
                v.value.i16 = x;
            } else if constexpr (std::is_same_v<X, std::int32_t>) {
                v.type = ZLP_INT32;
                v.value.i32 = x;
            } else if constexpr (std::is_same_v<X, float>) {
                v.type = ZLP_FLOAT;
                v.value.f32 = x;
            } else if constexpr (std::is_same_v<X, double>) {
                v.type = ZLP_DOUBLE;
                v.value.f64 = x;
            } else {
                v.type = ZLP_STRING;
                v.value.str = copyOut(x);
            }
        },
        value);
    return v;
}

zlp_status invokeFromC(zlp_object* object, const char* member, const zlp_variant* args, std::size_t count,
                       zlp_variant* result, Invoke kind)
{
    return guarded([&] {
        const std::shared_ptr<Object> target = handles().object(object);
        const std::string name = text(member, "member name");
        if (count > 0 && !args)
            throw Error(5, "a null argument list");
        std::vector<Variant> arguments;
        arguments.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            arguments.push_back(fromC(args[i]));
        const Variant value = target->invoke(name, kind, arguments);
        if (result)
            *result = toC(value);
    });
}

const ClassEntry* classAt(std::size_t index)
{
    const std::vector<const ClassEntry*> classes = allClasses();
    if (index >= classes.size())
        throw Error(9, "class " + std::to_string(index) + " of " + std::to_string(classes.size()));
    return classes[index];
}

} // namespace
} // namespace ZarvLinesParm::frame::component

using namespace ZarvLinesParm;
using namespace ZarvLinesParm::frame::component;

extern "C" {

zlp_status DllGetClassObject(const char* classId, zlp_factory** factory)
{
    return guarded([&] {
        const std::string name = text(classId, "class identifier");
        zlp_factory*& result = out(factory);
        const frame::ClassEntry* entry = nullptr;
        if (const std::optional<std::string> progId = progIdOfClassId(name))
            entry = frame::findClass(*progId);
        else
            entry = frame::findClass(name);
        if (!entry)
            throw Error(429, name);
        result = reinterpret_cast<zlp_factory*>(handles().addFactory(entry));
    });
}

zlp_status DllCanUnloadNow(void)
{
    bool idle = false;
    // When in doubt, stay loaded.
    const auto check = [&] { idle = handles().idle() && !frame::ownsApplication() && frame::startsRunning == 0; };
    if (guarded(check) != ZLP_OK)
        return ZLP_FALSE;
    return idle ? ZLP_OK : ZLP_FALSE;
}

zlp_status DllRegisterServer(void)
{
    return guarded([] { registerServer(); });
}

zlp_status DllUnregisterServer(void)
{
    return guarded([] { unregisterServer(); });
}

zlp_status zlp_factory_create(zlp_factory* factory, zlp_object** object)
{
    return guarded([&] {
        const frame::ClassEntry* entry = handles().factory(factory);
        zlp_object*& result = out(object);
        result = reinterpret_cast<zlp_object*>(handles().addObject(entry->create()));
    });
}

zlp_status zlp_factory_lock(zlp_factory* factory, int32_t lock)
{
    return guarded([&] {
        handles().factory(factory);
        handles().lock(lock != 0);
    });
}

zlp_status zlp_factory_release(zlp_factory* factory)
{
    return guarded([&] { handles().releaseFactory(factory); });
}

zlp_status zlp_create(const char* progId, zlp_object** object)
{
    return guarded([&] {
        const std::string name = text(progId, "ProgID");
        zlp_object*& result = out(object);
        result = reinterpret_cast<zlp_object*>(handles().addObject(CreateObject(name)));
    });
}

zlp_status zlp_release(zlp_object* object)
{
    return guarded([&] { handles().releaseObject(object); });
}

zlp_status zlp_get(zlp_object* object, const char* member, const zlp_variant* args, size_t count, zlp_variant* result)
{
    return invokeFromC(object, member, args, count, result, Invoke::Get);
}

zlp_status zlp_let(zlp_object* object, const char* member, const zlp_variant* args, size_t count)
{
    return invokeFromC(object, member, args, count, nullptr, Invoke::Let);
}

zlp_status zlp_call(zlp_object* object, const char* member, const zlp_variant* args, size_t count, zlp_variant* result)
{
    return invokeFromC(object, member, args, count, result, Invoke::Method);
}

zlp_status zlp_variant_clear(zlp_variant* value)
{
    return guarded([&] {
        zlp_variant& v = out(value);
        if (v.type == ZLP_STRING)
            std::free(const_cast<char*>(v.value.str));
        v = zlp_variant{};
    });
}

zlp_status zlp_class_count(size_t* count)
{
    return guarded([&] { out(count) = frame::allClasses().size(); });
}

zlp_status zlp_class_progid(size_t index, const char** progId)
{
    return guarded([&] {
        const char*& result = out(progId);
        result = classAt(index)->progId.c_str();
    });
}

zlp_status zlp_class_id(size_t index, const char** classId)
{
    return guarded([&] {
        const char*& result = out(classId);
        result = classAt(index)->classId.c_str();
    });
}

zlp_status zlp_describe(const char* progId, char** json)
{
    return guarded([&] {
        const std::string name = text(progId, "ProgID");
        char*& result = out(json);
        result = copyOut(describeJson(name));
    });
}

zlp_status zlp_free(void* text)
{
    return guarded([&] { std::free(text); });
}

zlp_status zlp_set_preview_handler(const char* progId, zlp_preview_handler handler, void* context)
{
    return guarded([&] {
        const std::string name = text(progId, "ProgID");
        PreviewHandler forwarded;
        if (handler) {
            forwarded = [handler, context](Object& view, PreviewStage stage) {
                // A handle that owns nothing and lives as long as this call: the view is the preview's.
                const std::uintptr_t h = handles().addObject(std::shared_ptr<Object>(std::shared_ptr<Object>(), &view));
                struct Forget {
                    std::uintptr_t h;
                    ~Forget() { handles().forget(h); }
                } forget{h};
                handler(reinterpret_cast<zlp_object*>(h), static_cast<int32_t>(stage), context);
            };
        }
        SetPreviewHandler(name, std::move(forwarded));
    });
}

int32_t zlp_last_error_number(void) { return lastNumber; }

const char* zlp_last_error_text(void) { return lastText; }

const char* zlp_last_error_detail(void) { return lastDetail; }

const char* zlp_error_text(int32_t number)
{
    try {
        keep(tableText, Error::standardText(number).c_str());
    } catch (...) {
        tableText[0] = '\0'; // out of memory for a short string: no text rather than a throw into C
    }
    return tableText;
}

} // extern "C"
