#!/bin/sh
# Adds KELDAR to the desktop's application menu for the current user, pointing
# at the working folder this script was unpacked with (two levels up).
# The program runs in that folder and updates its files there, so it must be
# writable by the user.
set -eu

folder=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -x "$folder/keldar" ]; then
  echo "No keldar program in $folder" >&2
  exit 1
fi
if [ ! -w "$folder" ]; then
  echo "Warning: $folder is not writable; the program cannot update itself there." >&2
fi

data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications"
entry="$data/applications/keldar.desktop"
{
  echo "[Desktop Entry]"
  echo "Type=Application"
  echo "Name=KELDAR"
  echo "GenericName=M-Bus service tool"
  echo "Comment=Read and configure M-Bus heat and water meters"
  echo "Exec=\"$folder/keldar\""
  echo "Path=$folder"
  echo "Icon=$folder/share/icons/hicolor/128x128/apps/keldar.png"
  echo "Terminal=false"
  echo "Categories=Utility;"
} > "$entry"
echo "Wrote $entry"
