#!/usr/bin/env bash
# Cross-builds the programs and their tests for 64-bit ARM (Raspberry Pi OS 64-bit and other arm64
# Debian 12 systems) into build-arm64/, and makes the Debian package quorix_VERSION_arm64.deb
# there. Installs what is missing first: Debian's cross compiler, the arm64 libraries beside the
# machine's own, and qemu, which runs the arm64 programs here (CTest starts the tests through it).
# With --targets T1,T2,... only those targets are built, and no package is made; with
# --install-only nothing is built.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=()
install_only=false
if [ "${1:-}" = "--targets" ]; then
    IFS=, read -r -a targets <<<"${2:?--targets needs a comma-separated list}"
elif [ "${1:-}" = "--install-only" ]; then
    install_only=true
fi

as_root=()
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
fi
apt_get() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

# libmpv-dev:arm64 is not among them: some of the packages it depends on cannot be installed for
# two architectures at once, so it would remove the machine's own libmpv-dev. The arm64 build
# takes the library itself and the machine's headers (cmake/arm64/pkgconfig/mpv.pc). libjack0 is
# named so that libmpv2:arm64 takes the JACK library the machine has (JACK 1), not JACK 2, which
# conflicts with it.
packages=(
    crossbuild-essential-arm64 qemu-user-static dpkg-dev
    qt6-base-dev:arm64 qt6-base-private-dev:arm64 qt6-qpa-plugins:arm64
    libmpv2:arm64 libjack0:arm64 libavformat-dev:arm64
    libgtest-dev:arm64 libgmock-dev:arm64 libsystemd-dev:arm64
    libx11-dev:arm64 libxss-dev:arm64 libxcb1-dev:arm64 libegl-dev:arm64 libwayland-dev:arm64
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "build-arm64: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        "${as_root[@]}" dpkg --add-architecture arm64
    fi
    apt_get update -qq
    # The machine's own packages stay: an install that would remove any of them is refused.
    plan=$(apt_get -s install --no-install-recommends "${missing[@]}")
    if grep -q '^Remv ' <<<"$plan"; then
        echo "build-arm64: installing the arm64 packages would remove these; nothing was installed:" >&2
        grep '^Remv ' <<<"$plan" >&2
        exit 1
    fi
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

if $install_only; then
    exit 0
fi
cmake --preset arm64
if [ ${#targets[@]} -gt 0 ]; then
    cmake --build --preset arm64 -j "$(nproc)" --target "${targets[@]}"
    exit 0
fi
cmake --build --preset arm64 -j "$(nproc)"
(cd build-arm64 && cpack -G DEB)
ls build-arm64/quorix_*_arm64.deb
