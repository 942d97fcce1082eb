#!/usr/bin/env bash
# run_if_found.sh TOOL ARGS...: runs TOOL, or skips (77) where it is not installed.
command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }
exec "$@"
