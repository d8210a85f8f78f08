#!/bin/sh
# Fails when a source file under src/ is not named in docs/architecture.md, so that the table a
# newcomer reads first keeps up with the tree. A unit is named by its path below its folder
# without extension (`RowStore.h/cpp`, `ui/EditorWidget.h/cpp`). Usage: check-architecture.sh [root]
root=${1:-$(dirname "$0")/..}
doc="$(cd "$root" && pwd)/docs/architecture.md"
cd "$root/src" || exit 2
status=0
for file in $(find . -name '*.h' -o -name '*.cpp' -o -name '*.inc' | sed 's#^\./##' | sort); do
  folder=${file%%/*}
  [ "$folder" = "$file" ] && folder=""
  unit=${file#"$folder"/}
  unit=${unit%.*}
  # Each folder's section lists its units with their extensions: `Name.h/cpp`.
  if ! grep -q "\`$unit\.[a-z/]*\`" "$doc"; then
    echo "architecture table: $file is missing from docs/architecture.md"; status=1
  fi
done
[ $status = 0 ] && echo "architecture table names every source file"
exit $status
