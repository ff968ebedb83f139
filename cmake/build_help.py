#!/usr/bin/env python3
"""Compiles one language's help pages into a .chm with chmcmd.

    build_help.py CHMCMD SOURCE_DIR SHARED_DIR STAGE_DIR OUTPUT_CHM

The pages are written in UTF-8. The help viewer reads the table of contents and the index in the code
page of the help file's language (Windows-1252 for English and German), and its full-text search reads
the pages that way too, so everything is staged in Windows-1252: pages with their charset line changed
and any character the code page lacks as a character reference, the contents, index and project file
strictly (a character they cannot hold fails the build). The style sheets of SHARED_DIR are
staged beside the pages, and so are the pictures that pages take from the repository's docs/ folder
("../../editor.png", which also shows when a page is opened from the source tree); inside the help file
they sit beside the pages. A link to a file that is not there fails the build as well.

The same pages give the same bytes, so that a release can be rebuilt bit for bit: chmcmd stamps the time
of the build into the file's header and into its #SYSTEM file (record 10), which are set to
SOURCE_DATE_EPOCH (0 without it), and it writes a few bytes of uninitialised memory into the keyword map,
which are the same from run to run only without address space randomisation (setarch -R).
"""
import os
import re
import shutil
import struct
import subprocess
import sys

TEXT_SUFFIXES = (".html", ".htm", ".css")
# A picture of docs/, two folders above a language's pages.
DOCS_PICTURE = re.compile(r'(src|href)="\.\./\.\./([^"/\\]+\.(?:png|gif|jpg))"', re.IGNORECASE)
STRICT_SUFFIXES = (".hhc", ".hhk", ".hhp")


def stage_pictures(text, source, stage_dir):
    """Copies the docs/ pictures that a page uses into the stage; returns the page linking them there."""
    def local(match):
        picture = os.path.normpath(os.path.join(os.path.dirname(source), "..", "..", match.group(2)))
        if not os.path.isfile(picture):
            sys.exit(f"build_help: {source}: {match.group(2)} is not in docs/")
        shutil.copyfile(picture, os.path.join(stage_dir, match.group(2)))
        return f'{match.group(1)}="{match.group(2)}"'
    return DOCS_PICTURE.sub(local, text)


def stage_file(source, target):
    lower = source.lower()
    if lower.endswith(TEXT_SUFFIXES):
        text = open(source, encoding="utf-8").read()
        text = stage_pictures(text, source, os.path.dirname(target))
        text = text.replace("charset=utf-8", "charset=windows-1252")
        open(target, "wb").write(text.encode("cp1252", errors="xmlcharrefreplace"))
    elif lower.endswith(STRICT_SUFFIXES):
        text = open(source, encoding="utf-8").read()
        text = text.replace("charset=utf-8", "charset=windows-1252")
        try:
            data = text.encode("cp1252")
        except UnicodeEncodeError as error:
            sys.exit(f"build_help: {source}: {error}")
        open(target, "wb").write(data)
    else:
        shutil.copyfile(source, target)


def fix_time_stamps(path):
    """Sets the two build times that chmcmd writes to SOURCE_DATE_EPOCH; fails on a file it cannot read."""
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH", "0")) & 0xFFFFFFFF
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        sys.exit(f"build_help: {path} is not a version 3 help file")
    struct.pack_into(">I", data, 0x10, stamp)  # the header's time stamp
    # #SYSTEM is the first file of the uncompressed section: a version, then records (code, length, data).
    content = struct.unpack_from("<Q", data, 0x58)[0]
    listing = subprocess.run(["chmls", "--no-page", "list", path], capture_output=True, text=True).stdout
    found = re.search(r"^\s*0\s+(\d+)\s+(\d+)\s+/#SYSTEM\s*$", listing, re.MULTILINE)
    if not found:
        sys.exit(f"build_help: no #SYSTEM in {path}")
    at, end = content + int(found.group(1)) + 4, content + int(found.group(1)) + int(found.group(2))
    while at + 4 <= end:
        code, length = struct.unpack_from("<HH", data, at)
        if code == 10 and length == 4:
            struct.pack_into("<I", data, at + 4, stamp)
        at += 4 + length
    open(path, "wb").write(data)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    chmcmd, source_dir, shared_dir, stage_dir, output = sys.argv[1:]
    shutil.rmtree(stage_dir, ignore_errors=True)
    os.makedirs(stage_dir)
    projects = []
    for folder, suffixes in ((shared_dir, (".css",)), (source_dir, ("",))):
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if os.path.isfile(path) and name.lower().endswith(suffixes):
                stage_file(path, os.path.join(stage_dir, name))
                if name.lower().endswith(".hhp"):
                    projects.append(name)
    if len(projects) != 1:
        sys.exit(f"build_help: {source_dir} needs exactly one .hhp project, found {projects}")
    compiled = None
    for line in open(os.path.join(stage_dir, projects[0]), encoding="cp1252"):
        if line.lower().startswith("compiled file="):
            compiled = line.split("=", 1)[1].strip()
    if not compiled:
        sys.exit(f"build_help: {projects[0]} names no 'Compiled file='")

    command = [chmcmd, "--html-scan", projects[0]]
    setarch = shutil.which("setarch")
    if setarch:
        command = [setarch, os.uname().machine, "-R"] + command
    run = subprocess.run(command, cwd=stage_dir, capture_output=True, text=True, errors="replace")
    report = [line for line in (run.stdout + run.stderr).splitlines()
              if line.strip() and not line.startswith(("chmcmd, a CHM compiler", "Note:", "Writing CHM"))]
    for line in report:
        print(f"chmcmd: {line}")
    missing = [line for line in report if "couldn't find" in line or "Error" in line]
    if run.returncode != 0 or missing or not os.path.isfile(os.path.join(stage_dir, compiled)):
        sys.exit(f"build_help: chmcmd failed on {source_dir}")
    fix_time_stamps(os.path.join(stage_dir, compiled))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    shutil.copyfile(os.path.join(stage_dir, compiled), output)


if __name__ == "__main__":
    main()
