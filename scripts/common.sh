# Shared by the scripts: where things are, and how Windows programs are run here.
# shellcheck shell=bash
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}

# The selection mask of the sample installation, as examples/install.nsi defines it.
sample_mask=$(sed -n 's/^!define MASK "\([01]*\)".*/\1/p' "$root/examples/install.nsi")

# Seconds each fuzz target runs in scripts/fuzz (and so in scripts/test), unless ZET_FUZZ_SECONDS
# says otherwise.
default_fuzz_seconds=30

# True where 32-bit x86 Linux programs (and so 32-bit Wine) can run. Some sandboxed kernels
# cannot; there the Windows tests run as a 64-bit build under 64-bit Wine instead.
can_run_i386() {
  [ -e /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# The preset whose test programs Wine can run on this machine.
windows_test_preset() {
  if can_run_i386; then echo win32; else echo win64; fi
}

# Creates the Wine prefix once, before tests run in parallel and race to create it.
wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  if can_run_i386; then
    wine wineboot --init >/dev/null 2>&1
  else
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  fi
  wineserver -w 2>/dev/null || true
}

build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
}

# Lays out installation media in folder $1, as an installer carries them: the catalogue, the
# application's group tables and dictionary configuration files, and a small data file for
# every file the catalogue lists.
stage_media() {
  local media=$1 name
  mkdir -p "$media"
  cp "$root/examples/catalogue.txt" "$root"/examples/install/* "$media/"
  tr -d '\r' <"$root/examples/catalogue.txt" | awk -F'|' 'NR > 1 { print $3 }' | tr ';' '\n' |
    sed 's/@.*//; s/^ *//; s/ *$//' | while read -r name; do
      [ -n "$name" ] && printf 'sample data of %s\r\n' "$name" >"$media/$name"
    done
}
