"""The parameter dialogs of the ZarvLinesParm chart line tools, from Python.

    import zarvlinesparm

    tool = zarvlinesparm.RetracementParmClass()
    tool.V[6] = 1.618           # what the next dialog shows
    tool.Start(1)               # the dialog, modal; "Save as Default" offered
    print(tool.V[6], tool.SaveDefault)      # what it left

Every class the library publishes is made here at import, from the library's own description of
it: scalar members are properties (`tool.Fill = 1`), indexed ones indexers (`tool.Cor[1]`),
methods methods (`tool.Start(1)`). A value of the wrong Python type, a whole number too large
for its member and an index out of range are refused before the library is called. Every
failure is a `zarvlinesparm.Error`.

As in every host language, the two directions of a member are not one value: reading gives what
the last dialog left (the outcome of the last `Start`), assigning sets what the next `Start`
shows. What an object holds belongs to its class, shared by all its objects.

The library is found through the environment variable ZARVLINESPARM_LIBRARY (the path of the
shared library), then beside the installed package, then on the system's library path;
`zarvlinesparm.library` says which was loaded.
"""
import ctypes
import enum
import inspect
import json
import struct

from . import _library as _c

_lib, library = _c.load()


class ErrorNumber(enum.IntEnum):
    """The numbers of the library's errors."""
    INVALID_PROCEDURE_CALL = 5
    OVERFLOW = 6
    OUT_OF_MEMORY = 7
    SUBSCRIPT_OUT_OF_RANGE = 9
    TYPE_MISMATCH = 13
    INTERNAL_ERROR = 51
    DEVICE_UNAVAILABLE = 68
    PATH_FILE_ACCESS_ERROR = 75
    OBJECT_NOT_SET = 91
    INVALID_PROPERTY_VALUE = 380
    FORM_ALREADY_DISPLAYED = 400
    CANNOT_CREATE_OBJECT = 429
    UNKNOWN_MEMBER = 438
    WRONG_ARGUMENTS = 450


class Error(Exception):
    """A failed call, which changed nothing.

    `number` is the error's number (an ErrorNumber where it is one), `text` exactly the text of
    the library's error table for it ("Subscript out of range"), and `detail` what else is known
    of the failure ("" when nothing): the member, the class, the display that could not be used.
    """

    def __init__(self, number, detail=""):
        try:
            self.number = ErrorNumber(number)
        except ValueError:
            self.number = number
        self.text = _lib.zlp_error_text(number).decode(errors="replace")
        self.detail = detail
        super().__init__(str(self))

    def __str__(self):
        detail = f": {self.detail}" if self.detail else ""
        return f"error {int(self.number)}: {self.text}{detail}"


def _check(status):
    if status:
        detail = _lib.zlp_last_error_detail().decode(errors="replace")
        raise Error(_lib.zlp_last_error_number(), detail)


class PreviewStage(enum.IntEnum):
    """Why a preview handler is called: the user is editing, or Start is ending, and how."""
    EDITING = 0
    OK = 1
    SAVE_AS_DEFAULT = 2
    CANCEL = 3
    CLOSED = 4  # closed from the title bar


# ---- Values ------------------------------------------------------------------------------

_WHOLE = {"Int16": (_c.INT16, "i16", 16), "Int32": (_c.INT32, "i32", 32)}
_PYTHON = {"Int16": int, "Int32": int, "Float": float, "String": str}


def _to_c(value, kind, what):
    """`value` for a member or argument of type `kind`; refuses, as the library would, what it
    cannot take."""
    v = _c.Variant()
    accepted = (int, float) if kind == "Float" else _PYTHON[kind]
    if not isinstance(value, accepted):
        raise Error(ErrorNumber.TYPE_MISMATCH,
                    f"{what} takes {_PYTHON[kind].__name__}, not {type(value).__name__}")
    if kind in _WHOLE:
        v.type, field, bits = _WHOLE[kind]
        if not -(1 << bits - 1) <= value < 1 << bits - 1:
            raise Error(ErrorNumber.OVERFLOW, f"{what}: {value} does not fit {kind}")
        setattr(v.value, field, value)
    elif kind == "Float":
        # As a double: the library rounds it to the nearest float, or refuses it with Overflow.
        try:
            v.type, v.value.f64 = _c.DOUBLE, float(value)
        except OverflowError:
            raise Error(ErrorNumber.OVERFLOW, f"{what}: {value} does not fit {kind}") from None
    else:
        text = value.encode()
        if b"\0" in text:
            raise Error(ErrorNumber.INVALID_PROCEDURE_CALL,
                        f"{what}: a string with a NUL character")
        v.type, v.value.str = _c.STRING, text
    return v


