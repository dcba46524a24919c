# shellcheck shell=bash
# The file-system part of the demo: give installed files the times that the catalogue lists for
# them, then open the installation folder up to everyone, through the Linux build of the plug-in.
# Sourced by scripts/demo; run directly, it shows itself on a throw-away folder.

# demo_fsops FOLDER NAME TIMETEXT [NAME TIMETEXT ...]
#   Calls setFileModificationTime for FOLDER/NAME with each TIMETEXT (a FileTimeText as dicFiles
#   gives it: high and low half of a FILETIME in hexadecimal), shows each file's new time, then
#   calls giveAllPermissions "*FOLDER" and shows the modes before and after.
demo_fsops() {
  local here call folder name text
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  call=${ZETDLL_CALL:-${root:-$here}/build/linux/zetdll-call}
  folder=$1
  shift

  echo "-- setFileModificationTime"
  while [ $# -ge 2 ]; do
    name=$1 text=$2
    shift 2
    "$call" setFileModificationTime "$folder/$name" "$text" >/dev/null
    printf '  %-16s "%s"  ->  %s\n' "$name" "$text" \
      "$(date -u -r "$folder/$name" '+%Y-%m-%d %H:%M:%S.%N UTC')"
  done

  echo "-- giveAllPermissions \"*$folder\""
  echo "  before: $(stat -c '%A %a %U' "$folder")  (contents: $(stat -c '%a' "$folder"/* | sort -u | xargs))"
  "$call" giveAllPermissions "*$folder" >/dev/null
  echo "  after:  $(stat -c '%A %a %U' "$folder")  (contents: $(stat -c '%a' "$folder"/* | sort -u | xargs))"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  demo_folder=$(mktemp -d)
  trap 'rm -rf "$demo_folder"' EXIT
  chmod 755 "$demo_folder"
  echo dictionary >"$demo_folder/dict.dat"
  echo index >"$demo_folder/dict.idx"
  demo_fsops "$demo_folder" dict.dat "1cb1b53 20664580" dict.idx "1d0a2b4 c0ffee00"
fi
