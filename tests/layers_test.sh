#!/usr/bin/env bash
# Each folder of src/ is a layer and may include only from itself and the layers below it; the
# core (model, exchange) includes no Qt at all, and the command-line tool nothing but the core.
#   layers_test.sh SRC-FOLDER
set -u
src=$1
declare -A allowed=(
    [model]="model"
    [exchange]="exchange model"
    [cli]="cli exchange model"
    [views]="views widgets model exchange"
    [widgets]="widgets views/cell_text.h views/table_painter.h model"
    [editors]="editors widgets views/cell_text.h model exchange"
    [info]="info widgets model"
    [render]="render views/table_painter.h views/cell_text.h model exchange"
    [app]="app editors info views widgets model exchange"
)
# The painters under views/ need Qt Gui only; the rest of views/ may use widgets.
painter_allowed="model views/cell_text.h views/table_painter.h views/chart_painter.h"

failures=0
for dir in "$src"/*/; do
    layer=$(basename "$dir")
    if [ -z "${allowed[$layer]+set}" ]; then
        echo "src/$layer is no known layer: add it to tests/layers_test.sh"
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r line; do
        file=${line%%:*}
        included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
        name=$(basename "$file")
        rules=${allowed[$layer]}
        case "$layer/$name" in
        views/table_painter.* | views/chart_painter.* | views/cell_text.*) rules=$painter_allowed ;;
        esac
        ok=no
        for rule in $rules; do
            case "$included" in
            "$rule" | "$rule"/*) ok=yes ;;
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
