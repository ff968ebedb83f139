#!/usr/bin/env bash
# Builds the portable release: a zip with Vorlix.exe, its two help files, a sample menu (Vorlix.lst, from
# examples/sample.lst) and ReadMe.txt, in one folder named after the version. The build has its own folder
# (${VORLIX_BUILD_PREFIX}release-win, default build/release-win); the zip goes to
# ${VORLIX_BUILD_PREFIX}release/Vorlix-<version>.zip. Before zipping, the program is checked to import
# only system DLLs (scripts/check_imports.sh) and the help files to hold every page (scripts/check_help.py).
#
# The release can be rebuilt bit for bit from the same commit, in any folder, on any day: the program holds
# no build path and no time stamp (CMakeLists.txt), the help files are made without one
# (cmake/build_help.py), and the zip's entries come in a fixed order with the time of the last commit
# (SOURCE_DATE_EPOCH, unless set already). The zip's SHA-256 goes beside it as Vorlix-<version>.zip.sha256
# (the line `sha256sum -c` reads) and is printed last.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
prefix=${VORLIX_BUILD_PREFIX:-build/}
build="${prefix}release-win"
out="${prefix}release"

bash scripts/setup.sh
version=$(sed -nE 's/^project\(Vorlix VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }
name="Vorlix-$version"
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || { echo "release: no commit to date the release by; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

echo "release: building $name in $build"
mkdir -p "$(dirname "$build.configure.log")"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DVORLIX_BENCH=OFF >"$build.configure.log" 2>&1 || { cat "$build.configure.log" >&2; exit 1; }
# The help files carry SOURCE_DATE_EPOCH, which their build does not depend on: always made anew.
rm -f "$build"/Vorlix-*.chm
cmake --build "$build" -j2 --target Vorlix vorlix_help

stage="$out/$name"
rm -rf "$stage" "$out/$name.zip" "$out/$name.zip.sha256"
mkdir -p "$stage"
# Debugging symbols are of no use to a user and triple the size. strip writes a time stamp into the PE
# header that the linker left out: SOURCE_DATE_EPOCH, else the time of the build.
x86_64-w64-mingw32-strip -o "$stage/Vorlix.exe" "$build/Vorlix.exe"
cp "$build/Vorlix-en.chm" "$build/Vorlix-de.chm" "$stage/"
# Windows text files: CR LF line ends.
sed 's/\r*$/\r/' examples/sample.lst >"$stage/Vorlix.lst"
# With a UTF-8 mark, so that every Notepad shows its German lines right.
{ printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/" -e 's/\r*$/\r/' docs/help/ReadMe.txt; } >"$stage/ReadMe.txt"

bash scripts/check_imports.sh "$stage/Vorlix.exe" && echo "Vorlix.exe imports system DLLs only"
python3 scripts/check_help.py "$stage" "$root"

python3 - "$out" "$name" <<'PY'
import os, sys, time, zipfile
out, name = sys.argv[1:]
expected = ["Vorlix.exe", "Vorlix-en.chm", "Vorlix-de.chm", "Vorlix.lst", "ReadMe.txt"]
path = os.path.join(out, name + ".zip")
# Every entry the same date (the last commit's, in UTC; a zip cannot go before 1980) and the same rights,
# so that nothing of the machine or the moment of the build gets into the zip.
stamp = max(time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6], (1980, 1, 1, 0, 0, 0))
with zipfile.ZipFile(path, "w") as archive:
    for file in expected:
        info = zipfile.ZipInfo(f"{name}/{file}", date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0
        info.external_attr = 0
        with open(os.path.join(out, name, file), "rb") as source:
            archive.writestr(info, source.read(), compresslevel=9)
with zipfile.ZipFile(path) as archive:
    if archive.testzip() is not None or archive.namelist() != [f"{name}/{f}" for f in expected]:
        sys.exit(f"release: {path} does not hold what it should: {archive.namelist()}")
    for info in archive.infolist():
        print(f"  {info.filename:32} {info.file_size:9} bytes")
print(f"release: {path}, {os.path.getsize(path)} bytes")
PY
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "release: SHA-256 in $out/$name.zip.sha256"
cat "$out/$name.zip.sha256"
