#!/usr/bin/env python3
"""Writes the language files data/Lang/*.lng from their UTF-8 sources.

tools/lang/<Language>.txt holds "ID=text" lines (and "InfoAuthor=",
"MailAuthor="); "#" starts a comment line and {nbsp} stands for a no-break
space. The output is what the programs read: section [Strings], Windows-1252,
CR LF line ends, no byte-order mark.

The built-in Italian texts (common/core/UiTextsTable.cpp) ship in no
language file: the language chooser offers them as its "Italian [Default]"
entry. They are written as tools/lang/template/Italiano.lng, the template a
translator starts from, with the few texts that the programs complete
differently when they come from a file adjusted below.

Every source must hold exactly the IDs of the built-in table.

Usage: tools/make_languages.py [Lang folder]   (default: data/Lang)
"""

import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "common", "core", "UiTextsTable.cpp")
NBSP = "\u00a0"

ITALIAN_AUTHOR = ("Gruppo Zentavo", "zentavo@example.org")
# With a language file the programs trim every text and then write the next
# value straight after some of them, or add the key name themselves.
ITALIAN_FILE_TEXTS = {
    "0013": "Per iniziare gli esercizi scegli il livello di difficoltà e premi il pulsante",
    "0029": "Vuoi stampare la tastiera di" + NBSP,
    "0093": "Frase" + NBSP,
    "0101": "Risultati ottenuti da:" + NBSP,
    "0102": "Livello" + NBSP,
    "0103": "Categoria:" + NBSP,
    "0109": "Complimenti! Hai terminato l'esercizio di dattilografia.",
    "0119": "Modifica la divisione della tastiera alternando lo schema classico con quello "
    "adottato nelle tastiere ergonomiche",
    "0206": "Lingua attuale:",
    "0207": "Autore:",
    "2124": "Riga" + NBSP,
    "2138": "Lingua attuale:",
    "2139": "Autore:",
}

HEADER = [
    "; {language} texts of Zentavo and EditorZentavo.",
    "; Windows-1252 text: keep this encoding when you edit it.",
    "; Translate the text after each \"=\"; never change the numbers before it.",
]


def c_string(literal):
    """The value of a C++ string literal body (only the escapes the table uses)."""
    return re.sub(r'\\(["\\])', r"\1", literal)


def built_in_texts():
    with open(TABLE, encoding="utf-8") as f:
        source = f.read()
    entry = re.compile(
        r'\{"(\d{4})",\s*"((?:[^"\\]|\\.)*)"_cp1252,\s*(?:\{\}|"(?:[^"\\]|\\.)*"_cp1252)\}'
    )
    texts = {}
    for match in entry.finditer(source):
        texts[match.group(1)] = c_string(match.group(2))
    if len(texts) < 150:
        sys.exit(f"{TABLE}: only {len(texts)} texts found; has the table changed shape?")
    return texts


def read_source(path):
    entries = {}
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            key, sep, value = line.partition("=")
            if not sep:
                sys.exit(f"{path}:{number}: no '='")
            if key in entries:
                sys.exit(f"{path}:{number}: {key} given twice")
            entries[key] = value.replace("{nbsp}", NBSP)
    return entries


def quoted(value):
    """The reader drops one pair of quotes around a value; protect a text that
    starts and ends with the same quote mark by adding a pair."""
    if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
        return '"' + value + '"'
    return value


def write_lng(path, language, entries, ids):
    missing = sorted(set(ids) - set(entries))
    extra = sorted(set(entries) - set(ids) - {"InfoAuthor", "MailAuthor"})
    if missing or extra:
        sys.exit(f"{language}: missing IDs {missing}, unknown keys {extra}")
    for key, value in entries.items():
        if value != value.strip(" \t") or not value.strip():
            sys.exit(f"{language}: {key} is empty or has blanks around it")
    lines = [h.format(language=language) for h in HEADER]
    lines.append("[Strings]")
    lines.append(f"InfoAuthor={entries['InfoAuthor']}")
    lines.append(f"MailAuthor={entries['MailAuthor']}")
    lines += [f"{i}={quoted(entries[i])}" for i in ids]
    data = ("\r\n".join(lines) + "\r\n").encode("cp1252")
    with open(path, "wb") as f:
        f.write(data)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "data", "Lang")
    os.makedirs(folder, exist_ok=True)
    italian = built_in_texts()
    ids = sorted(italian)

    italian_file = {i: italian[i].strip(" ") for i in ids}
    italian_file.update(ITALIAN_FILE_TEXTS)
    italian_file["InfoAuthor"], italian_file["MailAuthor"] = ITALIAN_AUTHOR
    template = os.path.join(ROOT, "tools", "lang", "template")
    os.makedirs(template, exist_ok=True)
    write_lng(os.path.join(template, "Italiano.lng"), "Italian", italian_file, ids)

    for source in sorted(glob.glob(os.path.join(ROOT, "tools", "lang", "*.txt"))):
        language = os.path.splitext(os.path.basename(source))[0]
        write_lng(os.path.join(folder, language + ".lng"), language, read_source(source), ids)
    print(f"{len(ids)} texts in each language file")


if __name__ == "__main__":
    main()
