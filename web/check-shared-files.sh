#!/usr/bin/env bash
# Converts every shared BRep file with the demo (korrgeom -i) and every shared
# STEP and IGES file with the Exchange library, then runs the validator on
# them all. Exits 77 (a skipped test) when the data folder is absent.
#   web/check-shared-files.sh KORRGEOM EXCHANGE_TO_GLTF DATA_DIR OUT_DIR
set -euo pipefail
web="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ $# -ne 4 ]; then
  echo "usage: $0 KORRGEOM EXCHANGE_TO_GLTF DATA_DIR OUT_DIR" >&2
  exit 2
fi
korrgeom="$1" convert="$2" data="$3" out="$4"
if [ ! -d "$data" ]; then
  echo "skipped: no shared data folder $data"
  exit 77
fi
mkdir -p "$out"
shopt -s nullglob
for brep in "$data"/brep/*.brep; do
  name="$(basename "$brep" .brep)"
  "$korrgeom" -i "$brep" -o "$out/$name.glb" -b "$out/$name.brep" >/dev/null
  echo "wrote $out/$name.glb"
done
"$convert" "$out" "$data"/step/*.st*p "$data"/iges/*.ig*s
node "$web/validate-gltf.mjs" "$out"/*.glb
