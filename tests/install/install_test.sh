#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree as a desktop sees it:
# every file in place, the desktop entry, AppStream file and manual page valid, the program
# rendering from its installed data, and the Debian package's dependencies.
set -euo pipefail
build=$1
app=io.github.planetarium.Planetarium
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > /dev/null
# The tree is moved after installing: the program must find its data relative to itself.
mv "$work/prefix" "$work/moved"
p=$work/moved
for file in bin/planetarium share/planetarium/QELDATA.INI share/planetarium/SOURCES.txt \
        share/applications/$app.desktop share/mime/packages/$app.xml \
        share/metainfo/$app.metainfo.xml share/man/man1/planetarium.1 \
        share/icons/hicolor/scalable/apps/$app.svg \
        share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app.png; do
    [[ -s $p/$file ]] || fail "not installed: $file"
done
grep -q '^Exec=planetarium %f$' "$p/share/applications/$app.desktop" || fail "Exec line"
grep -q 'glob pattern="\*.QEL"' "$p/share/mime/packages/$app.xml" || fail "upper-case glob"

desktop-file-validate "$p/share/applications/$app.desktop"
appstreamcli validate --no-net "$p/share/metainfo/$app.metainfo.xml" > /dev/null
[[ -z $(groff -man -Tutf8 -ww -z "$p/share/man/man1/planetarium.1" 2>&1) ]] || fail "man page"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
"$p/bin/planetarium" --render "$work/sky.png" --size 320x200
[[ $(file -b "$work/sky.png") == *"PNG image data, 320 x 200"* ]] || fail "render"

# The Debian package: the Qt libraries found by dpkg-shlibdeps and the label fonts.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > /dev/null
depends=$(dpkg-deb -f "$work"/package/planetarium_*.deb Depends)
for package in libqt6widgets6 fonts-liberation2; do
    [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
echo "installed tree and package checked"
