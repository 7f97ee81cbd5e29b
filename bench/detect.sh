#!/usr/bin/env bash
# Measures `vortane-cli auto` beside uchardet on short Chinese snippets: per
# code and garbled chain, at 20, 50, 200 and 2000 bytes, how often the best
# reading gives the original text exactly; then how often clean Chinese,
# English and other languages' UTF-8 text is changed, how many lines of the
# whole catalogue text read right stripped, how well the real mail
# corpus reads again with its eighth bit stripped (when ../shared/realmail or
# $VORTANE_REALMAIL is there), and how long readings of 100 KB and 10 MB take.
#
# Usage: bench/detect.sh [--count N] [--seed S] [--show-misses N] [--realmail DIR]
#   --count N        snippets per cell (default 200)
#   --seed S         the random choice of snippets (default 13)
#   --show-misses N  print up to N misses per cell on standard error
#   --realmail DIR   the real mail corpus (default ../shared/realmail)
# Environment:
#   VORTANE_CLI      the vortane-cli to measure (default build/src/cli/vortane-cli)
#
# The snippets come from the message catalogues of dpkg, apt, libc, glib,
# GTK 2, gettext and iso-codes (zh_CN, zh_TW, zh_HK and their English
# originals; see bench/detect.py), never from the text the reading scorer's
# frequency table was made from. Installs uchardet, python3 and those
# packages with apt-get when missing.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cli=${VORTANE_CLI:-$repo/build/src/cli/vortane-cli}

if [ ! -x "$cli" ]; then
  echo "detect.sh: $cli: not found; build it first (cmake --build build --target vortane-cli)" >&2
  echo "           or name another one in VORTANE_CLI" >&2
  exit 1
fi

"$repo/tools/install-deps.sh" uchardet python3 dpkg apt libc-l10n libglib2.0-data \
  libgtk2.0-common gettext-base iso-codes

exec python3 "$repo/bench/detect.py" --cli "$cli" "$@"
