#!/usr/bin/env bash
# check_imports.sh EXE...: each Windows program imports only DLLs that every Windows installation has.
# Anything else (libstdc++-6.dll, libwinpthread-1.dll, ...) would have to ship beside the program. Prints
# each program that imports another DLL, with the DLLs, and exits 1 when there is one.
set -u
system_dlls=" kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll oleaut32.dll
              advapi32.dll shlwapi.dll version.dll uxtheme.dll msvcrt.dll "
rc=0
for exe in "$@"; do
    if [[ ! -f "$exe" ]]; then
        echo "$exe is missing"
        rc=1
        continue
    fi
    bad=()
    while read -r dll; do
        [[ "$system_dlls" == *" ${dll,,} "* ]] || bad+=("$dll")
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
    if ((${#bad[@]} > 0)); then
        echo "$exe imports non-system DLLs: ${bad[*]}"
        rc=1
    fi
done
exit $rc
