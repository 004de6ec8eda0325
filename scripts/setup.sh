#!/usr/bin/env bash
# Installs the Debian packages velkar needs to build and test, when missing.
# With package names as arguments it installs just those (the Windows check,
# the installer check and the fuzzing use it for their own tools).
set -euo pipefail

default_packages=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-svg-dev libgtest-dev libgmock-dev
          libbenchmark-dev socat xvfb xauth imagemagick python3 python3-xlrd python3-serial
          python3-xlwt python3-ezdxf gdal-bin locales qt6-translations-l10n clang-format)
if (($#)); then packages=("$@"); else packages=("${default_packages[@]}"); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null
fi
(($#)) && exit 0
# The number forms are tested under a Turkish locale too (it writes a decimal comma).
if ! locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *tr_TR.UTF-8 UTF-8/tr_TR.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^tr_TR.UTF-8 UTF-8' /etc/locale.gen || echo 'tr_TR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null 2>&1 || true
  fi
fi
