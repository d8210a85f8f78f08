#!/bin/sh
# Fails when a file includes a folder that sits above its own in the layer order below, or when a
# core file (outside ui/) includes a ui/ file. Lower folders never know the higher ones, so the
# folder graph has no cycles. Usage: check-layers.sh [source root]
root=${1:-$(dirname "$0")/..}
cd "$root/src" || exit 2
order="platform app text syntax editor search calendar print setup mainwindow"
rank() { i=0; for f in $order; do [ "$f" = "$1" ] && { echo $i; return; }; i=$((i+1)); done; echo 99; }
status=0
for file in $(find . -name '*.h' -o -name '*.cpp' -o -name '*.inc' | sed 's#^\./##' | sort); do
  own=${file%%/*}
  [ "$own" = "$file" ] && continue   # the program's entry (main.cpp) sits on top of everything
  own_rank=$(rank "$own")
  case $file in */ui/*) own_ui=1 ;; *) own_ui=0 ;; esac
  for inc in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/\([^"]*\)".*/\1\/\2/p' "$file"); do
    dep=${inc%%/*}
    dep_rank=$(rank "$dep")
    [ "$dep_rank" = 99 ] && continue
    if [ "$dep_rank" -gt "$own_rank" ]; then
      echo "layer error: $file includes $inc ($dep sits above $own)"; status=1
    fi
    case $inc in */ui/*) if [ $own_ui = 0 ]; then echo "layer error: core file $file includes $inc"; status=1; fi ;; esac
  done
done
[ $status = 0 ] && echo "layers ok: $order"
exit $status
