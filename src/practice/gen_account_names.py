#!/usr/bin/env python3
"""Writes src/practice/account_names.inc: every account the windows print on
an amount row (the label of an amount line without its side mark), taken
from the string literals of the window files, each once, in byte order.

Run from the top of the source tree after a window prints a new account:

    python3 src/practice/gen_account_names.py
"""
import pathlib
import re

root = pathlib.Path(__file__).resolve().parents[2]
names = set()
literal = re.compile(r'"((?:[^"\\]|\\.)*)"')
for folder in ("calculators", "statements"):
    for path in sorted((root / "src" / folder).rglob("*.cpp")):
        for text in literal.findall(path.read_text(encoding="utf-8")):
            for mark in ("（借）", "（贷）"):
                name = text[: -len(mark)]
                # A formula line ("本年利润（借）=利润分配（贷）") is no label.
                if text.endswith(mark) and name and "（借）" not in name and "（贷）" not in name and "=" not in name:
                    names.add(name)
out = root / "src" / "practice" / "account_names.inc"
lines = ["// Written by src/practice/gen_account_names.py: do not edit.\n"]
for name in sorted(names, key=lambda s: s.encode("utf-8")):
    lines.append('"' + name.replace("\\", "\\\\").replace('"', '\\"') + '",\n')
out.write_text("".join(lines), encoding="utf-8")
print(f"{len(names)} accounts written to {out.relative_to(root)}")
