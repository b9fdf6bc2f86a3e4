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
case $folder in
  *"
"*)
    echo "The folder name holds a line break; a desktop entry cannot name it." >&2
    exit 1 ;;
esac
if [ ! -w "$folder" ]; then
  echo "Warning: $folder is not writable; the program cannot update itself there." >&2
fi

# Desktop entry escaping: string values double their backslashes; Exec's quoted
# argument first escapes " ` $ \ with a backslash and doubles % signs.
string_folder=$(printf '%s' "$folder" | sed 's/\\/\\\\/g')
exec_folder=$(printf '%s' "$folder" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')

data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications"
entry="$data/applications/keldar.desktop"
{
  echo "[Desktop Entry]"
  echo "Type=Application"
  echo "Name=KELDAR"
  echo "GenericName=M-Bus service tool"
  echo "Comment=Read and configure M-Bus heat and water meters"
  printf 'Exec="%s/keldar"\n' "$exec_folder"
  printf 'Path=%s\n' "$string_folder"
  printf 'Icon=%s/share/icons/hicolor/128x128/apps/keldar.png\n' "$string_folder"
  echo "Terminal=false"
  echo "Categories=Utility;"
} > "$entry"
echo "Wrote $entry"
