#!/usr/bin/env bash
# check.sh GXUINFO FIXTURE_DIR: gxuinfo takes the sound box model (exit 0, its counts and
# extents) and refuses the cut one and a missing file (exit 1, with the reason).
set -uo pipefail
gxuinfo=$1 fixtures=$2
fail=0
expect() {  # expect EXIT PATTERN FILE
  local out code
  out=$("$gxuinfo" "$3" 2>&1)
  code=$?
  if [ "$code" != "$1" ] || ! grep -qx -- "$2" <<<"$out"; then
    echo "gxuinfo $3: exit $code, wanted $1 and a line matching '$2'; it printed:"
    echo "$out"
    fail=1
  fi
}
expect 0 'frames 2 materials 3 vertices 24 triangles 12' "$fixtures/box.gxu"
expect 0 'extents x -2 2 y -1.5 1.5 z -2.5 -0.5' "$fixtures/box.gxu"
expect 0 'material 1 triangles 0 texture "Unused.jpg"' "$fixtures/box.gxu"
expect 1 "gxuinfo: .*box_cut.gxu: refused at byte 1045 of 1947: the file is shorter than its counts require" \
  "$fixtures/box_cut.gxu"
expect 1 "gxuinfo: .*absent.gxu: cannot read the file" "$fixtures/absent.gxu"
exit $fail