def _shortest(single):
    """A float member's value as the shortest decimal that is the same float: 0.382, not
    0.38199999928474426."""
    for digits in range(6, 10):
        near = float(f"{single:.{digits}g}")
        if struct.unpack("f", struct.pack("f", near))[0] == single:
            return near
    return single  # an infinity or NaN


def _from_c(v):
    if v.type == _c.STRING:
        text = v.value.str.decode(errors="replace")
        _lib.zlp_variant_clear(ctypes.byref(v))
        return text
    if v.type == _c.FLOAT:
        return _shortest(v.value.f32)
    return {_c.INT16: v.value.i16, _c.INT32: v.value.i32, _c.DOUBLE: v.value.f64}.get(v.type)


# ---- The classes -------------------------------------------------------------------------

class ParmObject:
    """An object of one of the library's parameter classes.

    Reading a member gives what the last dialog left; assigning one sets what the next dialog
    shows. The two differ until a Start has run, and after "Cancel" reading gives back what was
    assigned. All objects of a class share what they hold.
    """
    __slots__ = ("_handle", "_owned")
    prog_id = ""

    def __init__(self):
        handle = ctypes.c_void_p()
        _check(_lib.zlp_create(self.prog_id.encode(), ctypes.byref(handle)))
        self._handle, self._owned = handle, True

    @classmethod
    def _view(cls, handle):
        """The preview's view: the library's, valid as long as the handler's call."""
        view = cls.__new__(cls)
        view._handle, view._owned = ctypes.c_void_p(handle), False
        return view

    def __del__(self, release=_lib.zlp_release):  # bound now: module globals go first at exit
        if getattr(self, "_owned", False):
            release(self._handle)

    def __repr__(self):
        return f"<{type(self).__module__}.{type(self).__name__}>"

    def _invoke(self, function, name, arguments, *result):
        array = (_c.Variant * len(arguments))(*arguments) if arguments else None
        _check(function(self._handle, name, array, len(arguments), *result))

    def _get(self, name, *index):
        value = _c.Variant()
        self._invoke(_lib.zlp_get, name, index, ctypes.byref(value))
        return _from_c(value)


class Indexed:
    """An indexed member of an object, `tool.V[6]`: reading an index gives what the last dialog
    left, assigning one sets what the next dialog shows. `indexes` are the valid ones."""
    __slots__ = ("_object", "_name", "_type", "indexes")

    def __init__(self, owner, name, kind, first, last):
        self._object, self._name, self._type = owner, name, kind
        self.indexes = range(first, last + 1)

    def _index(self, index):
        what = f"{self._name}[{index!r}]"
        if not isinstance(index, int):
            raise Error(ErrorNumber.TYPE_MISMATCH, f"{what}: an index is an int")
        if index not in self.indexes:
            raise Error(ErrorNumber.SUBSCRIPT_OUT_OF_RANGE,
                        f"{what}: {self.indexes[0]} to {self.indexes[-1]}")
        return _to_c(index, "Int16", what)

    def __getitem__(self, index):
        return self._object._get(self._name.encode(), self._index(index))

    def __setitem__(self, index, value):
        i = self._index(index)
        value = _to_c(value, self._type, f"{self._name}[{index}]")
        self._object._invoke(_lib.zlp_let, self._name.encode(), (i, value))

    def __len__(self):
        return len(self.indexes)

    def __iter__(self):
        return (self[i] for i in self.indexes)

    def __repr__(self):
        return f"<{self._name}[{self.indexes[0]}..{self.indexes[-1]}]: {list(self)}>"


_GETS_AND_SETS = ("Reading gives what the last dialog left; assigning sets what the next dialog"
                  " shows.")


def _property(member):
    name, kind = member["name"], member["type"]
    if "index" in member:
        first, last = member["index"]
        return property(lambda self: Indexed(self, name, kind, first, last),
                        doc=f"{name}[{first}..{last}] ({_PYTHON[kind].__name__})."
                            f" {_GETS_AND_SETS}")

    def let(self, value):
        self._invoke(_lib.zlp_let, name.encode(), (_to_c(value, kind, name),))

    return property(lambda self: self._get(name.encode()), let,
                    doc=f"{name} ({_PYTHON[kind].__name__}). {_GETS_AND_SETS}")


def _method(member, class_name):
    name, kinds = member["name"], member["arguments"]

    def call(self, *arguments):
        if len(arguments) != len(kinds):
            raise Error(ErrorNumber.WRONG_ARGUMENTS,
                        f"{name} takes {len(kinds)} arguments, not {len(arguments)}")
        value = _c.Variant()
        converted = [_to_c(a, k, f"{name} argument {i}")
                     for i, (a, k) in enumerate(zip(arguments, kinds), 1)]
        self._invoke(_lib.zlp_call, name.encode(), converted, ctypes.byref(value))
        return _from_c(value)

    call.__name__, call.__qualname__ = name, f"{class_name}.{name}"
    positional = inspect.Parameter.POSITIONAL_ONLY
    call.__signature__ = inspect.Signature(
        [inspect.Parameter("self", positional)]
        + [inspect.Parameter(f"arg{i}", positional, annotation=_PYTHON[k])
           for i, k in enumerate(kinds, 1)])
    call.__doc__ = f"The method {name}."
    if name == "Start":
        call.__doc__ = ("Shows the dialog, modally, and returns once it is closed; reading the"
                        " members then gives its outcome.")
    return call


