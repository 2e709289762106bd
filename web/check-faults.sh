#!/usr/bin/env bash
# Proves on faulty variants of a glTF file that the validator and the render
# check still catch what they are there for: a property glTF does not define,
# triangles wound inside out, and a colour lost.
#   web/check-faults.sh MODEL.glb OUT_DIR [TEMPLATE]   (variants and pictures go to OUT_DIR)
set -uo pipefail
web="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 MODEL.glb OUT_DIR [TEMPLATE]" >&2
  exit 2
fi
model="$1"
out="$2"
template=()
[ $# -eq 3 ] && template=(--template "$3")
passed=0
failed=0

caught() { # PATTERN COMMAND...: the command must fail and print a line matching PATTERN
  local pattern="$1" output
  shift
  if output="$("$@" 2>&1)"; then
    echo "FAIL not caught ($pattern): $*"
    failed=$((failed + 1))
  elif grep -Eq "$pattern" <<<"$output"; then
    echo "ok   caught: $(grep -Em1 "$pattern" <<<"$output" | sed 's/^ *//')"
    passed=$((passed + 1))
  else
    echo "$output"
    echo "FAIL failed for another reason than ($pattern): $*"
    failed=$((failed + 1))
  fi
}

name="$(basename "$model" .glb)"
if ! node "$web/make-test-models.mjs" "$model" "$out"; then
  echo "FAIL cannot make the faulty variants of $model"
  exit 1
fi
caught "warning +UNEXPECTED_PROPERTY" node "$web/validate-gltf.mjs" "$out/$name.warning.glb"
caught "^FAIL .*backfaces .*: [1-9][0-9]* pixels in areas" \
  node "$web/check-render.mjs" --out "$out" "${template[@]}" "$out/$name.flipped.glb"
caught "^FAIL .*colour #[0-9a-f]+ in 0 pixels" node "$web/check-render.mjs" --out "$out" "${template[@]}" \
  --colours-from "$out/$name.coloured.glb" "$out/$name.colour-lost.glb"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
