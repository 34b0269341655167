"""What the Python tests share: the package and the examples from the source tree, and one
QApplication that the library shares (made before any dialog, as a PyQt host makes it).

Run by ctest with ZARVLINESPARM_LIBRARY naming the built library; by hand:

    ZARVLINESPARM_LIBRARY=build/libZarvLinesParm.so.1 QT_QPA_PLATFORM=offscreen \\
        /usr/bin/python3 -m pytest tests/python
"""
import sys
from pathlib import Path

import pytest

SOURCE = Path(__file__).resolve().parents[2]
sys.path[:0] = [str(SOURCE / "python"), str(SOURCE / "examples")]

from PyQt6.QtWidgets import QApplication  # noqa: E402


@pytest.fixture(scope="session", autouse=True)
def app():
    return QApplication.instance() or QApplication(["python tests"])
