/* The library as an in-process component, for hosts that do not link it as C++: C programs,
 * and any language with a C foreign-function interface.
 *
 * Every call returns a status: 0 (ZLP_OK) for success, otherwise the error's number, which
 * zlp_last_error_number() repeats, zlp_last_error_text() names with the text of the error table
 * (as the C++ Error::what()) and zlp_last_error_detail() explains further. A failed call changes
 * nothing. Handles are opaque: a null, released or made-up handle is error 91, a null string
 * or out pointer error 5, a variant of an unknown type error 13; none of them is dereferenced.
 *
 * Threads: the library's state belongs to one thread, the widgets application's (before there
 * is an application, the first thread that calls zlp_get, zlp_let or zlp_call). Those three,
 * called on any other thread, fail with error 5 and change nothing: everything is meant to run
 * on the host's user-interface thread, and the library takes no locks that a worker thread
 * could wait on behind an open dialog. Every other function works from any thread.
 *
 * Start with no application of the host's own and no display to make one on (DISPLAY and
 * WAYLAND_DISPLAY unset, a display that cannot be opened, an unknown QT_QPA_PLATFORM) fails
 * with error 68, "Device unavailable"; the detail names the display or platform.
 *
 * Values cross the boundary as zlp_variant. Strings passed in are copied; a string that comes
 * out is the caller's and is freed with zlp_variant_clear().
 *
 *     zlp_object* circle;
 *     zlp_variant v = {ZLP_INT16, {.i16 = 1}};
 *     if (zlp_create("ZarvLinesParm.CircleElipseCls", &circle) == ZLP_OK) {
 *         zlp_let(circle, "Fill", &v, 1);
 *         zlp_release(circle);
 *     }
 */
#ifndef ZARVLINESPARM_C_H
#define ZARVLINESPARM_C_H

#include <ZarvLinesParm/Export.h>

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t zlp_status;

#define ZLP_OK 0
/* DllCanUnloadNow only: something is still alive, the library must stay loaded. */
#define ZLP_FALSE 1

typedef struct zlp_object zlp_object;
typedef struct zlp_factory zlp_factory;

/* The alternatives of a value, in the order of the C++ ZarvLinesParm::Variant. */
typedef enum zlp_type {
    ZLP_EMPTY = 0,
    ZLP_INT16 = 1,
    ZLP_INT32 = 2,
    ZLP_FLOAT = 3,
    ZLP_DOUBLE = 4,
    ZLP_STRING = 5
} zlp_type;

typedef struct zlp_variant {
    int32_t type; /* a zlp_type */
    union {
        int16_t i16;
        int32_t i32;
        float f32;
        double f64;
        const char* str; /* UTF-8, NUL-terminated */
    } value;
} zlp_variant;

/* ---- The in-process server entry points ------------------------------------------------- */

/* A factory for the class named by `classId`: its class identifier
 * ("{C8569CD9-CC65-40F1-9A0A-BC2965D8238A}", braces optional, letter case ignored) or its
 * ProgID. Unknown classes are error 429. Release the factory with zlp_factory_release(). */
ZARVLINESPARM_EXPORT zlp_status DllGetClassObject(const char* classId, zlp_factory** factory);

/* ZLP_OK when no object and no factory made through this interface is alive, no lock is held
 * and no Start is running (the library may then be unloaded), ZLP_FALSE otherwise. A Start runs
 * until its dialog has closed, also after the host released its last handle from inside the
 * dialog's loop. A widgets application that the library had to create for a host without one
 * counts as a lock: it needs the library's code. */
ZARVLINESPARM_EXPORT zlp_status DllCanUnloadNow(void);

/* Enter (remove) the library's classes, their identifiers, its description, version and file
 * in the per-user component registry. Both are idempotent and leave other components' entries
 * as they were; a registry that cannot be read, parsed or written is error 75 and is left
 * untouched. */
ZARVLINESPARM_EXPORT zlp_status DllRegisterServer(void);
ZARVLINESPARM_EXPORT zlp_status DllUnregisterServer(void);

/* ---- Factories ---------------------------------------------------------------------------- */

ZARVLINESPARM_EXPORT zlp_status zlp_factory_create(zlp_factory* factory, zlp_object** object);
/* A non-zero `lock` keeps the library loaded without any object alive; zero undoes one lock. */
ZARVLINESPARM_EXPORT zlp_status zlp_factory_lock(zlp_factory* factory, int32_t lock);
ZARVLINESPARM_EXPORT zlp_status zlp_factory_release(zlp_factory* factory);

/* ---- Objects ------------------------------------------------------------------------------ */

/* Creates the class named `progId` ("ZarvLinesParm.CircleElipseCls", letter case ignored). */
ZARVLINESPARM_EXPORT zlp_status zlp_create(const char* progId, zlp_object** object);
ZARVLINESPARM_EXPORT zlp_status zlp_release(zlp_object* object);

/* Late-bound calls by member name (letter case ignored), as the C++ Object::invoke:
 * get: `args` are the index, if the property takes one; the value goes to `result`.
 * let: the index, if any, then the value last.
 * call: a method's arguments (Start); its value goes to `result`.
 * `args` may be null when `count` is 0; `result` may be null when the value is not wanted. */
ZARVLINESPARM_EXPORT zlp_status zlp_get(zlp_object* object, const char* member, const zlp_variant* args,
                                        size_t count, zlp_variant* result);
