# Sourced by bench/popup_timing.sh and bench/icon_costs.sh, after tests/e2e/lib.sh and inside the work
# folder: fills the array "sources" with 20 icon sources, twelve programs of the prefix and eight documents
# of different types (created in docs/), as Windows paths.
sources=()
for p in notepad regedit cmd control cscript dxdiag iexplore msiexec msinfo32 oleview winver wordpad; do
    path=$(find "$WINEPREFIX/drive_c/windows" "$WINEPREFIX/drive_c/Program Files" -maxdepth 4 -iname "$p.exe" 2>/dev/null | head -n1)
    [[ -n "$path" ]] && sources+=("$(winpath "$path")")
done
mkdir -p docs
for d in notes.txt page.htm picture.bmp setup.ini script.bat data.reg list.xml sound.wav; do
    echo "x" >"docs/$d"
    sources+=("$(winpath "docs/$d")")
done
((${#sources[@]} == 20)) || echo "bench: found ${#sources[@]} icon sources instead of 20" >&2
