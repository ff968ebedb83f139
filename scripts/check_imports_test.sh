#!/usr/bin/env bash
# check_imports_test.sh VORLIX_EXE: scripts/check_imports.sh passes the built Vorlix.exe, stripped or not,
# and names the fault in copies of it that break one of its rules each (bytes changed with Python).
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# variant NAME PYTHON: a copy of the program as $work/NAME/Vorlix.exe, its bytes `data` changed by PYTHON.
variant() {
    mkdir -p "$work/$1"
    python3 - "$exe" "$work/$1/Vorlix.exe" "$2" <<'PY'
import struct, sys
source, target, change = sys.argv[1:]
data = bytearray(open(source, "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
characteristics = pe + 24 + 70  # DllCharacteristics in the optional header
def clear(bit):
    struct.pack_into("<H", data, characteristics, struct.unpack_from("<H", data, characteristics)[0] & ~bit)
def rename(old, new):
    global data
    assert len(old) == len(new) and old in data
    data = bytearray(data.replace(old, new))
exec(change)
open(target, "wb").write(data)
PY
}

x86_64-w64-mingw32-strip -o "$work/Vorlix.exe" "$exe"
variant start-import 'rename(b"ADVAPI32.dll\0", b"COMCTL32.dll\0")'
variant foreign-import 'rename(b"GDI32.dll\0", b"WINMM.dll\0")'
variant no-high-entropy 'clear(0x20)'
variant no-aslr-no-nx 'clear(0x40); clear(0x100)'
variant no-protector 'rename(b"__stack_chk_fail", b"__stack_chk_lift"); rename(b"stack smashing", b"stack smushing")'
# Rows: program | what the check must say ("" for nothing)
rows=(
    "$exe|"
    "$work/Vorlix.exe|"
    "$work/start-import/Vorlix.exe|imports at start DLLs that are not KnownDLLs (delay-load them): COMCTL32.dll"
    "$work/foreign-import/Vorlix.exe|imports non-system DLLs: WINMM.dll"
    "$work/no-high-entropy/Vorlix.exe|lacks the PE flags: HIGH_ENTROPY_VA"
    "$work/no-aslr-no-nx/Vorlix.exe|lacks the PE flags: DYNAMIC_BASE NX_COMPAT"
    "$work/no-protector/Vorlix.exe|has no stack protector"
)
failed=0
for row in "${rows[@]}"; do
    program=${row%%|*}
    expected=${row#*|}
    said=$(bash scripts/check_imports.sh "$program")
    status=$?
    if [[ -z "$expected" && ($status -ne 0 || -n "$said") ]] ||
        [[ -n "$expected" && ($status -eq 0 || "$said" != *"$expected"*) ]]; then
        echo "check_imports.sh on ${program#"$work/"}: expected \"${expected:-nothing}\", got \"$said\" (exit $status)"
        failed=1
    fi
done
((failed == 0)) && echo "check_imports.sh: passes Vorlix.exe, stripped or not, and names each of $((${#rows[@]} - 2)) faults" ||
    { echo "check_imports.sh: its own test failed"; exit 1; }
