# Sourced by the demo: the configuration merge on a copy of the sample installation files.
# shellcheck shell=bash

# show_config FOLDER: enters a few dictionaries one at a time, then a "/"-led list of
# dictionary configuration files, and prints the duvevo.cfg that results.
show_config() {
  local folder=$1
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  local call="$root/build/linux/zetdll-call"
  local name
  rm -f "$folder/duvevo.cfg"
  for name in finnish-english engineering medical; do
    echo "== updateDuvEvoCfg $folder $name"
    "$call" updateDuvEvoCfg "$folder" "$name"
  done
  echo "== updateDuvEvoCfg $folder /basic.cfg/"
  "$call" updateDuvEvoCfg "$folder" "/basic.cfg/"
  echo "== $folder/duvevo.cfg (ANSI text, shown as UTF-8)"
  if command -v iconv >/dev/null; then
    tr -d '\r' <"$folder/duvevo.cfg" | iconv -f WINDOWS-1252 -t UTF-8
  else
    tr -d '\r' <"$folder/duvevo.cfg"
  fi
}
