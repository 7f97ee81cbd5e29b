#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing.
# Usage: tools/install-deps.sh [extra-package ...]
set -euo pipefail

# fonts-wqy-microhei: Chinese characters in the desktop program's window.
# python3, opencc, libopencc-data, unicode-data: the sources of
# tools/gen_code_tables.py, whose --check ./test runs.
# clang-format: tools/format.sh --check, which ./test runs.
# libopencc-dev, libopencc-data: conversion by phrases (library and its
# dictionaries); opencc: the command the phrase benchmark times beside ours.
# libicu-dev: the charsets table test checks GB 18030 against ICU (tools/gen_charset_tables.py
# reads ICU too).
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev qt6-base-dev libgl-dev
          fonts-wqy-microhei python3 opencc libopencc-dev libopencc-data unicode-data clang-format
          libicu-dev "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
