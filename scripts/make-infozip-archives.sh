#!/usr/bin/env bash
# make-infozip-archives.sh DIR: archives encrypted by Info-ZIP's zip -P, for
# a known-answer test of the skin package reader's decryption: the plain
# files, then deflated.zip, stored.zip and streamed.zip (sizes and CRC in a
# data descriptor), all with the password "tovane-secret".
set -euo pipefail
dir=${1:?usage: make-infozip-archives.sh DIR}
command -v zip >/dev/null || { echo "Info-ZIP's zip is missing (apt-get install zip)" >&2; exit 1; }
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
python3 - <<'PY'
text = "".join("line %d of the theme: <item id=\"x%d\"/>\n" % (i, i) for i in range(4000))
open("theme.xml", "w").write(text)
open("picture.bin", "wb").write(bytes((i * 131 + (i >> 7)) & 0xFF for i in range(70001)))
PY
zip -q -X -P tovane-secret deflated.zip theme.xml picture.bin
zip -q -X -0 -P tovane-secret stored.zip theme.xml picture.bin
zip -q -X -P tovane-secret - theme.xml >streamed.zip
