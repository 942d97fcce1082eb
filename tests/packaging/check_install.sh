#!/usr/bin/env bash
# check_install.sh BUILD_DIR SAMPLE.skn WORK_DIR
# Installs the build into WORK_DIR as into /usr and checks it as a desktop would use it: every file
# in its standard place, the three programs answering --help and --version with no display, the
# editor finding its manual, the file type known by name only, the thumbnailer's command making a
# thumbnail, and the man pages rendering cleanly.
set -u
build=$1 sample=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
root=$work/usr
status=0
fail() { echo "FAIL: $*"; status=1; }

id=example.corvane.Tavelo
for file in bin/tavelo bin/tavelo-skn bin/tintary \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml share/thumbnailers/$id.thumbnailer \
    share/icons/hicolor/scalable/apps/$id.svg share/tavelo/manual/index.html \
    share/man/man1/tavelo.1.gz share/man/man1/tavelo-skn.1.gz share/man/man1/tintary.1.gz \
    share/doc/tavelo/copyright share/doc/tavelo/changelog.Debian.gz \
    share/tavelo/templates/yellow-note.skn share/tavelo/templates/leaf.skn \
    share/tavelo/translations/tavelo_de.qm; do
    [ -f "$root/$file" ] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x$size/apps/$id.png
    [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] ||
        fail "no ${size}x$size icon"
done

# Without any display: nothing here may need one.
for program in tavelo tavelo-skn tintary; do
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/$program" --version 2>&1)
    [ "$version" = "$program 1.1" ] || fail "$program --version said: $version"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/$program" --help \
        >"$work/$program.help" 2>&1 || fail "$program --help failed: $(cat "$work/$program.help")"
    grep -q -i "usage" "$work/$program.help" || fail "$program --help shows no usage"
done
grep -q -x "The manual: $root/share/tavelo/manual/index.html" "$work/tavelo.help" ||
    fail "the installed editor does not find its manual: $(tail -1 "$work/tavelo.help")"

# The skin type is known by its name alone.
mime=$root/share/mime/packages/$id.xml
grep -q '<glob pattern="\*.skn"/>' "$mime" || fail "the skin type has no *.skn glob"
grep -q '<magic' "$mime" && fail "the skin type has a content rule"
grep -q '^MimeType=application/x-tavelo-skin;$' "$root/share/applications/$id.desktop" ||
    fail "the desktop entry does not open skins"

# The thumbnailer's own command line, as a file manager fills it in.
exec_line=$(sed -n 's/^Exec=//p' "$root/share/thumbnailers/$id.thumbnailer")
command=${exec_line//%s/128}
command=${command//%i/$sample}
command=${command//%o/$work/thumbnail.png}
# shellcheck disable=SC2086 # the command line is split as the file manager splits it
(PATH=$root/bin:$PATH && cd "$work" && env -u DISPLAY $command) || fail "the thumbnailer failed: $command"
size=$(identify -format '%w %h' "$work/thumbnail.png" 2>/dev/null)
longer=$(echo "$size" | awk '{ print ($1 > $2) ? $1 : $2 }')
[ "$longer" = 128 ] || fail "the thumbnail is $size, not 128 on its longer side"

if command -v man >/dev/null 2>&1; then
    for page in "$root"/share/man/man1/*.1.gz; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    done
fi
exit $status
