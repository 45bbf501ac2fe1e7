#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ ccache pkg-config qt6-base-dev libgl-dev libpng-dev libjpeg-dev zlib1g-dev
      libgtest-dev libbenchmark-dev liblapack-dev fonts-liberation fonts-dejavu-core xvfb xauth poppler-utils
      libreoffice-draw-nogui libreoffice-calc-nogui libreoffice-writer-nogui)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A locale with a decimal comma, for the tests that check files do not depend on it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed"; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends locales
  fi
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "Could not make the locale de_DE.UTF-8; the locale tests will be skipped."
fi
