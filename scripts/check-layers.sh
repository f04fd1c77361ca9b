#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The layers, lowest first:
#   base      language-level helpers: errors, atomic file writes, workers and their hand-over
#   platform  what the operating system gives: program path, autostart, single instance
#   net       the HTTP client
#   support   program utilities: INI files, settings, texts, pictures, avatars, folders
#   vk        people, their files, the VK API and its answers, the account
#   app       program logic without widgets and the program-wide objects
#   ui        windows, dialogs, tray icon
#   program   start-up: from main() to the main window and back
set -euo pipefail
cd "$(dirname "$0")/../src"

layers=(base platform net support vk app ui program)
rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

status=0
for dir in */; do
  dir=${dir%/}
  own=$(rank "$dir")
  if [ "$own" -lt 0 ]; then
    echo "src/$dir: a folder with no place in the layer order" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "([^/"]+)\/.*/\1/' <<<"$include")
    [ "$target" = "$include" ] && continue # an include of the file's own folder
    if [ "$(rank "$target")" -gt "$own" ] || [ "$(rank "$target")" -lt 0 ]; then
      echo "$file:$line: $dir includes $target, which is not below it" >&2
      status=1
    fi
  done < <(grep -rnE '^#include "[^"]+/' "$dir" || true)
done
[ "$status" -eq 0 ] && echo "layers: every include points downward"
exit "$status"
