#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when they
# are missing. Works as root (CI) and through sudo for a user.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core "$@")
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
apt_install() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}
# A fresh machine may have no package lists yet.
apt_install || { "${as_root[@]}" apt-get update -q && apt_install; }
