#!/usr/bin/env bash
# End to end: the real editor on a sample skin under Xvfb with a window manager. Ctrl+P must
# open the note preview at the main image's size; closing the editor through the window manager
# must end it with status 0 without writing anything beside the skin.
#
# e2e_preview.sh TAVELO SKIN OUTDIR [WIDTHxHEIGHT]
# Exits 77 (skipped) when xvfb-run, xdotool, wmctrl, openbox or import are missing.
set -u

if [ "${1:-}" != --inside ]; then
    for tool in xvfb-run xdotool wmctrl openbox import; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
    done
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" --inside "$@"
fi
shift

tavelo=$1
skin=$2
outdir=$3
expected_size=${4:-240x200}

fail() {
    echo "FAIL: $*" >&2
    [ -n "${editor_pid:-}" ] && kill "$editor_pid" 2>/dev/null
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
    exit 1
}

# Waits up to about 10 s for a command to succeed; prints its output.
wait_for() {
    local i output
    for i in $(seq 100); do
        if output=$("$@" 2>/dev/null) && [ -n "$output" ]; then
            echo "$output"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

mkdir -p "$outdir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/skins" "$work/home"
cp "$skin" "$work/skins/"
skin_copy="$work/skins/$(basename "$skin")"
sum_before=$(sha256sum <"$skin_copy")

# xvfb-run may hand over the display a moment before it takes clients.
wait_for xdotool getdisplaygeometry >/dev/null || fail "the X server does not answer"
for attempt in 1 2 3; do
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for wmctrl -m >/dev/null && break
    kill "$wm_pid" 2>/dev/null
    wm_pid=
done
[ -n "$wm_pid" ] || fail "the window manager did not start: $(cat "$work/openbox.log")"

# Settings go to a home of the test's own; the working folder is the skin's, so a stray file
# written by the editor would show there.
(cd "$work/skins" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    QT_QPA_PLATFORM=xcb exec "$tavelo" "$skin_copy") &
editor_pid=$!

editor_wid=$(wait_for xdotool search --all --onlyvisible --pid "$editor_pid" --name '^Tavelo - ' |
    head -n 1) || fail "no editor window"
xdotool windowactivate --sync "$editor_wid" || fail "the editor window cannot be activated"
xdotool key --clearmodifiers ctrl+p

preview_wid=$(wait_for xdotool search --all --onlyvisible --pid "$editor_pid" --name '^\[Note Title\]$' |
    head -n 1) || fail "Ctrl+P showed no preview window"
size=$(xwininfo -id "$preview_wid" | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "$expected_size" ] || fail "preview is $size, the main image is $expected_size"
import -window "$preview_wid" "$outdir/preview.png" || fail "no screenshot of the preview"

# The preview opens at the screen's top-left corner; the editor goes beside it for the picture.
wmctrl -i -r "$editor_wid" -e "0,260,40,-1,-1"
xdotool sleep 0.3
import -window root "$outdir/preview-beside-editor.png" || fail "no screenshot of the screen"

wmctrl -i -c "$editor_wid" || fail "the window manager cannot close the editor"
for i in $(seq 100); do
    kill -0 "$editor_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not end after its window was closed"
wait "$editor_pid"
status=$?
[ "$status" -eq 0 ] || fail "the editor ended with status $status"

[ "$(sha256sum <"$skin_copy")" = "$sum_before" ] || fail "the skin file was changed"
files=$(ls -A "$work/skins")
[ "$files" = "$(basename "$skin")" ] || fail "files appeared beside the skin: $files"

kill "$wm_pid" 2>/dev/null
echo "PASS: preview $size, editor closed with status 0, nothing written"
exit 0
