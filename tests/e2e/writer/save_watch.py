#!/usr/bin/env python3
"""Watches a menu file while a program saves it, and kills the program (SIGKILL) at a chosen moment.

    save_watch.py PID MENU OLD NEW READY DELAY_MS [--in-place]

OLD and NEW hold the file's bytes before and after the save. READY is created once the watch is set. The
kill comes DELAY_MS milliseconds (a fraction allowed) after the save's first sign: a temporary MENU.~vorlix*
appears, or, with --in-place, MENU itself is written. (Counting writes would not do: inotify merges
events of one file that are not read yet.)

From the start until the kill every event of the folder is checked: MENU is never deleted and never
renamed away, and, unless --in-place, never written either (it changes only by a rename onto it). Reading
the file during the save would delay the kill by milliseconds, longer than the save's writes take, so its
content is checked once, after the kill: OLD or NEW, whole; with --in-place (a file with several names,
written where it is) it may also be NEW up to some byte followed by OLD from there, and it must still be
the same file (inode).
Prints one line, "killed at ...; the file: old|new|new up to byte K, then old; faults: ...". Exit codes:
0 killed, no fault; 1 a fault was seen; 3 the save never started within the time-out (nothing killed);
2 bad use.
Timestamps are too coarse to see single writes, hence inotify (through ctypes: Linux only).
"""
import ctypes
import os
import select
import signal
import struct
import sys
import time

TIMEOUT_S = 30
IN_MODIFY = 0x002
IN_MOVED_FROM = 0x040
IN_MOVED_TO = 0x080
IN_CREATE = 0x100
IN_DELETE = 0x200
EVENT_HEADER = struct.Struct("iIII")  # wd, mask, cookie, len


def watch(folder):
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK)
    mask = IN_MODIFY | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE | IN_DELETE
    if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), mask) < 0:
        raise OSError(ctypes.get_errno(), "inotify")
    return fd


def pending(fd, wait_s):
    """The (mask, name) events that arrive within wait_s (all that are queued, at least)."""
    if not select.select([fd], [], [], max(wait_s, 0))[0]:
        return []
    out = []
    try:
        data = os.read(fd, 1 << 20)
    except BlockingIOError:
        return out
    at = 0
    while at < len(data):
        _, mask, _, length = EVENT_HEADER.unpack_from(data, at)
        at += EVENT_HEADER.size
        out.append((mask, data[at:at + length].rstrip(b"\0").decode(errors="replace")))
        at += length
    return out


def wait_gone(pid):
    """Until the killed process has ended (it is not our child, so it is polled)."""
    for _ in range(2000):
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return
        time.sleep(0.005)


def common_prefix(a, b):
    """How many leading bytes a and b share (compared in blocks, which is quick in Python)."""
    k, block = 0, 1 << 16
    while block:
        while k + block <= min(len(a), len(b)) and a[k:k + block] == b[k:k + block]:
            k += block
        block //= 2
    return k


def main(argv):
    if len(argv) < 7:
        return 2
    pid, menu, old_path, new_path, ready = int(argv[1]), *argv[2:6]
    delay_s = float(argv[6]) / 1000
    in_place = "--in-place" in argv[7:]
    old, new = open(old_path, "rb").read(), open(new_path, "rb").read()
    folder, name = os.path.dirname(menu) or ".", os.path.basename(menu)
    temporary = name + ".~vorlix"
    inode = os.stat(menu).st_ino
    faults = []

    def state_after():
        try:
            with open(menu, "rb") as f:
                content, now = f.read(), os.fstat(f.fileno()).st_ino
        except FileNotFoundError:
            faults.append("the menu file is missing")
            return "missing"
        if content == old:
            return "old"
        if content == new:
            return "new"
        k = common_prefix(content, new)
        if in_place and now == inode and content[k:] == old[k:] and len(content) == max(len(old), k):
            return f"new up to byte {k}, then old"
        faults.append(f"the menu file holds {len(content)} bytes that are neither the old nor the new ones")
        return "torn"

    started = None  # monotonic time of the save's first sign
    writes = 0

    def look(events):
        nonlocal started, writes
        for mask, event_name in events:
            ours = event_name == name or event_name.startswith(temporary)
            if event_name == name and mask & (IN_DELETE | IN_MOVED_FROM):
                faults.append("the menu file was " + ("deleted" if mask & IN_DELETE else "renamed away"))
            if event_name == name and mask & IN_MODIFY and not in_place:
                faults.append("the menu file was written in place")
            if started is None and ours and (mask & IN_CREATE or (in_place and mask & IN_MODIFY)):
                started = time.monotonic()
            if ours and mask & IN_MODIFY:
                writes += 1

    fd = watch(folder)
    open(ready, "w").close()
    deadline = time.monotonic() + TIMEOUT_S
    while True:
        now = time.monotonic()
        if started is not None and now >= started + delay_s:
            break
        if now >= deadline:
            print(f"the save never started; faults: {'; '.join(dict.fromkeys(faults)) or 'none'}")
            return 1 if faults else 3
        look(pending(fd, (deadline if started is None else started + delay_s) - now))
    seen = f"{(now - started) * 1000:.2f} ms after the save began, {writes} writes seen"
    os.kill(pid, signal.SIGKILL)
    wait_gone(pid)
    look(pending(fd, 0.05))
    state = state_after()
    print(f"killed at {seen}; the file: {state}; faults: {'; '.join(dict.fromkeys(faults)) or 'none'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
