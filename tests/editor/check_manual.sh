#!/usr/bin/env bash
# The manual beside the program: its first page is there, and every local link and image of
# every page leads to a file.
# check_manual.sh MANUAL_DIR
set -u
dir=$1
[ -f "$dir/index.html" ] || { echo "FAIL: no $dir/index.html"; exit 1; }
status=0
for page in "$dir"/*.html; do
    for target in $(grep -o -E '(href|src)="[^"#]*' "$page" | sed -E 's/^(href|src)="//'); do
        case $target in
        http://* | https://* | "") continue ;;
        esac
        if [ ! -f "$dir/$target" ]; then
            echo "FAIL: $(basename "$page") refers to missing $target"
            status=1
        fi
    done
done
exit $status
