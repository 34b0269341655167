"""The shared library and its C interface (<ZarvLinesParm/zarvlinesparm.h>) as ctypes sees it."""
import ctypes
import os
from pathlib import Path

FILE_NAME = "libZarvLinesParm.so.1"
VARIABLE = "ZARVLINESPARM_LIBRARY"

# zlp_type
EMPTY, INT16, INT32, FLOAT, DOUBLE, STRING = range(6)


class Value(ctypes.Union):
    _fields_ = [("i16", ctypes.c_int16), ("i32", ctypes.c_int32), ("f32", ctypes.c_float),
                ("f64", ctypes.c_double), ("str", ctypes.c_char_p)]


class Variant(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int32), ("value", Value)]


# zlp_preview_handler: (view, stage, context)
Handler = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int32, ctypes.c_void_p)

_Variants = ctypes.POINTER(Variant)
_TEXT = ctypes.c_char_p
# name: (result type, argument types); a status (int32) where no result type is given.
_FUNCTIONS = {
    "zlp_create": (None, [_TEXT, ctypes.POINTER(ctypes.c_void_p)]),
    "zlp_release": (None, [ctypes.c_void_p]),
    "zlp_get": (None, [ctypes.c_void_p, _TEXT, _Variants, ctypes.c_size_t, _Variants]),
    "zlp_let": (None, [ctypes.c_void_p, _TEXT, _Variants, ctypes.c_size_t]),
    "zlp_call": (None, [ctypes.c_void_p, _TEXT, _Variants, ctypes.c_size_t, _Variants]),
    "zlp_variant_clear": (None, [_Variants]),
    "zlp_class_count": (None, [ctypes.POINTER(ctypes.c_size_t)]),
    "zlp_class_progid": (None, [ctypes.c_size_t, ctypes.POINTER(_TEXT)]),
    # A void pointer, not a char one, so that ctypes leaves the pointer to hand back to zlp_free.
    "zlp_describe": (None, [_TEXT, ctypes.POINTER(ctypes.c_void_p)]),
    "zlp_free": (None, [ctypes.c_void_p]),
    "zlp_set_preview_handler": (None, [_TEXT, Handler, ctypes.c_void_p]),
    "zlp_last_error_number": (ctypes.c_int32, []),
    "zlp_last_error_text": (_TEXT, []),
    "zlp_last_error_detail": (_TEXT, []),
    "zlp_error_text": (_TEXT, [ctypes.c_int32]),
}


def _declared(lib):
    for name, (result, arguments) in _FUNCTIONS.items():
        function = getattr(lib, name)  # AttributeError: a library older than the package
        function.restype = result or ctypes.c_int32
        function.argtypes = arguments
    return lib


def places():
    """Where the library is looked for, in order: (what the place is, the path or name to load)."""
    return [(f"${VARIABLE}", os.environ.get(VARIABLE)),
            ("beside the package", str(Path(__file__).resolve().parent.parent / FILE_NAME)),
            ("the system's library path", FILE_NAME)]


def load():
    """The library, declared, and the path or name it was loaded by; ImportError naming every
    place tried and why each failed."""
    tried = []
    for where, name in places():
        if not name:
            tried.append(f"{where}: not set")
            continue
        try:
            return _declared(ctypes.CDLL(name)), name
        except (OSError, AttributeError) as e:
            tried.append(f"{where}: {e}")
    raise ImportError("zarvlinesparm: cannot load the ZarvLinesParm library; tried "
                      + "; ".join(tried))
