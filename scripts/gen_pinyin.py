#!/usr/bin/env python3
"""Writes src/shell/pinyin_readings.cpp: the toneless pinyin readings of every
Chinese character in the main window's keyword table and in the accounts the
windows print (src/practice/account_names.inc: the answer sheet's completion
list finds an account by its pinyin too).

The readings come from the Unihan database as Debian's `unicode-data` package
ships it (apt-get install unicode-data).  Only the build of this table needs the
package; the generated source is committed, so building the program does not.

    python3 scripts/gen_pinyin.py [--unihan FILE] [--check CHARS]

Run it again whenever the keyword table or the account names gain a character.  --check prints the
readings of the given characters (from the same sources) and writes nothing.

Which readings: the union of the modern ones, in this order -- kMandarin (the
usual reading), kXHC1983 (the readings of the standard modern dictionary),
kTGHZ2013 (the readings of the table of standard characters) and kHanyuPinlu
(readings seen in a frequency count).  kHanyuPinyin is used only for a
character none of those list: it also records classical readings (重 tóng,
币 yín, 亏 yú) that a user typing today never means, and that would only make
the completion list offer keywords nobody asked for.

Spelling: tones removed, lower case.  ü is written both "v" (as pinyin input
methods take it) and "u" (as many people type it), e.g. 率 -> "lv lu shuai".
"""

import argparse
import bz2
import re
import sys
import unicodedata
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
KEYWORDS = ROOT / "src" / "shell" / "keyword_table.cpp"
ACCOUNTS = ROOT / "src" / "practice" / "account_names.inc"
OUTPUT = ROOT / "src" / "shell" / "pinyin_readings.cpp"
MODERN = ["kMandarin", "kXHC1983", "kTGHZ2013", "kHanyuPinlu"]
FALLBACK = "kHanyuPinyin"
TONE_MARKS = {"\u0300", "\u0301", "\u0304", "\u030c"}  # grave, acute, macron, caron


def unihan_lines(path):
    """The lines of Unihan_Readings.txt, from the plain file, its .bz2 or Unihan.zip."""
    path = Path(path)
    if path.suffix == ".zip":
        with zipfile.ZipFile(path) as z:
            yield from z.read("Unihan_Readings.txt").decode("utf-8").splitlines()
    elif path.suffix == ".bz2":
        with bz2.open(path, "rt", encoding="utf-8") as f:
            yield from f
    else:
        with open(path, encoding="utf-8") as f:
            yield from f


def default_unihan():
    for name in ["Unihan_Readings.txt.bz2", "Unihan_Readings.txt", "Unihan.zip"]:
        p = Path("/usr/share/unicode") / name
        if p.exists():
            return p
    sys.exit("gen_pinyin: no Unihan readings found; apt-get install unicode-data, or pass --unihan FILE")


def keywords():
    """The keywords of the table, in order, read from its source."""
    text = KEYWORDS.read_text(encoding="utf-8")
    found = re.findall(r'\{"((?:[^"\\]|\\.)*)", KeywordAction::', text)
    if len(found) != 280:
        sys.exit(f"gen_pinyin: expected 280 keyword rows in {KEYWORDS}, found {len(found)}")
    return found


def accounts():
    """The account names the windows print, read from their list."""
    text = ACCOUNTS.read_text(encoding="utf-8")
    return re.findall(r'^"((?:[^"\\]|\\.)*)",$', text, re.M)


def is_han(c):
    return unicodedata.name(c, "").startswith("CJK UNIFIED IDEOGRAPH")


def toneless(syllable):
    d = unicodedata.normalize("NFD", syllable.lower())
    return unicodedata.normalize("NFC", "".join(ch for ch in d if ch not in TONE_MARKS))


def spellings(syllable):
    s = toneless(syllable)
    if "ü" in s:
        return [s.replace("ü", "v"), s.replace("ü", "u")]
    if not re.fullmatch(r"[a-z]+", s):
        sys.exit(f"gen_pinyin: unexpected reading {syllable!r}")
    return [s]


def field_syllables(value):
    """Syllables of one field value: 'xíng', '0442.080:háng 0443.050:hàng',
    '20811.060:háng,xìng', 'xíng(2943) háng(218)'."""
    out = []
    for token in value.split():
        token = token.split(":", 1)[1] if ":" in token else token
        token = re.sub(r"\(\d+\)$", "", token)
        out.extend(t for t in token.split(",") if t)
    return out


def readings(fields):
    """Toneless readings of one character, most usual first, each once."""
    sources = [f for f in MODERN if f in fields] or ([FALLBACK] if FALLBACK in fields else [])
    out = []
    for f in sources:
        for syllable in field_syllables(fields[f]):
            for s in spellings(syllable):
                if s not in out:
                    out.append(s)
    return out


def load(unihan, wanted):
    fields = {}
    for line in unihan_lines(unihan):
        if line.startswith("#") or not line.strip():
            continue
        cp, field, value = line.rstrip("\n").split("\t", 2)
        c = chr(int(cp[2:], 16))
        if c in wanted:
            fields.setdefault(c, {})[field] = value
    return fields


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--unihan", help="Unihan_Readings.txt(.bz2) or Unihan.zip")
    ap.add_argument("--check", help="print the readings of these characters and stop")
    args = ap.parse_args()
    unihan = args.unihan or default_unihan()

    if args.check:
        chars = [c for c in args.check if is_han(c)]
        fields = load(unihan, set(chars))
        for c in chars:
            print(c, " ".join(readings(fields.get(c, {}))))
        return

    chars = sorted({c for k in keywords() + accounts() for c in k if is_han(c)})
    fields = load(unihan, set(chars))
    rows = []
    for c in chars:
        r = readings(fields.get(c, {}))
        if not r:
            sys.exit(f"gen_pinyin: no reading for {c} (U+{ord(c):04X})")
        rows.append(f'    {{0x{ord(c):04X}, "{" ".join(r)}"}},  // {c}')

    OUTPUT.write_text(
        "// Generated by scripts/gen_pinyin.py from the Unihan readings; do not edit.\n"
        "// The toneless pinyin readings of every Chinese character in the keyword\n"
        "// table and the account names, most usual first, sorted by code point.\n"
        '#include "shell/pinyin.h"\n'
        "\n"
        "namespace kelmora {\n"
        "\n"
        "const PinyinReading kPinyinReadings[] = {\n"
        + "\n".join(rows)
        + "\n};\n"
        "\n"
        "const std::size_t kPinyinReadingCount = sizeof kPinyinReadings / sizeof kPinyinReadings[0];\n"
        "\n"
        "}  // namespace kelmora\n",
        encoding="utf-8",
    )
    print(f"gen_pinyin: {len(rows)} characters written to {OUTPUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
