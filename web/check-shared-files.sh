#!/usr/bin/env bash
# Converts every shared BRep, STEP and IGES file to binary glTF with the demo
# (korrgeom -i), then runs the validator on them all. Exits 77 (a skipped
# test) when the data folder is absent.
#   web/check-shared-files.sh KORRGEOM DATA_DIR OUT_DIR
set -euo pipefail
web="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ $# -ne 3 ]; then
  echo "usage: $0 KORRGEOM DATA_DIR OUT_DIR" >&2
  exit 2
fi
korrgeom="$1" data="$2" out="$3"
if [ ! -d "$data" ]; then
  echo "skipped: no shared data folder $data"
  exit 77
fi
mkdir -p "$out"
shopt -s nullglob
for file in "$data"/brep/*.brep "$data"/step/*.st*p "$data"/iges/*.ig*s; do
  name="$(basename "${file%.*}")"
  "$korrgeom" -i "$file" -o "$out/$name.glb" >/dev/null
  echo "wrote $out/$name.glb"
done
node "$web/validate-gltf.mjs" "$out"/*.glb
