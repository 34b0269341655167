"""The package without dialogs: every class made from the library's description, values checked
before the library is called, errors as the library's table has them, the stub current, and the
library found where it is installed."""
import ctypes.util
import os
import subprocess
import sys
import venv
from pathlib import Path

import pytest

import zarvlinesparm as z
from conftest import SOURCE
from zarvlinesparm import ErrorNumber as N

PYTHON_TYPES = {"Int16": int, "Int32": int, "Float": float, "String": str}
WRONG = {"Int16": "1", "Int32": 1.0, "Float": "0.5", "String": 1}


@pytest.mark.parametrize("cls", z.CLASSES, ids=lambda c: c.__name__)
def test_every_class_is_made_from_its_description(cls):
    tool = z.create(cls.prog_id.upper())
    assert type(tool) is cls and getattr(z, cls.__name__) is cls
    members = z.describe(tool)["members"]
    public = {name for name in vars(cls) if not name.startswith("_")} - {"prog_id"}
    assert {m["name"] for m in members} == public
    for m in members:
        name = m["name"]
        if m["kind"] == "method":
            with pytest.raises(z.Error) as refused:
                getattr(tool, name)(*range(len(m["arguments"]) + 1))
            assert refused.value.number == N.WRONG_ARGUMENTS
            continue
        if "index" in m:
            indexed = getattr(tool, name)
            first, last = m["index"]
            assert indexed.indexes == range(first, last + 1) and len(list(indexed)) == len(indexed)
            values = list(indexed)
            for outside in (first - 1, last + 1):
                with pytest.raises(z.Error) as refused:
                    indexed[outside]
                assert refused.value.number == N.SUBSCRIPT_OUT_OF_RANGE
            assign = indexed.__setitem__
            args = (first,)
        else:
            values = [getattr(tool, name)]
            assign = tool.__setattr__
            args = (name,)
        assert all(type(v) is PYTHON_TYPES[m["type"]] for v in values), (name, values)
        with pytest.raises(z.Error) as refused:
            assign(*args, WRONG[m["type"]])
        assert refused.value.number == N.TYPE_MISMATCH and name in refused.value.detail


TEXTS = {N.SUBSCRIPT_OUT_OF_RANGE: "Subscript out of range", N.TYPE_MISMATCH: "Type mismatch",
         N.OVERFLOW: "Overflow", N.INVALID_PROCEDURE_CALL: "Invalid procedure call or argument",
         N.WRONG_ARGUMENTS: "Wrong number of arguments or invalid property assignment",
         N.CANNOT_CREATE_OBJECT: "Can't create object"}
ERRORS = [  # what is done to a retracement, the number, what the detail says
    (lambda t: t.V[7], N.SUBSCRIPT_OUT_OF_RANGE, "V[7]: 1 to 6"),
    (lambda t: t.V.__setitem__(0, 0.5), N.SUBSCRIPT_OUT_OF_RANGE, "V[0]"),
    (lambda t: t.V["1"], N.TYPE_MISMATCH, "V['1']: an index is an int"),
    (lambda t: setattr(t, "Extend", 1.0), N.TYPE_MISMATCH, "Extend takes int, not float"),
    (lambda t: t.Start("1"), N.TYPE_MISMATCH, "Start argument 1 takes int, not str"),
    (lambda t: setattr(t, "Extend", -32769), N.OVERFLOW, "Extend: -32769 does not fit Int16"),
    (lambda t: t.Cor.__setitem__(1, 1 << 31), N.OVERFLOW, "Cor[1]: 2147483648 does not fit Int32"),
    (lambda t: t.V.__setitem__(1, 10 ** 400), N.OVERFLOW, "V[1]: 1000"),
    (lambda t: t.V.__setitem__(1, 1e39), N.OVERFLOW, ""),  # the library's own check
    (lambda t: t.Start(), N.WRONG_ARGUMENTS, "Start takes 1 arguments, not 0"),
    (lambda t: z.ZarvRangerParmClass().__setattr__("Caption", "a\0b"), N.INVALID_PROCEDURE_CALL,
     "Caption: a string with a NUL character"),
    (lambda t: z.create("ZarvLinesParm.NoSuch"), N.CANNOT_CREATE_OBJECT, "ZarvLinesParm.NoSuch"),
    (lambda t: z.set_preview_handler(type(t), 1), N.TYPE_MISMATCH, "a preview handler is"),
    (lambda t: z.describe(int), N.TYPE_MISMATCH, "a class of this package or a ProgID"),
]


@pytest.mark.parametrize("action, number, detail", ERRORS)
def test_errors_carry_number_text_and_detail(action, number, detail):
    with pytest.raises(z.Error) as caught:
        action(z.RetracementParmClass())
    e = caught.value
    assert (e.number, e.text) == (number, TEXTS[number]) and e.detail.startswith(detail)
    assert str(e) == f"error {number:d}: {e.text}" + (f": {e.detail}" if e.detail else "")


def test_every_named_number_has_its_text_in_the_library():
    assert all(z.Error(n).text for n in N) and z.Error(1).text == "" and z.Error(1).number == 1


def test_the_stub_is_current():
    from zarvlinesparm import _stub
    checked_in = (SOURCE / "python/zarvlinesparm/__init__.pyi").read_text()
    assert checked_in == _stub.stub(), "stale; write it again as docs/hosts.md says"


def run_python(python, code, **environment):
    env = {k: v for k, v in os.environ.items() if k not in ("ZARVLINESPARM_LIBRARY", "PYTHONPATH")}
    return subprocess.run([str(python), "-c", code], env=env | environment, capture_output=True,
                          text=True)


@pytest.mark.skipif("ZARVLINESPARM_BUILD" not in os.environ, reason="no build tree to install")
def test_an_installed_package_finds_the_library_beside_it_from_a_virtual_environment(tmp_path):
    """As docs/hosts.md says: install, a virtual environment that sees Debian's PyQt6, a path file."""
    subprocess.run(["cmake", "--install", os.environ["ZARVLINESPARM_BUILD"],
                    "--prefix", tmp_path / "prefix"], check=True, capture_output=True)
    package = next((tmp_path / "prefix").rglob("zarvlinesparm/__init__.py")).parent
    venv.create(tmp_path / "venv", system_site_packages=True, with_pip=False)
    site = next((tmp_path / "venv/lib").glob("python3*/site-packages"))
    (site / "zarvlinesparm.pth").write_text(f"{package.parent}\n")
    done = run_python(tmp_path / "venv/bin/python",
                      "import PyQt6.QtWidgets, zarvlinesparm as z; print(z.library)")
    assert done.stdout.strip() == str(package.parent / "libZarvLinesParm.so.1"), done.stderr


@pytest.mark.skipif(ctypes.util.find_library("ZarvLinesParm") is not None,
                    reason="the system has the library")
def test_without_a_library_the_import_says_where_it_looked():
    done = run_python(sys.executable, "import zarvlinesparm", PYTHONPATH=str(SOURCE / "python"),
                      ZARVLINESPARM_LIBRARY="/nowhere/libZarvLinesParm.so.1")
    last = done.stderr.strip().splitlines()[-1]
    assert last.startswith("ImportError: zarvlinesparm: cannot load the ZarvLinesParm library")
    for place in ("tried $ZARVLINESPARM_LIBRARY: /nowhere/",
                  f"; beside the package: {SOURCE}/python/libZarv",
                  "; the system's library path: libZarvLinesParm.so.1"):
        assert place in last
