#!/usr/bin/env bash
# Makes the distribution folder of Kalmo: build/dist/Kalmo (or the folder given) with the install
# and uninstall scripts, the program files compressed for distribution (SZDD, 8.3 names ending in
# "_"), the icon, the licence and Instaler.exe. Builds the Windows build first when it is missing.
# Usage: dist/make-dist.sh [output folder] [windows build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build/dist/Kalmo}"
build="${2:-$root/build/windows}"

for f in Kalmo.exe Hook.dll Instaler.exe; do
  if [ ! -f "$build/$f" ]; then
    "$root/tools/build.sh" windows
    break
  fi
done
command -v mscompress >/dev/null || { echo "make-dist: mscompress is missing (apt-get install mscompress)" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Text files of the disk are Windows-1250 with CR LF line ends.
to_cp1250() { iconv -f UTF-8 -t CP1250 "$1" | sed 's/\r*$/\r/' >"$2"; }

# A file compressed under its 8.3 distribution name: mscompress appends "_" to the name.
compress() {
  local src="$1" name="$2"
  cp "$src" "$work/$name"
  mscompress "$work/$name"
  mv "$work/${name}_" "$out/${name%?}_"
}

to_cp1250 "$root/dist/Licencja.txt.utf8" "$out/Licencja.txt"
if [ -f "$root/res/Kalmo.ico" ]; then
  cp "$root/res/Kalmo.ico" "$out/icon.ico"
else
  python3 "$root/dist/make-icon.py" "$out/icon.ico"
fi

compress "$build/Kalmo.exe" KALMO.EXE
compress "$build/Hook.dll" HOOK.DLL
compress "$out/Licencja.txt" LICENCJA.TXT
cp "$build/Instaler.exe" "$out/Instaler.exe"
# The help pages go beside the program as they are.
cp "$root"/help/* "$out/"

# Required space: the expanded files, in megabytes rounded up to one decimal, with the comma.
bytes=$(( $(stat -c %s "$build/Kalmo.exe") + $(stat -c %s "$build/Hook.dll") + $(stat -c %s "$out/icon.ico") +
          $(stat -c %s "$out/Licencja.txt") + $(cat "$root"/help/* | wc -c) ))
tenths=$(( (bytes * 10 + 1048575) / 1048576 ))
space="$((tenths / 10)),$((tenths % 10))"
sed "s/@SPACE@/$space/" "$root/dist/install.cfg" >"$work/install.cfg"
to_cp1250 "$work/install.cfg" "$out/install.cfg"
to_cp1250 "$root/dist/uninstall.cfg" "$out/uninstall.cfg"

echo "$out"
