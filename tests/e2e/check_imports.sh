#!/usr/bin/env bash
# The program must run on a bare Windows: it may import only DLLs that Windows itself ships,
# and at start-up only the small core ones (the dialog, sound and shell DLLs load on use).
set -euo pipefail
objdump=$1 exe=$2
allowed='^(kernel32|user32|gdi32|msvcrt|ucrtbase|ntdll|advapi32|api-ms-win-[a-z0-9-]+)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
bad=$(grep -v -E "$allowed" <<<"$dlls" || true)
echo "imports:" $dlls
if [ -n "$bad" ]; then echo "not a Windows system DLL:" $bad; exit 1; fi
