#pragma once

// Creating a class by its ProgID through the per-user component registry, for a host that does
// not link the component: the registry names the library file, which is loaded at run time,
// asked for a factory through DllGetClassObject, and unloaded again once the last object made
// from it is released and DllCanUnloadNow allows it. Header-only; link with the C library's
// dynamic loading (-ldl on old C libraries) and nothing else.
//
//     auto circle = ZarvLinesParm::loader::CreateObjectFromRegistry("ZarvLinesParm.CircleElipseCls");
//     circle->let("Fill", {std::int16_t{1}});
//     circle->call("Start", {std::int16_t{1}, std::string("Ellipse")});
//     std::int16_t fill = std::get<std::int16_t>(circle->get("Fill"));

#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Types.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <dlfcn.h>

namespace ZarvLinesParm::loader {

/// A failed load or call: the component's error number (429 when the class cannot be found or
/// loaded) and its text.
class ComponentError : public std::runtime_error {
public:
    ComponentError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

namespace detail {

inline bool sameLetters(std::string_view a, std::string_view b)
{
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

/// One loaded library file, shared by every object made from it.
class Module {
public:
    Module(const std::string& path) : path_(path)
    {
        handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* why = ::dlerror();
            throw ComponentError(429, "cannot load " + path + ": " + (why ? why : "unknown reason"));
        }
        try {
            bind(getClassObject, "DllGetClassObject");
            bind(canUnloadNow, "DllCanUnloadNow");
            bind(factoryCreate, "zlp_factory_create");
            bind(factoryRelease, "zlp_factory_release");
            bind(release, "zlp_release");
            bind(get, "zlp_get");
            bind(let, "zlp_let");
            bind(call, "zlp_call");
            bind(variantClear, "zlp_variant_clear");
            bind(errorText, "zlp_last_error_text");
        } catch (...) {
            ::dlclose(handle_);
            throw;
        }
    }

    // The library decides: while it still has objects, factories, locks, or state that outlives
    // them, it stays loaded for the rest of the process.
    ~Module()
    {
        if (canUnloadNow() == ZLP_OK)
            ::dlclose(handle_);
    }

    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    /// Throws the library's last error unless `status` is ZLP_OK.
    void check(zlp_status status) const
    {
        if (status != ZLP_OK)
            throw ComponentError(status, errorText());
    }

    const std::string& path() const { return path_; }

    decltype(&::DllGetClassObject) getClassObject = nullptr;
    decltype(&::DllCanUnloadNow) canUnloadNow = nullptr;
    decltype(&::zlp_factory_create) factoryCreate = nullptr;
    decltype(&::zlp_factory_release) factoryRelease = nullptr;
    decltype(&::zlp_release) release = nullptr;
    decltype(&::zlp_get) get = nullptr;
    decltype(&::zlp_let) let = nullptr;
    decltype(&::zlp_call) call = nullptr;
    decltype(&::zlp_variant_clear) variantClear = nullptr;
    decltype(&::zlp_last_error_text) errorText = nullptr;

private:
    template <class F>
    void bind(F& function, const char* name)
    {
        function = reinterpret_cast<F>(::dlsym(handle_, name));
        if (!function)
            throw ComponentError(429, path_ + " is no component: it lacks " + name);
    }

    std::string path_;
    void* handle_ = nullptr;
};

/// The loaded module of `path`, loading it when no object holds it.
inline std::shared_ptr<Module> moduleFor(const std::string& path)
{
    static std::mutex mutex;
    static std::map<std::string, std::weak_ptr<Module>> loaded;
    std::lock_guard lock(mutex);
    if (std::shared_ptr<Module> module = loaded[path].lock())
        return module;
    auto module = std::make_shared<Module>(path);
    loaded[path] = module;
    return module;
}

inline zlp_variant toC(const Variant& value)
{
    zlp_variant v{};
    std::visit([&](const auto& x) {
        using X = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<X, std::monostate>) { v.type = ZLP_EMPTY; }
        else if constexpr (std::is_same_v<X, std::int16_t>) { v.type = ZLP_INT16; v.value.i16 = x; }
        else if constexpr (std::is_same_v<X, std::int32_t>) { v.type = ZLP_INT32; v.value.i32 = x; }
        else if constexpr (std::is_same_v<X, float>) { v.type = ZLP_FLOAT; v.value.f32 = x; }
        else if constexpr (std::is_same_v<X, double>) { v.type = ZLP_DOUBLE; v.value.f64 = x; }
        else { v.type = ZLP_STRING; v.value.str = x.c_str(); }
    }, value);
    return v;
}

} // namespace detail

/// An object of a class that lives in a library loaded through the registry. Late-bound, like
/// ZarvLinesParm::Object: get (the index, if any), let (the index, if any, then the value) and
/// call (a method's arguments). Failures throw ComponentError with the library's number.
class ComponentObject {
public:
    ComponentObject(std::shared_ptr<detail::Module> module, zlp_object* object, std::string progId)
        : module_(std::move(module)), object_(object), progId_(std::move(progId)) {}

