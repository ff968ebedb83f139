#!/usr/bin/env bash
# check_imports.sh EXE...: each Windows program imports only DLLs that every Windows installation has.
# Anything else (libstdc++-6.dll, libwinpthread-1.dll, ...) would have to ship beside the program. Prints
# each program that breaks a rule, with what it breaks, and exits 1 when there is one.
#
# Vorlix.exe itself is unpacked into folders that others can write to, so it is held to more:
# - what it imports at start is a KnownDLL, which Windows takes from the system folder only; every other
#   library is delay-loaded after start-up has limited the search to the system folder;
# - its PE header asks for a random base address, also above 4 GB, and data that cannot run
#   (DYNAMIC_BASE, HIGH_ENTROPY_VA, NX_COMPAT);
# - its code has the stack protector (its failure routine, or in a stripped program its message).
set -u
system_dlls=" kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll oleaut32.dll
              advapi32.dll shlwapi.dll version.dll uxtheme.dll msvcrt.dll "
# KnownDLLs of every 64-bit Windows from 7 on (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs).
known_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll shell32.dll ole32.dll oleaut32.dll
             comdlg32.dll shlwapi.dll "
pe_flags="DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT"
rc=0
for exe in "$@"; do
    if [[ ! -f "$exe" ]]; then
        echo "$exe is missing"
        rc=1
        continue
    fi
    headers=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "$exe cannot be read"; rc=1; continue; }
    bad=()
    unknown=()
    while read -r dll; do
        [[ "$system_dlls" == *" ${dll,,} "* ]] || bad+=("$dll")
        [[ "$known_dlls" == *" ${dll,,} "* ]] || unknown+=("$dll")
    done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
    if ((${#bad[@]} > 0)); then
        echo "$exe imports non-system DLLs: ${bad[*]}"
        rc=1
    fi
    [[ "${exe##*/}" == Vorlix.exe ]] || continue
    if ((${#unknown[@]} > 0)); then
        echo "$exe imports at start DLLs that are not KnownDLLs (delay-load them): ${unknown[*]}"
        rc=1
    fi
    missing=()
    for flag in $pe_flags; do
        grep -qw "$flag" <<<"$headers" || missing+=("$flag")
    done
    if ((${#missing[@]} > 0)); then
        echo "$exe lacks the PE flags: ${missing[*]}"
        rc=1
    fi
    if ! x86_64-w64-mingw32-nm "$exe" 2>/dev/null | grep -qw __stack_chk_fail &&
        ! grep -qa "stack smashing detected" "$exe"; then
        echo "$exe has no stack protector"
        rc=1
    fi
done
exit $rc
