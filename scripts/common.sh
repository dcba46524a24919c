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

# True where 32-bit x86 Linux programs can run. Some sandboxed kernels cannot.
can_run_i386() {
  [ -e /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# True where the x86 DLLs and installers run: 32-bit code runs and the 32-bit Wine is there
# (its package may not be installable while a mirror is stale). Elsewhere the Windows tests run
# as the 64-bit build under 64-bit Wine.
can_run_x86() {
  can_run_i386 && [ -x /usr/lib/wine/wine ]
}

# Why can_run_x86 is false, in a few words.
x86_missing_reason() {
  if ! can_run_i386; then echo "this machine cannot run 32-bit code"; else
    echo "the 32-bit Wine is not installed"
  fi
}

# The Windows builds, one per NSIS target; each preset is named after its target and builds
# build/<target>/zetdll.dll.
windows_presets="x86-ansi x86-unicode amd64-unicode"

# The Windows builds whose programs run on this machine: the 64-bit one under 64-bit Wine
# everywhere, the 32-bit ones only where can_run_x86.
runnable_windows_presets() {
  if can_run_x86; then echo "$windows_presets"; else echo amd64-unicode; fi
}

# The one Windows build that compares with the Linux library where a script needs only one:
# the product as it was first shipped where it runs, the 64-bit build elsewhere.
windows_test_preset() {
  if can_run_x86; then echo x86-ansi; else echo amd64-unicode; fi
}

# The target a real installer is built for where only one is run (scripts/demo): the NSIS
# default where the x86 builds run, the 64-bit target elsewhere.
demo_target() {
  if can_run_x86; then echo x86-unicode; else echo amd64-unicode; fi
}

# A Unix path as a Windows program under Wine sees it: drive Z:, backslashes. The path need not
# exist; a relative one is taken from the current folder.
winpath() {
  local full=$1
  [[ $full == /* ]] || full=$PWD/$full
  printf 'Z:%s' "${full//\//\\}"
}

# The Wine loader for Windows program $1: the 64-bit loader for a 64-bit program, so that it
# also runs where 32-bit Linux code cannot; the default loader otherwise. Without a program, the
# loader that prepares the prefix: the default one where the x86 builds run, the 64-bit one
# elsewhere.
wine_loader() {
  if [ $# -eq 0 ]; then
    if can_run_x86; then echo wine; else echo /usr/lib/wine/wine64; fi
  elif [ -x /usr/lib/wine/wine64 ] && file -L "$1" 2>/dev/null | grep -q 'x86-64'; then
    echo /usr/lib/wine/wine64
  else
    echo wine
  fi
}

# Runs NSIS installer $1 silently into folder $2 and waits for it, with the further
# command-line options $3... (such as /MASK=0110) before /D=. NSIS takes /D= only last and
# unquoted, and Wine would quote an argument with blanks, so the command line goes through cmd
# as written.
run_installer() {
  local exe=$1 folder=$2
  shift 2
  LC_ALL=C.UTF-8 "$(wine_loader "$exe")" cmd /c "$(winpath "$exe") /S $* /D=$(winpath "$folder")"
  wineserver -w
}

# Runs the uninstaller $1 silently (it copies itself away and starts again from there; the wait
# is for that copy too).
run_uninstaller() {
  LC_ALL=C.UTF-8 "$(wine_loader "$1")" cmd /c "$(winpath "$1") /S"
  wineserver -w
}

# Compiles examples/install.nsi for NSIS target $1 against that target's DLL, with the media
# folder $2 and the installer $3 as output.
build_example() {
  makensis -V2 -DTARGET="$1" -DMEDIA="$2" -DPLUGINS="$root/build/$1" -DOUTFILE="$3" \
    "$root/examples/install.nsi"
}

# The folder name of the wide-character installations: Polish, Cyrillic and Japanese, which no
# single ANSI code page holds.
wide_folder_name='Łukasz Жук 辞書'

# Creates the Wine prefix once, before tests run in parallel and race to create it.
wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  echo "Preparing Wine's prefix in $WINEPREFIX (the first time only, about a minute)..."
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$(wine_loader)" wineboot --init >/dev/null 2>&1
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
