"""The package through the real dialogs, under the host's application: every member of every class
there and back, and the live preview's calls in order, however the dialog ends."""
import gc
import sys

import pytest
from PyQt6.QtWidgets import QLineEdit

import zarvlinesparm as z
from answering import Answer, pressing, typing, waiting
from zarvlinesparm import PreviewStage as Stage
from zarvlinesparm import RetracementParmClass

SAMPLES = {"Int16": lambda i: 1, "Int32": lambda i: 0x102030 * i, "Float": lambda i: i / 10,
           "String": lambda i: "Python"}


def properties(cls):
    """(member, index or None) for every value the class holds."""
    for m in z.describe(cls)["members"]:
        if m["kind"] == "property":
            first, last = m.get("index", (None, None))
            yield from ((m, i) for i in (range(first, last + 1) if first else [None]))


def start_arguments(cls):
    start = next(m for m in z.describe(cls)["members"] if m["name"] == "Start")
    return [0 if kind == "Int16" else "Python" for kind in start["arguments"]]


def read(tool):
    return {(m["name"], i): getattr(tool, m["name"])[i] if i else getattr(tool, m["name"])
            for m, i in properties(tool)}


@pytest.mark.parametrize("end", ["ok", "cancel"])
@pytest.mark.parametrize("cls", z.CLASSES, ids=lambda c: c.__name__)
def test_every_member_goes_through_the_dialog_and_back(cls, end):
    """What is assigned is what the dialog shows and, untouched, what it leaves after "OK"; after
    "Cancel" also what the user typed is gone. By the controls' naming, box "V(0)" edits V[1]."""
    tool = cls()
    expected = {}
    for m, i in properties(cls):
        value = SAMPLES[m["type"]](i or 20)  # 2.0: one float holds a whole number
        expected[m["name"], i] = value
        if i:
            getattr(tool, m["name"])[i] = value
        else:
            setattr(tool, m["name"], value)
    typed = []

    def type_into_first_value(dialog):
        if dialog.findChild(QLineEdit, "V(0)"):
            typed.append(typing("V(0)", "0.75")(dialog))
        return True

    answer = Answer(None, type_into_first_value, pressing(end))
    assert tool.Start(*start_arguments(cls)) is None
    assert answer.done
    if typed and end == "ok":
        expected["V", 1] = 0.75
    assert read(tool) == expected


ENDS = [  # how the dialog ends, the last stage, V[1] then; and how the handler is registered
    ("ok", Stage.OK, 0.75, "decorator"),
    ("save", Stage.SAVE_AS_DEFAULT, 0.75, "ProgID"),
    ("cancel", Stage.CANCEL, 0.5, "class"),
    ("close", Stage.CLOSED, 0.5, "raising"),
]


@pytest.mark.parametrize("end, last, outcome, registered", ENDS)
def test_the_preview_sees_each_edit_then_how_the_dialog_ended(end, last, outcome, registered,
                                                              monkeypatch):
    seen, refused, raised, views = [], [], [], []

    def handler(view, stage):
        seen.append((type(view), stage, view.V[1]))
        views.append(view)
        try:
            view.Start(0)
        except z.Error as e:
            refused.append(e.number)
        if registered == "raising":
            raise RuntimeError("the host's own fault")

    monkeypatch.setattr(sys, "unraisablehook", lambda hook: raised.append(hook.exc_value))
    if registered == "decorator":
        assert z.set_preview_handler(RetracementParmClass)(handler) is handler
    else:
        by_name = registered == "ProgID"
        target = "zarvlinesparm.retracementparmclass" if by_name else RetracementParmClass
        z.set_preview_handler(target, handler)
    gc.collect()  # the package, not the host, keeps the function the library calls

    tool = RetracementParmClass()
    tool.V[1] = 0.5
    answer = Answer("RetracementParm", typing("V(0)", "0.75"), waiting(lambda: seen),
                    pressing(end))
    tool.Start(0)
    assert answer.done
    cls = RetracementParmClass
    assert seen == [(cls, Stage.EDITING, 0.75), (cls, last, outcome)]
    assert refused == [z.ErrorNumber.FORM_ALREADY_DISPLAYED] * 2 and tool.V[1] == outcome
    faults = ["the host's own fault"] * 2 if registered == "raising" else []
    assert [str(e) for e in raised] == faults
    with pytest.raises(z.Error) as gone:
        views[0].V[1]  # a view lives as long as the handler's call
    assert gone.value.number == z.ErrorNumber.OBJECT_NOT_SET

    z.set_preview_handler(RetracementParmClass, None)
    answer = Answer("RetracementParm", typing("V(0)", "0.25"), pressing("ok"))
    tool.Start(0)
    assert answer.done and len(seen) == 2 and tool.V[1] == 0.25
    # Nothing of the package's is alive (a fault's frames hold the tool), and the application is
    # the host's, not the library's.
    del tool, views, gone, raised[:]
    gc.collect()
    assert z._lib.DllCanUnloadNow() == 0
