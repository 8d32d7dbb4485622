#!/usr/bin/env python3
"""The compiled help file against its sources: help_file_test.py QUODRA_CHM HELP_SOURCE_FOLDER.

The cover topic is stored under its exact name "表紙？.html", every file of the project and every topic the
contents and the index name is in the help file, and no page links to a topic that is not there.
"""
import os
import re
import sys

from chm_names import chm_names

COVER = "/表紙？.html"


def main():
    chm_path, source = sys.argv[1], sys.argv[2]
    with open(chm_path, "rb") as f:
        names = set(chm_names(f.read()))
    failures = []
    if COVER not in names:
        failures.append("the cover topic %s is not in %s" % (COVER, chm_path))

    with open(os.path.join(source, "quodra.hhp"), encoding="utf-8") as f:
        project = f.read()
    listed = project.split("[FILES]", 1)[1].split()
    if "表紙？.html" not in listed:
        failures.append("the project does not list the cover topic")
    for name in listed:
        if "/" + name not in names:
            failures.append("project file %s is not in the help file" % name)
    for option in ("Default topic=表紙？.html", "Contents file=quodra.hhc", "Index file=quodra.hhk"):
        if option not in project:
            failures.append("the project lacks %r" % option)

    checked_links = 0
    for name in sorted(os.listdir(source)):
        if not name.endswith((".html", ".hhc", ".hhk")):
            continue
        with open(os.path.join(source, name), encoding="utf-8") as f:
            text = f.read()
        targets = re.findall(r'name="Local" value="([^"]+)"', text) + re.findall(r'href="([^"#:]+)"', text)
        for target in targets:
            checked_links += 1
            if "/" + target not in names:
                failures.append("%s names %s, which is not in the help file" % (name, target))
    if checked_links < 20:
        failures.append("only %d links found: the sources were not read" % checked_links)

    for failure in failures:
        print("FAIL: " + failure)
    if failures:
        return 1
    print("help file holds %d names; cover topic and %d links checked" % (len(names), checked_links))
    return 0


if __name__ == "__main__":
    sys.exit(main())
