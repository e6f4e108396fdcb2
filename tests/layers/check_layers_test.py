#!/usr/bin/env python3
"""The layer check refuses every kind of include that breaks the floors, and
the README draws the floors the check enforces."""
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECK = ROOT / "scripts" / "check-layers"

# (file planted, its text): each alone must be refused, naming the file.
PLANTED = [
    ("engine/sun.cpp", "#include <windows.h>\n"),
    ("engine/moon.hpp", '#include "app/clock_app.h"\n'),
    ("engine/day.cc", "#include <app/clock_app.h>\n"),
    ("clock/face.cpp", "#include <QWidget>\n"),
    ("app/compose.cpp", '#include "../backends/qt/platform.h"\n'),
    ("backends/qt/tray.cpp", '#include "backends/win32/win.h"\n'),
    ("backends/common/plan.cpp", '#include "clock/alerts.h"\n'),
    ("tools/jadwal/main.cpp", '#include "location/city_list.h"\n'),
    ("tests/support/fake.h", '  #  include "backends/win32/win.h"\n'),
    ("fuzz/target.cxx", '#include "backends/qt/form_widget.h"\n'),
    ("newfloor/thing.c", "#include <stdio.h>\n"),
]
ALLOWED = [
    ("engine/ok.h", "#include <cmath>\n"),
    ("settings/ok.cpp", '#include "engine/ok.h"\n#include "platform/model.h"\n'),
    ("backends/win32/ok.cpp", "#include <windows.h>\n#include \"app/clock_app.h\"\n#include \"ok.h\"\n"),
    ("backends/qt/ok.cpp", "#include <QWidget>\n#include <QtCore/QTimer>\n"),
]


def run(root):
    return subprocess.run([sys.executable, str(CHECK), "--root", str(root)], capture_output=True, text=True)


def plant(root, files):
    for rel, text in files:
        path = root / rel
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


def main():
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        clean = pathlib.Path(tmp) / "clean"
        plant(clean, ALLOWED)
        r = run(clean)
        if r.returncode != 0:
            failures.append(f"allowed includes refused:\n{r.stdout}")
        for n, (rel, text) in enumerate(PLANTED):
            root = pathlib.Path(tmp) / f"p{n}"
            plant(root, ALLOWED + [(rel, text)])
            r = run(root)
            if r.returncode != 1 or rel not in r.stdout:
                failures.append(f"{rel} ({text.strip()}) not refused: {r.stdout.strip()}")
    picture = subprocess.run([sys.executable, str(CHECK), "--picture"], capture_output=True, text=True).stdout
    if picture.strip() not in (ROOT / "README.md").read_text():
        failures.append("README.md does not hold the picture `scripts/check-layers --picture` prints")
    print(f"{len(PLANTED)} planted violations, {len(failures)} failures")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
