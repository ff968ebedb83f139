#!/usr/bin/env python3
"""Opens built help files with chmls (fp-utils) and checks what the viewer would find inside.

    check_help.py BUILD_DIR REPO_DIR

For Vorlix-en.chm and Vorlix-de.chm in BUILD_DIR, against docs/help/<lang>/ and docs/help/*.css:
  - every source page, the style sheet, the contents and the index are inside;
  - the help file's default topic, contents and index (its #SYSTEM record) name files inside;
  - every link of every page, of the contents and of the index (href, src, "Local") points to a file
    inside, and a "#anchor" to an id or name in that page;
  - every page is listed in the contents, so none is reachable only by chance.
Prints one line per help file and exits 1 when anything is missing.
"""
import html.parser
import os
import posixpath
import re
import subprocess
import sys
import tempfile

LANGUAGES = ("en", "de")
EXTERNAL = re.compile(r"^(?:[a-z][a-z0-9+.-]*:|//)", re.IGNORECASE)


class Links(html.parser.HTMLParser):
    """Collects link targets and anchor names of one page (or of a contents or index file)."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.targets = []
        self.anchors = set()
        self._param = False

    def handle_starttag(self, tag, attrs):
        values = dict((k.lower(), v or "") for k, v in attrs)
        for key in ("id",) + (("name",) if tag == "a" else ()):
            if values.get(key):
                self.anchors.add(values[key])
        if tag in ("a", "link", "area") and "href" in values:
            self.targets.append(values["href"])
        if tag in ("img", "script", "frame", "iframe") and "src" in values:
            self.targets.append(values["src"])
        if tag == "param" and values.get("name", "").lower() == "local":
            self.targets.append(values.get("value", ""))


def chmls(*args):
    run = subprocess.run(["chmls", *args], capture_output=True, text=True, errors="replace")
    if run.returncode != 0:
        raise RuntimeError(f"chmls {' '.join(args)} failed: {run.stderr.strip()}")
    return run.stdout


def names_inside(chm):
    return {line.strip().lstrip("/") for line in chmls("-n", "list", chm).splitlines()
            if line.startswith("/") and not line.rstrip().endswith("/")}


def system_files(chm):
    """Default topic, contents and index file named in the help file's #SYSTEM record."""
    found = {}
    for line in chmls("printsystem", chm).splitlines():
        for key, label in (("topic", "Default topic"), ("contents", "Contents file"), ("index", "Index file")):
            if label in line and ":" in line:
                found[key] = line.split(":", 1)[1].strip(" \t\x00")
    return found


def parse(path):
    parser = Links()
    parser.feed(open(path, "rb").read().decode("cp1252", errors="replace"))
    return parser


def check(chm, sources):
    problems = []
    inside = names_inside(chm)
    lowered = {name.lower(): name for name in inside}

    def present(name):
        return name in inside or name.lower() in lowered

    expected = [n for n in os.listdir(sources) if not n.lower().endswith(".hhp")] + \
               [n for n in os.listdir(os.path.dirname(sources)) if n.endswith(".css")]
    for name in sorted(expected):
        if not present(name):
            problems.append(f"{name} is not inside")
    system = system_files(chm)
    for key in ("topic", "contents", "index"):
        if not system.get(key):
            problems.append(f"the help file names no {key}")
        elif not present(system[key]):
            problems.append(f"its {key} {system[key]} is not inside")

    with tempfile.TemporaryDirectory() as out:
        chmls("extractall", chm, out)
        parsed = {}
        for name in inside:
            if name.lower().endswith((".html", ".htm", ".hhc", ".hhk")):
                path = os.path.join(out, name)
                if not os.path.isfile(path):
                    problems.append(f"{name} is listed but cannot be extracted")
                    continue
                parsed[name] = parse(path)
        for name, links in sorted(parsed.items()):
            for target in links.targets:
                if not target or EXTERNAL.match(target) or target.startswith("#") and not target[1:]:
                    continue
                page, _, anchor = target.partition("#")
                page = posixpath.normpath(posixpath.join(posixpath.dirname(name), page)) if page else name
                if not present(page):
                    problems.append(f"{name}: link to {target}: {page} is not inside")
                elif anchor and page in parsed and anchor not in parsed[page].anchors:
                    problems.append(f"{name}: link to {target}: {page} has no anchor {anchor}")
        contents = system.get("contents", "")
        listed = {posixpath.normpath(t.partition("#")[0]) for t in parsed.get(contents, Links()).targets}
        for name in sorted(parsed):
            if name.lower().endswith((".html", ".htm")) and name not in listed:
                problems.append(f"{name} is not in the contents {contents}")
    return problems, len([n for n in inside if n.lower().endswith((".html", ".htm"))])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build, repo = sys.argv[1:]
    failed = False
    for lang in LANGUAGES:
        chm = os.path.join(build, f"Vorlix-{lang}.chm")
        if not os.path.isfile(chm):
            print(f"{chm} is missing")
            failed = True
            continue
        try:
            problems, pages = check(chm, os.path.join(repo, "docs", "help", lang))
        except RuntimeError as error:
            problems, pages = [str(error)], 0
        for problem in problems:
            print(f"Vorlix-{lang}.chm: {problem}")
        failed = failed or bool(problems)
        if not problems:
            print(f"Vorlix-{lang}.chm: {pages} pages, {os.path.getsize(chm)} bytes; every page and link target inside")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
