#!/usr/bin/env bash
# Set-up for a fresh Debian machine: installs what is missing, builds the program and the data set,
# then starts the planetarium ("run") or runs the whole test suite ("test").
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
    run|test|build) ;;
    *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac

packages=(
    build-essential cmake ninja-build clang pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    liberfa-dev libnova-dev
    fontconfig libfontconfig-dev fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei
    espeak-ng sox xauth xvfb
    poppler-utils shared-mime-info
    dpkg-dev ca-certificates locales file groff-base desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "planetarium set-up: missing Debian packages, install them as root:" \
             "apt-get install ${missing[*]}" >&2
        exit 1
    fi
fi

# The tests check number formats under a German locale (decimal comma).
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
    if [[ $(id -u) -eq 0 ]]; then
        localedef -i de_DE -f UTF-8 de_DE.UTF-8
    elif [[ $mode == test ]]; then
        echo "planetarium set-up: the tests need the de_DE.UTF-8 locale; generate it as root:" \
             "localedef -i de_DE -f UTF-8 de_DE.UTF-8" >&2
        exit 1
    fi
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build

if [[ -x build/planetarium-databuilder ]]; then
    build/planetarium-databuilder --out build/data \
        --cache "${XDG_CACHE_HOME:-$HOME/.cache}/planetarium/sources"
fi

case "$mode" in
    run) exec build/planetarium "${@:2}" ;;
    test) ctest --test-dir build --output-on-failure -j2 ;;
    build) ;;
esac
