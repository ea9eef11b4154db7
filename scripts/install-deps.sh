#!/usr/bin/env bash
# Installs the Debian 12 packages that building, presenting and testing need.
# Does nothing when they are all present; runs apt only for what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libmpv-dev libavformat-dev libgtest-dev libgmock-dev
    ffmpeg xvfb xauth xdotool x11-xserver-utils imagemagick fonts-dejavu-core
    mpv time python3 dbus-daemon libxss-dev libx11-dev libxcb1-dev
    clang libclang-rt-14-dev llvm
    qt6-wayland xwayland cage sway weston grim wtype systemd
    libegl-dev libwayland-dev qt6-base-private-dev
    libsystemd-dev lintian appstream systemd-container
)

# Run as root, the Wayland end-to-end tests start their compositor as this unprivileged user
# (cage refuses to run as root).
if [ "$(id -u)" -eq 0 ] && ! id quorixtest >/dev/null 2>&1; then
    useradd --create-home --shell /usr/sbin/nologin quorixtest
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "install-deps: missing packages (${missing[*]}) and not root; run as root or with sudo" >&2
        exit 1
    fi
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
