#!/usr/bin/env bash
# check_deb.sh BUILD_DIR WORK_DIR
# Builds the Debian package of the build and has lintian check it: no error and no warning.
set -u
build=$1 work=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/tavelo_*.deb)
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || { echo "FAIL: no Qt dependency"; exit 1; }
# initial-upload-closes-no-bugs concerns uploads to Debian itself.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" 2>&1 |
    grep -v "running with root privileges"
exit "${PIPESTATUS[0]}"
