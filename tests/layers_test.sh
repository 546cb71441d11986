#!/usr/bin/env bash
# Each folder of src/ is a layer, built by its own CMakeLists.txt, and may include only from itself
# and the layers below it; the core (model, exchange) includes no Qt at all, and the command-line
# tool nothing but the core. The compiler keeps the same rules through each library's include
# directory (cmake/Rk7Layer.cmake); this says which layer may sit on which.
#   layers_test.sh SRC-FOLDER
set -u
src=$1
declare -A allowed=(
    [model]="model"
    [exchange]="exchange model"
    [cli]="cli exchange model"
    [painter]="painter model"
    [render]="render painter model exchange"
    [document]="document model exchange"
    [widgets]="widgets painter model"
    [printing]="printing"
    [dialogs]="dialogs printing painter model exchange"
    [views]="views painter widgets model"
    [editors]="editors widgets model exchange"
    [info]="info widgets model"
    [app]="app document dialogs views editors info widgets printing painter model exchange"
)

failures=0
for dir in "$src"/*/; do
    layer=$(basename "$dir")
    if [ -z "${allowed[$layer]+set}" ]; then
        echo "src/$layer is no known layer: add it to tests/layers_test.sh"
        failures=$((failures + 1))
        continue
    fi
    if [ ! -f "$dir/CMakeLists.txt" ]; then
        echo "src/$layer has no CMakeLists.txt of its own"
        failures=$((failures + 1))
    fi
    while IFS= read -r line; do
        file=${line%%:*}
        included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
        ok=no
        for rule in ${allowed[$layer]}; do
            case "$included" in
            "$rule"/*) ok=yes ;;
            esac
        done
        if [ "$ok" = no ]; then
            echo "${file#"$src"/}: includes $included, from a layer above it or beside it"
            failures=$((failures + 1))
        fi
    # Headers at the top of src/ (the version, the license notice) are the programs' own.
    done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' "$dir")
done
qt=$(grep -rlE '#[[:space:]]*include[[:space:]]*<Q' "$src/model" "$src/exchange" "$src/cli" 2>/dev/null)
if [ -n "$qt" ]; then
    echo "Qt in the core or the command-line tool: $qt"
    failures=$((failures + 1))
fi
if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) against the layers"
    exit 1
fi
echo "every include keeps to its layer"