def _make_class(description):
    prog_id = description["class"]
    name = prog_id.split(".", 1)[1]
    namespace = {"__slots__": (), "__module__": __name__, "prog_id": prog_id, "__doc__":
                 f"{prog_id}. Reading a member gives what the last dialog left; assigning one sets"
                 " what the next dialog shows."}
    for m in description["members"]:
        namespace[m["name"]] = _method(m, name) if m["kind"] == "method" else _property(m)
    return type(name, (ParmObject,), namespace)


def _descriptions():
    count, prog_id, text = ctypes.c_size_t(), ctypes.c_char_p(), ctypes.c_void_p()
    _check(_lib.zlp_class_count(ctypes.byref(count)))
    for i in range(count.value):
        _check(_lib.zlp_class_progid(i, ctypes.byref(prog_id)))
        _check(_lib.zlp_describe(prog_id.value, ctypes.byref(text)))
        try:
            yield json.loads(ctypes.string_at(text.value))
        finally:
            _lib.zlp_free(text)


_described = {d["class"]: d for d in _descriptions()}
CLASSES = tuple(_make_class(d) for d in _described.values())
_by_prog_id = {cls.prog_id.lower(): cls for cls in CLASSES}
globals().update((cls.__name__, cls) for cls in CLASSES)


def _class_of(target):
    if isinstance(target, ParmObject):
        target = type(target)
    if isinstance(target, type) and issubclass(target, ParmObject):
        if target.prog_id in _described:
            return target
    if isinstance(target, str):
        if target.lower() in _by_prog_id:
            return _by_prog_id[target.lower()]
        raise Error(ErrorNumber.CANNOT_CREATE_OBJECT, target)
    raise Error(ErrorNumber.TYPE_MISMATCH, f"a class of this package or a ProgID, not {target!r}")


def create(prog_id):
    """An object of the class named `prog_id` ("ZarvLinesParm.RetracementParmClass"), letter case
    ignored."""
    return _class_of(prog_id)()


def describe(cls_or_prog_id):
    """The library's description of a class (or an object's), as `zarvlinesparm describe` prints
    it: {"class": ProgID, "members": [{"name", "kind", "type" and "index" or "arguments"}]}."""
    return json.loads(json.dumps(_described[_class_of(cls_or_prog_id).prog_id]))


# ---- Live preview ------------------------------------------------------------------------

_handlers = {}   # ProgID: the function the library calls, kept alive while it is registered
_retired = []    # replaced from inside a handler's call, which may be running it still
_calling = 0
_DECORATE = object()


def set_preview_handler(cls_or_prog_id, handler=_DECORATE):
    """Registers `handler(view, stage)` as the live preview of a class's dialog; None removes it.

    While the dialog is shown, after each user action that changes what "OK" would store, the
    handler is called with `view`, an object of the class whose members read what "OK" would
    give now, and PreviewStage.EDITING; once more when Start ends, with how it ended, the view
    reading what the members read then (after "Cancel", what was assigned). The view is valid
    during the call only. The handler may read any object and assign members (seen at the next
    Start); Start of the same class fails with FORM_ALREADY_DISPLAYED. What it raises goes to
    sys.unraisablehook, and the dialog carries on.

    Without `handler` it is a decorator:

        @zarvlinesparm.set_preview_handler(zarvlinesparm.RetracementParmClass)
        def redraw(view, stage): ...
    """
    global _calling
    cls = _class_of(cls_or_prog_id)
    if handler is _DECORATE:
        def register(function):
            set_preview_handler(cls, function)
            return function
        return register
    if handler is not None and not callable(handler):
        raise Error(ErrorNumber.TYPE_MISMATCH, f"a preview handler is callable, not {handler!r}")

    def forward(view, stage, _context):
        global _calling
        _calling += 1
        try:
            handler(cls._view(view), PreviewStage(stage))
        finally:
            _calling -= 1

    function = _c.Handler(forward) if handler else None
    _check(_lib.zlp_set_preview_handler(cls.prog_id.encode(), function or _c.Handler(), None))
    replaced = _handlers.pop(cls.prog_id, None)
    if function:
        _handlers[cls.prog_id] = function
    if _calling:
        _retired.append(replaced)
    else:
        _retired.clear()
