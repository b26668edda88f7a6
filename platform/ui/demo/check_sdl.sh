#!/bin/sh
# Opens the demo window through SDL2 on the X display it is given (run it under scripts/on-screen),
# drives it with a session script and checks that it ran on screen: the caption printed, the
# screenshot written, and no headless message-box line. Usage: check_sdl.sh path/to/vetra_ui_demo
set -eu
demo=${1:?usage: check_sdl.sh path/to/vetra_ui_demo}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'wait 300\nanswer IDNO\nclick 60 34\nclick 100 100\ntype 안녕 SDL\nwait 200\nscreenshot %s/sdl.png\ncaption\nquit\n' \
  "$work" > "$work/sdl.script"
unset VETRA_HEADLESS
: "${DISPLAY:?run under scripts/on-screen}"
ASAN_OPTIONS=detect_leaks=0 \
  env VETRA_SCRIPT="$work/sdl.script" VETRA_ROOT="$work" "$demo" > "$work/out.txt" 2>&1
grep -qx 'UI demo' "$work/out.txt" || { echo "no caption printed"; cat "$work/out.txt"; exit 1; }
if grep -q '^\[UI demo\]' "$work/out.txt"; then echo "ran headless, not on screen"; exit 1; fi
test -s "$work/sdl.png" || { echo "no screenshot"; exit 1; }
echo "SDL display check passed"