    // Released before the module goes, so that DllCanUnloadNow can say yes.
    ~ComponentObject() { module_->release(object_); }

    ComponentObject(const ComponentObject&) = delete;
    ComponentObject& operator=(const ComponentObject&) = delete;

    Variant get(std::string_view member, const std::vector<Variant>& args = {})
    {
        return invoke(module_->get, member, args);
    }

    void let(std::string_view member, const std::vector<Variant>& args)
    {
        const std::string name(member);
        const std::vector<zlp_variant> in = toC(args);
        module_->check(module_->let(object_, name.c_str(), in.data(), in.size()));
    }

    Variant call(std::string_view member, const std::vector<Variant>& args = {})
    {
        return invoke(module_->call, member, args);
    }

    /// The ProgID as the registry spells it.
    const std::string& progId() const { return progId_; }

    /// The library file the object lives in.
    const std::string& libraryPath() const { return module_->path(); }

private:
    static std::vector<zlp_variant> toC(const std::vector<Variant>& args)
    {
        std::vector<zlp_variant> out;
        for (const Variant& a : args)
            out.push_back(detail::toC(a));
        return out;
    }

    template <class Call>
    Variant invoke(Call function, std::string_view member, const std::vector<Variant>& args)
    {
        const std::string name(member);
        const std::vector<zlp_variant> in = toC(args);
        zlp_variant result{};
        module_->check(function(object_, name.c_str(), in.data(), in.size(), &result));
        Variant out;
        switch (result.type) {
        case ZLP_INT16: out = result.value.i16; break;
        case ZLP_INT32: out = result.value.i32; break;
        case ZLP_FLOAT: out = result.value.f32; break;
        case ZLP_DOUBLE: out = result.value.f64; break;
        case ZLP_STRING: out = std::string(result.value.str); break;
        default: break;
        }
        module_->variantClear(&result);
        return out;
    }

    std::shared_ptr<detail::Module> module_;
    zlp_object* object_;
    std::string progId_;
};

/// Creates the class named `progId` (letter case ignored) from the library file that the
/// per-user component registry names for it. Fails with ComponentError 429 when the class is
/// not registered or its library cannot be loaded, and with the library's own number when it
/// refuses to create the object.
inline std::unique_ptr<ComponentObject> CreateObjectFromRegistry(std::string_view progId)
{
    std::string where;
    registry::Registry reg;
    try {
        where = registry::registryPath();
        reg = registry::Registry::load(where);
    } catch (const registry::RegistryError& e) {
        throw ComponentError(429, e.what());
    }
    const std::string* classId = nullptr;
    std::string canonical;
    for (const registry::Line& line : reg.lines()) {
        const std::string_view key = line.key;
        if (key.starts_with("ProgID/") && key.ends_with("/CLSID") &&
            detail::sameLetters(key.substr(7, key.size() - 7 - 6), progId)) {
            classId = &line.value;
            canonical = std::string(key.substr(7, key.size() - 7 - 6));
            break;
        }
    }
    if (!classId)
        throw ComponentError(429, std::string(progId) + " is not in the component registry " + where);
    // The library file must be named in full: an empty name would give the host itself, a bare
    // one whatever the library search path finds first.
    const std::string key = "CLSID/" + *classId + "/InprocServer";
    const std::string* file = reg.find(key);
    if (!file)
        throw ComponentError(429, "the component registry " + where + " names no library file for " + *classId + " (no " + key + ")");
    if (!file->starts_with('/')) {
        throw ComponentError(429, "the component registry " + where + ", line " + std::to_string(reg.lineOf(key)) + ": " + key
                                      + (file->empty() ? " is empty" : " is not an absolute path: " + *file));
    }

    std::shared_ptr<detail::Module> module = detail::moduleFor(*file);
    zlp_factory* factory = nullptr;
    module->check(module->getClassObject(classId->c_str(), &factory));
    zlp_object* object = nullptr;
    const zlp_status made = module->factoryCreate(factory, &object);
    const std::string why = made == ZLP_OK ? std::string() : module->errorText();
    module->factoryRelease(factory);
    if (made != ZLP_OK)
        throw ComponentError(made, why);
    return std::make_unique<ComponentObject>(std::move(module), object, canonical);
}

} // namespace ZarvLinesParm::loader
