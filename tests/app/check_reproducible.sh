#!/usr/bin/env bash
# check_reproducible.sh NINJA BUILD_DIR EXE CMAKE DIST_SCRIPT STRIP PATH...
# The same commit gives the same release file: links the program twice, a
# second apart, into two folders of different depth, makes the release file
# of each the way `make dist` does, and compares the bytes; then looks for
# the given PATHs (checkout, build folder, dependency cache) in the image,
# as text and as UTF-16. EXE is the program's path inside BUILD_DIR.
set -euo pipefail
ninja=$1 build=$2 exe=$3 cmake=$4 dist=$5 strip=$6
shift 6

link=$("$ninja" -C "$build" -t commands "$exe" | tail -n 1)
case "$link" in
  *" -o $exe "*) ;;
  *) echo "no link command for $exe in $build"; exit 1 ;;
esac

work=$(mktemp -d "$build/reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
folders=("$work/a" "$work/b/deeper/folder")
for out in "${folders[@]}"; do
  mkdir -p "$out"
  command=${link//" -o $exe "/" -o $out/program.exe "}
  command=${command//"--out-implib,$(dirname "$exe")/"/"--out-implib,$out/"}
  (cd "$build" && eval "$command")
  "$cmake" -DEXE="$out/program.exe" -DOUTPUT_DIR="$out/dist" -DNAME=release.exe -DSTRIP="$strip" -P "$dist" >/dev/null
  sleep 1.1  # a timestamp would differ
done

python3 - "${folders[0]}" "${folders[1]}" "$@" <<'PY'
import hashlib, struct, sys
a, b, paths = sys.argv[1], sys.argv[2], [p for p in sys.argv[3:] if p]
read = lambda path: open(path, "rb").read()
faults = []
for name in ("program.exe", "dist/release.exe", "dist/release.exe.sha256"):
    first, second = read(a + "/" + name), read(b + "/" + name)
    if first != second:
        at = next(i for i in range(min(len(first), len(second)) + 1) if i >= min(len(first), len(second)) or first[i] != second[i])
        faults.append("%s differs between the two builds (from byte %d)" % (name, at))
release = read(a + "/dist/release.exe")
if read(a + "/dist/release.exe.sha256").decode() != "%s  release.exe\n" % hashlib.sha256(release).hexdigest():
    faults.append("the .sha256 file does not hold the release file's hash")
pe = struct.unpack_from("<I", release, 0x3C)[0]
if release[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<I", release, pe + 8)[0] != 0:
    faults.append("the release file carries a link time")
for path in paths:
    for encoding in ("utf-8", "utf-16-le"):
        at = release.find(path.encode(encoding))
        if at >= 0:
            end = release.find(b"\0\0" if encoding != "utf-8" else b"\0", at)
            faults.append("the release file names the build path %s: %r" % (path, release[at:end][:160].decode(encoding, "replace")))
for fault in faults:
    print(fault)
if not faults:
    print("two links give the same %d-byte release file, free of build paths" % len(release))
sys.exit(1 if faults else 0)
PY