ZARVLINESPARM_EXPORT zlp_status zlp_let(zlp_object* object, const char* member, const zlp_variant* args,
                                        size_t count);
ZARVLINESPARM_EXPORT zlp_status zlp_call(zlp_object* object, const char* member, const zlp_variant* args,
                                         size_t count, zlp_variant* result);

/* Frees a string that came out, and leaves the variant empty. */
ZARVLINESPARM_EXPORT zlp_status zlp_variant_clear(zlp_variant* value);

/* ---- The classes ------------------------------------------------------------------------- */

/* How many classes the library publishes, and each one's ProgID and class identifier by
 * position (0 to count - 1, ordered by ProgID). The strings live as long as the library. */
ZARVLINESPARM_EXPORT zlp_status zlp_class_count(size_t* count);
ZARVLINESPARM_EXPORT zlp_status zlp_class_progid(size_t index, const char** progId);
ZARVLINESPARM_EXPORT zlp_status zlp_class_id(size_t index, const char** classId);

/* What a binding needs to learn a class without C++: the members of the class named `progId`
 * (letter case ignored; unknown: error 429) as JSON, the very text `zarvlinesparm describe`
 * prints. An object of the class's canonical ProgID under "class" and, under "members", each
 * member in declaration order with its "name" and "kind": a "property", read with zlp_get and
 * written with zlp_let, has the value's "type" ("Int16", "Int32", "Float" or "String") and, when
 * it takes an index, its first and last valid "index"; a "method", called with zlp_call, lists
 * the types of its "arguments":
 *
 *     {"class": "ZarvLinesParm.CircleElipseCls", "members": [
 *       {"name": "Cor", "kind": "property", "type": "Int32", "index": [1, 2]}, ...,
 *       {"name": "Start", "kind": "method", "arguments": ["Int16", "String"]}]}
 *
 * (laid out over several lines, two spaces an indent). The text, UTF-8 and NUL-terminated, is
 * the caller's, freed with zlp_free(). Works from any thread. */
ZARVLINESPARM_EXPORT zlp_status zlp_describe(const char* progId, char** json);

/* Frees text the library handed to the caller (zlp_describe's); a null pointer is no error. */
ZARVLINESPARM_EXPORT zlp_status zlp_free(void* text);

/* ---- Live preview -------------------------------------------------------------------------- */

/* Why a preview handler is called: the user is editing, or Start is ending, and how
 * (ZLP_PREVIEW_CLOSED: closed from the title bar). */
typedef enum zlp_preview_stage {
    ZLP_PREVIEW_EDITING = 0,
    ZLP_PREVIEW_OK = 1,
    ZLP_PREVIEW_SAVE_AS_DEFAULT = 2,
    ZLP_PREVIEW_CANCEL = 3,
    ZLP_PREVIEW_CLOSED = 4
} zlp_preview_stage;

/* `view` is an object of the class, valid only during the call (zlp_get works on it; afterwards
 * it is error 91). Its getters return the would-be outcome: at ZLP_PREVIEW_EDITING what the
 * getters would return if "OK" were pressed now, at the one last call when Start ends (every
 * other stage) what they return now. Other objects of the class read as without a preview.
 * `stage` is a zlp_preview_stage; `context` is what was registered with the handler. */
typedef void (*zlp_preview_handler)(zlp_object* view, int32_t stage, void* context);

/* Registers (replaces) the preview handler of the class named `progId` (letter case ignored;
 * unknown: error 429); a null handler removes it. While the class's dialog is shown, the handler
 * is called on the application's thread after a user action that changes what "OK" would store
 * (a keystroke, a click on a check box or option, a list choice, a chosen colour), at most once
 * per pass of the event loop, and once more when Start ends.
 *
 * A handler may call zlp_get on the view and on any object, and zlp_let, which takes effect at
 * the next Start. zlp_call of Start on the same class fails with 400 (its dialog is showing, also
 * at the last call); showing other dialogs from a handler is not recommended. A handler
 * registered while the dialog is showing is first called at the next Start. */
ZARVLINESPARM_EXPORT zlp_status zlp_set_preview_handler(const char* progId, zlp_preview_handler handler,
                                                        void* context);

/* ---- Errors ------------------------------------------------------------------------------ */

/* The last call's status on this thread (0 after a call that succeeded); its text, exactly the
 * error table's ("Subscript out of range"); and what else the library knows of the failure,
 * often empty (the member's name, the ProgID, the display that could not be opened). Both texts
 * are UTF-8, at most 1,023 bytes, cut before a character rather than inside one, and stay valid
 * until the next call on this thread. */
ZARVLINESPARM_EXPORT int32_t zlp_last_error_number(void);
ZARVLINESPARM_EXPORT const char* zlp_last_error_text(void);
ZARVLINESPARM_EXPORT const char* zlp_last_error_detail(void);

/* The error table's text for `number` ("Overflow" for 6), as zlp_last_error_text() gives it
 * after a call that failed with that number; empty for a number the library never raises. For
 * a host that checks arguments itself and reports them in the library's words. It leaves the
 * last error as it was; the text stays valid until the next call on this thread. */
ZARVLINESPARM_EXPORT const char* zlp_error_text(int32_t number);

#ifdef __cplusplus
}
#endif

#endif
