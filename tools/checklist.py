#!/usr/bin/env python3
"""The dataset's checklist of kinds.

The kinds to cover are the types of Debian's shared MIME database (freedesktop.org.xml of the package
shared-mime-info) that have both a magic rule and a file-name pattern, plus the text kinds declared in
dataset/checklist.map. The map says, per kind, which dataset types identify it and which samples of
tests/samples show it, or why it is not covered. This script writes the table dataset/CHECKLIST.md from them.

  python3 tools/checklist.py           rewrites dataset/CHECKLIST.md
  python3 tools/checklist.py --check   checks that the committed table is what the sources give, and that every
                                       kind marked covered has its types in dataset/*.txt and its samples in
                                       tests/samples (named in the MANIFEST with one of the types' extensions)

The database only says which kinds exist and under which names; the definitions are written from the
formats themselves.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
XML_PATH = os.environ.get("QUODRA_MIME_XML", "/usr/share/mime/packages/freedesktop.org.xml")
MAP_PATH = os.path.join(ROOT, "dataset", "checklist.map")
TABLE_PATH = os.path.join(ROOT, "dataset", "CHECKLIST.md")
DATASET = os.path.join(ROOT, "dataset")
SAMPLES = os.path.join(ROOT, "tests", "samples")
NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def read_database_kinds():
    """The database's kinds with a magic rule and a name pattern, in the database's order."""
    kinds = []
    for node in ET.parse(XML_PATH).getroot().findall(NS + "mime-type"):
        globs = [g.get("pattern") for g in node.findall(NS + "glob")]
        if globs and node.findall(NS + "magic"):
            kinds.append((node.get("type"), globs))
    return kinds


def read_map(problems):
    """checklist.map: 'kind NAME PATTERNS...' declares a text kind; 'NAME TYPES SAMPLES' covers a kind;
    'NAME - reason' says why not."""
    extra, rows = [], {}
    with open(MAP_PATH, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            where = "checklist.map:%d" % number
            words = line.split()
            if words[0] == "kind":
                if len(words) < 3:
                    problems.append(where + ": a kind needs a name and its patterns")
                    continue
                extra.append((words[1], words[2:]))
                continue
            if words[0] in rows:
                problems.append(where + ": %s appears twice" % words[0])
                continue
            if len(words) >= 3 and words[1] == "-":
                rows[words[0]] = ("no", " ".join(words[2:]), [], [], where)
            elif len(words) == 3:
                types = words[1].split(",")
                samples = words[2].split(",")
                if not all(re.fullmatch(r"\d+", t) for t in types):
                    problems.append(where + ": type ids are numbers")
                rows[words[0]] = ("yes", "", types, samples, where)
            else:
                problems.append(where + ": expected 'KIND TYPES SAMPLES' or 'KIND - reason'")
    return extra, rows


def read_dataset_types():
    """Key id -> extension, from the type statements of dataset/*.txt."""
    types = {}
    for name in sorted(os.listdir(DATASET)):
        if not name.endswith(".txt"):
            continue
        with open(os.path.join(DATASET, name), encoding="utf-8") as source:
            for line in source:
                found = re.match(r"type\s+(\d+)\s+(\S+)", line)
                if found:
                    types[found.group(1)] = found.group(2).lower()
    return types


def read_manifest():
    """Sample name -> its right extensions."""
    samples = {}
    with open(os.path.join(SAMPLES, "MANIFEST"), encoding="utf-8") as source:
        for line in source:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 2 and parts[0]:
                samples[parts[0]] = parts[1].lower().split(",")
    return samples


def make_table(kinds, rows):
    lines = []
    covered = sum(1 for name, _ in kinds if rows.get(name, ("no",))[0] == "yes")
    lines.append("# Checklist of kinds")
    lines.append("")
    lines.append("Made by tools/checklist.py from shared-mime-info's freedesktop.org.xml (its kinds with both a magic")
    lines.append("rule and a file-name pattern) and the text kinds and coverage of dataset/checklist.map. Do not edit:")
    lines.append("edit the map and run the script.")
    lines.append("")
    lines.append("Covered: %d of %d kinds." % (covered, len(kinds)))
    lines.append("")
    lines.append("| kind | extensions | covered | types / why not |")
    lines.append("| --- | --- | --- | --- |")
    for name, globs in kinds:
        state, reason, types, samples, _ = rows.get(name, ("no", "no definition yet", [], [], ""))
        patterns = " ".join(g.replace("|", "\\|") for g in globs)
        detail = ("types " + ",".join(types) + "; samples " + ",".join(samples)) if state == "yes" else reason
        lines.append("| %s | %s | %s | %s |" % (name, patterns, state, detail))
    return "\n".join(lines) + "\n"


def main():
    check = "--check" in sys.argv[1:]
    problems = []
    database = read_database_kinds()
    extra, rows = read_map(problems)
    known = {name for name, _ in database}
    for name, _ in extra:
        if name in known:
            problems.append("checklist.map: %s is already a kind of the database" % name)
        known.add(name)
    kinds = database + extra
    for name, row in rows.items():
        if name not in known:
            problems.append("%s: %s is not a kind of the checklist" % (row[4], name))

    table = make_table(kinds, rows)
    if check:
        types = read_dataset_types()
        manifest = read_manifest()
        for name, (state, _, type_ids, samples, where) in rows.items():
            if state != "yes":
                continue
            extensions = set()
            for type_id in type_ids:
                if type_id in types:
                    extensions.add(types[type_id])
                else:
                    problems.append("%s: %s: no type %s in the dataset" % (where, name, type_id))
            for sample in samples:
                if sample not in manifest:
                    problems.append("%s: %s: sample %s is not in the MANIFEST" % (where, name, sample))
                elif not os.path.isfile(os.path.join(SAMPLES, sample)):
                    problems.append("%s: %s: sample file %s is missing" % (where, name, sample))
                elif extensions and not extensions & set(manifest[sample]):
                    problems.append("%s: %s: sample %s is right as %s, the types say %s"
                                    % (where, name, sample, ",".join(manifest[sample]), ",".join(sorted(extensions))))
        try:
            with open(TABLE_PATH, encoding="utf-8") as committed:
                if committed.read() != table:
                    problems.append("dataset/CHECKLIST.md is not what the sources give: run tools/checklist.py")
        except OSError:
            problems.append("dataset/CHECKLIST.md is missing: run tools/checklist.py")
    for problem in problems:
        print(problem)
    covered = sum(1 for name, _ in kinds if rows.get(name, ("no",))[0] == "yes")
    print("checklist: %d kinds, %d covered, %d problem(s)" % (len(kinds), covered, len(problems)))
    if problems:
        return 1
    if not check:
        with open(TABLE_PATH, "w", encoding="utf-8") as written:
            written.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main())
