#!/usr/bin/env bash
# Fails when an include in src/ points up the layers
#   platform <- schematic <- design <- simulation <- shell <- cli
# (a folder may include its own headers and those of the folders below it),
# and prints the include graph per folder.
set -euo pipefail
src="$1/src"
layers=(platform schematic design simulation shell cli)
status=0
for i in "${!layers[@]}"; do
  folder=${layers[$i]}
  allowed=("${layers[@]:0:$((i + 1))}")
  pattern="^($(IFS='|'; echo "${allowed[*]}"))/"
  used=$(grep -ho '#include "[a-z_]*/[a-z_./]*"' "$src/$folder"/*.h "$src/$folder"/*.cpp |
         sed 's/#include "\([a-z_]*\)\/.*/\1/' | sort | uniq -c | awk '{printf "%s(%s) ", $2, $1}')
  echo "$folder includes: $used"
  while IFS= read -r line; do
    [ -z "$line" ] && continue
    echo "UPWARD: $line"
    status=1
  done < <(grep -Hn '#include "[a-z_]*/' "$src/$folder"/*.h "$src/$folder"/*.cpp |
           grep -vE "#include \"${pattern#^}" || true)
done
exit $status
