#!/usr/bin/env python3
"""Writes the shipped exercise files from their readable sources.

Each source in tools/exercises/*.txt (UTF-8) names its output file and lists
the sentences of each level:

    # comment (only above the first level: below it "#" starts a sentence)
    file: CorsoZentavo/01 Riga centrale.ftd
    [Livello1]
    one sentence per line
    [Livello3]
    first line of a two-line sentence
        an indented line is the second line of the sentence above

The output is exactly what EditorZentavo writes when it creates a file and
then saves the sentences one after another: the comment header, the version
entry, then sections Livello1 to Livello3 with keys 1, 2, 3 ... in order;
Windows-1252, CR LF line ends, two lines joined by the separator bytes A6 A6.

Usage: tools/make_exercises.py [data folder]   (default: data)
"""

import glob
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EDITOR_VERSION = "3.0.0"
HEADER = [
    "=" * 46,
    "*** Attenzione ***   Non  modificare  manualmente  questo file.",
    "Il file DEVE essere modificato solo con l'Editor di Zentavo",
    "    *** Attention ***     Do  not  modify  improperly  this  file.",
    "This   file   MUST  be  modified  only   using  EditorZentavo.exe",
    "=" * 46,
    "",
]
SEPARATOR = "\u00a6\u00a6"


def parse(path):
    target, levels, level = None, {}, None
    with open(path, encoding="utf-8") as src:
        for number, raw in enumerate(src, 1):
            line = raw.rstrip("\n")
            where = f"{path}:{number}"
            if not line.strip() or (line.startswith("#") and level is None):
                continue
            if line.startswith("file:"):
                target = line[5:].strip()
            elif line.startswith("[Livello") and line.endswith("]"):
                level = int(line[8:-1])
                levels.setdefault(level, [])
            elif line[0] in " \t":
                if level is None or not levels[level] or len(levels[level][-1]) == 2:
                    sys.exit(f"{where}: a second line needs a first line just above it")
                levels[level][-1].append(line.strip())
            else:
                if level is None:
                    sys.exit(f"{where}: sentence before any [LivelloN]")
                if line != line.strip():
                    sys.exit(f"{where}: blanks around the sentence")
                levels[level].append([line])
    if target is None:
        sys.exit(f"{path}: no 'file:' line")
    if sorted(levels) != [1, 2, 3]:
        sys.exit(f"{path}: levels 1, 2 and 3 are needed")
    counts = {len(v) for v in levels.values()}
    if counts not in ({5}, {15}):
        sys.exit(f"{path}: each level needs 5 or 15 sentences, found {sorted(counts)}")
    return target, levels


def file_bytes(levels):
    lines = list(HEADER)
    lines += ["[Editor Zentavo]", f"Versione={EDITOR_VERSION}"]
    for level in (1, 2, 3):
        lines.append(f"[Livello{level}]")
        for number, sentence in enumerate(levels[level], 1):
            lines.append(f"{number}={SEPARATOR.join(sentence)}")
    text = "\r\n".join(lines) + "\r\n"
    return text.encode("cp1252")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "data")
    written = []
    for source in sorted(glob.glob(os.path.join(ROOT, "tools", "exercises", "*.txt"))):
        target, levels = parse(source)
        out = os.path.join(data, target)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        with open(out, "wb") as f:
            f.write(file_bytes(levels))
        written.append(target)
    print(f"{len(written)} exercise files written")


if __name__ == "__main__":
    main()
