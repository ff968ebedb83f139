#!/usr/bin/env python3
"""Kills a process (SIGKILL) at a chosen moment of a menu file save, told by inotify events of its folder.

    kill_during_save.py PID MENU write N    after the N-th write to MENU or to one of its temporaries
                                            (MENU.~vorlix*): somewhere inside a save
    kill_during_save.py PID MENU change     at the first event of MENU itself (a rename onto it, a write)
    kill_during_save.py PID MENU delay S    after S seconds

Prints what it saw when it killed. Exit codes: 0 killed, 1 the moment did not come within 20 s, 2 bad use.
Timestamps are too coarse to see single writes, hence inotify (through ctypes: Linux only).
"""
import ctypes
import os
import select
import signal
import struct
import sys
import time

TIMEOUT_S = 20
IN_MODIFY = 0x002
IN_MOVED_TO = 0x080
IN_CREATE = 0x100
EVENT_HEADER = struct.Struct("iIII")  # wd, mask, cookie, len


def watch(folder):
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(0)
    if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_MODIFY | IN_MOVED_TO | IN_CREATE) < 0:
        raise OSError(ctypes.get_errno(), "inotify")
    return fd


def events(fd, deadline):
    """Yields (mask, name) until the deadline."""
    while True:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            return
        data = os.read(fd, 65536)
        at = 0
        while at < len(data):
            _, mask, _, length = EVENT_HEADER.unpack_from(data, at)
            at += EVENT_HEADER.size
            name = data[at:at + length].rstrip(b"\0").decode(errors="replace")
            at += length
            yield mask, name


def main(argv):
    if len(argv) < 4:
        return 2
    pid, menu, mode = int(argv[1]), argv[2], argv[3]
    folder = os.path.dirname(menu) or "."
    name = os.path.basename(menu)
    temporary = name + ".~vorlix"
    deadline = time.monotonic() + TIMEOUT_S
    seen = None
    if mode == "write" and len(argv) > 4:
        goal, count = int(argv[4]), 0
        for mask, event_name in events(watch(folder), deadline):
            if mask & IN_MODIFY and (event_name == name or event_name.startswith(temporary)):
                count += 1
                if count >= goal:
                    seen = f"write {count}, to {event_name}"
                    break
    elif mode == "change":
        for mask, event_name in events(watch(folder), deadline):
            if event_name == name:
                seen = f"event {mask:#x} of {event_name}"
                break
    elif mode == "delay" and len(argv) > 4:
        time.sleep(float(argv[4]))
        seen = f"after {argv[4]} s"
    else:
        return 2
    if seen is None:
        return 1
    os.kill(pid, signal.SIGKILL)
    print(f"killed: {seen}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
