#!/usr/bin/env python3
"""Records what happens to the files of one folder, for tests that must see a file that exists only for a
moment (created for the editor and deleted again when the editor leaves it empty).

    watch_folder.py FOLDER LOG [SECONDS]

Appends one line per event to LOG ("create NAME", "delete NAME", "moved-to NAME", "moved-from NAME") and
creates LOG.ready once the watch stands, so a test can wait for it before acting. Ends after SECONDS
(default 120). Uses inotify through the C library, so it needs nothing but Python on Linux.
"""
import ctypes
import os
import select
import struct
import sys
import time

IN_MOVED_FROM = 0x40
IN_MOVED_TO = 0x80
IN_CREATE = 0x100
IN_DELETE = 0x200
NAMES = {IN_CREATE: "create", IN_DELETE: "delete", IN_MOVED_TO: "moved-to", IN_MOVED_FROM: "moved-from"}
HEADER = struct.Struct("iIII")  # watch descriptor, mask, cookie, length of the name


def main():
    folder, log = sys.argv[1], sys.argv[2]
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 120.0
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
    if fd < 0:
        sys.exit("inotify_init1 failed: " + os.strerror(ctypes.get_errno()))
    mask = IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM
    if libc.inotify_add_watch(fd, os.fsencode(folder), mask) < 0:
        sys.exit("inotify_add_watch failed: " + os.strerror(ctypes.get_errno()))
    with open(log, "a", buffering=1) as out:
        open(log + ".ready", "w").close()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            readable, _, _ = select.select([fd], [], [], 0.2)
            if not readable:
                continue
            data = os.read(fd, 65536)
            pos = 0
            while pos + HEADER.size <= len(data):
                _, event, _, length = HEADER.unpack_from(data, pos)
                name = data[pos + HEADER.size:pos + HEADER.size + length].rstrip(b"\0").decode(errors="replace")
                pos += HEADER.size + length
                for bit, word in NAMES.items():
                    if event & bit:
                        out.write(f"{word} {name}\n")


if __name__ == "__main__":
    main()
