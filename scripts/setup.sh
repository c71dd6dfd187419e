#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demos need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools
  libusb-1.0-0-dev
  libxlsxwriter-dev libminizip-dev
  # the archive: SQLite and PostgreSQL's client library, zlib, OpenSSL's SHA-256; the
  # PostgreSQL 15 server for its tests, and the engines' own loaders for its benchmark
  libsqlite3-dev sqlite3 libpq-dev zlib1g-dev libssl-dev postgresql-15 postgresql-client-15
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick poppler-utils fonts-liberation fonts-dejavu-core
  umockdev libumockdev-dev
  python3 python3-pandas
  python3-openpyxl python3-xlsxwriter libreoffice-calc-nogui
  tzdata
  locales # the locale sources: the tests build a German locale to check the files keep their full stop
  clang libclang-rt-14-dev
  # the Debian package: its dependencies and compressed documents, then the checks CI
  # runs on it (lintian, desktop entries, metainfo, manual pages, bash completion)
  dpkg-dev file gzip
  lintian desktop-file-utils appstream man-db groff-base bash-completion
  systemd udev # systemd-analyze verify and udevadm test on the fetch units and the rule
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
