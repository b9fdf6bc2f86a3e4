#!/bin/sh
# Fails when a source file includes a header of a layer above its own.
#
#   sh scripts/check-layers.sh [SOURCE_ROOT]
#
# Headers are included by their path from the source root ("device/identification.h"),
# so the first folders of the path name the layer a header belongs to. Each
# folder below lists the layers its files may include; `keldar/` (the plug-in
# interface) and system headers are open to all. Plug-ins include their own
# files by paths relative to the plug-in ("core/quantity.h"); of the program's
# they use only the base layer's bus client, UI kit and worker. The archive's
# store ("store/archive.h", plugins/admintools/store) is a layer of its own:
# pure logic over SQLite that keldar-cli and the tools link too; it uses
# nothing of the program's but base/platform.
set -eu
root=${1:-$(dirname "$0")/..}

allowed() {
  case $1 in
    base/platform)  echo "base/platform" ;;
    base/bus)       echo "base/bus" ;;
    base/core)      echo "base/platform base/core" ;;
    base/kit)       echo "base/platform base/kit" ;;
    device)         echo "base/platform base/bus base/core device" ;;
    device/screens) echo "base/platform base/bus base/core base/kit device device/screens" ;;
    online)         echo "base/platform base/core online" ;;
    online/screens) echo "base/platform base/core base/kit online online/screens" ;;
    config)         echo "base/platform base/bus base/core base/kit device config" ;;
    app)            echo "base/platform base/bus base/core base/kit device device/screens online online/screens config app" ;;
    cli)            echo "base/platform base/bus base/core device store cli" ;;
    store)          echo "base/platform store" ;;
    plugins)        echo "base/platform base/bus base/kit store" ;;
    tools)          echo "base/platform base/bus store tools" ;;
  esac
}

# The layer a header path belongs to; empty for anything outside the layers.
layer_of() {
  case $1 in
    base/platform/*) echo base/platform ;;
    base/bus/*)      echo base/bus ;;
    base/core/*)     echo base/core ;;
    base/kit/*)      echo base/kit ;;
    device/screens/*) echo device/screens ;;
    device/*)        echo device ;;
    online/screens/*) echo online/screens ;;
    online/*)        echo online ;;
    config/*)        echo config ;;
    app/*)           echo app ;;
    cli/*)           echo cli ;;
    tools/*)         echo tools ;;
    plugins/*)       echo plugins ;;
    store/*)         echo store ;;
  esac
}

status=0
checked=0
for folder in base/platform base/bus base/core base/kit device device/screens online online/screens \
              config app cli plugins/admintools/store plugins tools; do
  [ -d "$root/$folder" ] || continue
  # Files of a sub-layer are checked under their own folder, not the parent's.
  case $folder in
    device|online) files=$(find "$root/$folder" -path "$root/$folder/screens" -prune -o \
                             -type f \( -name '*.cpp' -o -name '*.h' \) -print) ;;
    plugins) files=$(find "$root/$folder" -path "$root/plugins/admintools/store" -prune -o \
                       -type f \( -name '*.cpp' -o -name '*.h' \) -print) ;;
    *) files=$(find "$root/$folder" -type f \( -name '*.cpp' -o -name '*.h' \)) ;;
  esac
  case $folder in
    plugins/admintools/store) may=$(allowed store) ;;
    *) may=$(allowed "$folder") ;;
  esac
  for file in $files; do
    checked=$((checked + 1))
    includes=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    for path in $includes; do
      target=$(layer_of "$path")
      [ -n "$target" ] || continue
      ok=no
      for layer in $may; do
        [ "$layer" = "$target" ] && ok=yes
      done
      if [ $ok = no ]; then
        echo "${file#"$root"/}: includes \"$path\" ($target), which $folder may not use;" \
             "it may include: $may" >&2
        status=1
      fi
    done
  done
done

if [ $checked -eq 0 ]; then
  echo "check-layers: no sources under $root" >&2
  exit 1
fi
[ $status -eq 0 ] && echo "check-layers: $checked files, every include points down"
exit $status
