#!/usr/bin/env bash
# No include in src/ runs back up the layers: app/ (the hub) is used only by the programs (app/,
# cli/); base/ includes only base/; the ports in platform/ only base/ and platform/; the core has
# no window and no Qt in it; a window folder uses another feature's windows only in the
# composition root (app/ui/). Names every include that breaks a rule.
#   layers_check.sh SOURCE_DIR
cd "${1:?usage: layers_check.sh SOURCE_DIR}/src" || exit 2

# Sets `refused` to why FILE may not include TARGET; empty when it may.
judge() {
    local file=$1 target=$2
    refused=
    local top=${file%%/*} targetTop=${target%%/*}
    local window=false
    [[ $file == ui/* || $file == */ui/* || $file == */qt/* ]] && window=true
    if [[ $target == Q* ]]; then
        $window || refused="the core is built without Qt"
        return
    fi
    if [[ $targetTop == app && $top != app && $top != cli ]]; then
        refused="only the programs (app/, cli/) use app/"
    elif [[ $top == base && $targetTop != base ]]; then
        refused="base/ includes only base/"
    elif [[ $top == platform && $file != platform/qt/* && $targetTop != base &&
        $targetTop != platform ]]; then
        refused="platform/ includes only base/ and platform/"
    elif [[ $target == */ui/* || $target == ui/* || $target == */qt/* ]]; then
        if ! $window; then
            refused="the core includes no window"
        elif [[ $file != app/ui/* && $target != ui/* && $targetTop != "$top" ]]; then
            refused="only app/ui/ uses another feature's windows"
        fi
    fi
}

status=0
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">]'
while IFS=: read -r file line text; do
    [[ $text =~ $include ]] || continue
    target=${BASH_REMATCH[1]}
    # Standard and library headers other than Qt's are no layer of ours.
    [[ $target == Q* || ($target == */* && -d ${target%%/*}) ]] || continue
    judge "$file" "$target"
    if [[ -n $refused ]]; then
        echo "src/$file:$line: $text -- $refused"
        status=1
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.cpp' . |
    sed 's|^\./||')
exit $status
