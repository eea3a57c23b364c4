#!/usr/bin/env bash
# check_imports.sh EXE: the program must run on a Windows machine with
# nothing beside it, so it may import only DLLs that Windows itself ships.
set -euo pipefail
allowed='^(advapi32|comctl32|comdlg32|gdi32|iphlpapi|kernel32|msimg32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|uxtheme|version|winmm|ws2_32|crypt32|bcrypt|rpcrt4)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
bad=$(printf '%s\n' "$imports" | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
  echo "$(basename "$1") needs DLLs that Windows does not ship: $bad"
  exit 1
fi
echo "$(basename "$1") imports only system DLLs: $(echo $imports)"
