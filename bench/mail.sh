#!/usr/bin/env bash
# Times `vortane-cli message --json` against Python's email package on the
# same mbox of real mail: both list every message and decode every header
# field and part (bench/mail_python.py is the Python side). Prints seconds,
# MB/s, the ratio, peak memory beside the largest message, and the message and
# part counts of both.
#
# Usage: bench/mail.sh [SIZE_MB]
#   SIZE_MB            size of the mbox in MB (10^6 bytes); default 100
# Environment:
#   VORTANE_CLI        the vortane-cli to time (default build/src/cli/vortane-cli)
#   VORTANE_REALMAIL   the real-mail folder the mbox is made of (default
#                      ../shared/realmail beside the checkout, or beside its parent)
#   MAIL_BENCH_DIR     where the mbox is made and kept (default $TMPDIR/vortane-mail-bench;
#                      it is never part of the project)
#   MAIL_BENCH_RUNS    runs of vortane-cli, the fastest counts (default 3); Python runs once
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${1:-100}
cli=${VORTANE_CLI:-$repo/build/src/cli/vortane-cli}
runs=${MAIL_BENCH_RUNS:-3}
data=${MAIL_BENCH_DIR:-${TMPDIR:-/tmp}/vortane-mail-bench}
corpus=${VORTANE_REALMAIL:-}
if [ -z "$corpus" ]; then
  for d in "$repo/../shared/realmail" "$repo/../../shared/realmail"; do
    [ -f "$d/manifest.tsv" ] && corpus=$d && break
  done
fi

if ! [[ $size_mb =~ ^[0-9]+$ ]] || [ "$size_mb" -lt 1 ]; then
  echo "mail.sh: SIZE_MB must be a whole number of 1 or more, not '$size_mb'" >&2
  exit 2
fi
if [ ! -x "$cli" ]; then
  echo "mail.sh: $cli: not found; build it first (cmake --build build --target vortane-cli)" >&2
  exit 1
fi
if [ -z "$corpus" ] || [ ! -d "$corpus" ]; then
  echo "mail.sh: the real-mail folder was not found; name it in VORTANE_REALMAIL" >&2
  exit 1
fi
[ -x /usr/bin/time ] || { echo "mail.sh: needs GNU time (apt-get install time)" >&2; exit 1; }

mkdir -p "$data"
mbox=$data/realmail-$size_mb.mbox
if [ ! -f "$mbox" ]; then
  echo "Making a $size_mb MB mbox of the messages in $corpus ..."
  python3 - "$corpus" "$mbox" "$size_mb" <<'PY'
import glob, os, re, sys
corpus, out, size = sys.argv[1], sys.argv[2], int(sys.argv[3]) * 1000 * 1000
messages = []
for path in sorted(glob.glob(os.path.join(corpus, 'msg*.eml'))):
    raw = open(path, 'rb').read()
    if raw.startswith(b'From '):
        raw = raw.split(b'\n', 1)[1]
    # An mbox writer quotes body lines that would read as a separator.
    raw = re.sub(rb'(?m)^From ', b'>From ', raw)
    if not raw.endswith(b'\n'):
        raw += b'\n'
    messages.append(b'From bench@example.com Mon Jan  1 00:00:00 2024\n' + raw + b'\n')
with open(out + '.part', 'wb') as f:
    written = 0
    while written < size:
        for m in messages:
            f.write(m)
            written += len(m)
            if written >= size:
                break
os.rename(out + '.part', out)
PY
fi

work=$(mktemp -d "$data/run.XXXXXX")
trap 'rm -rf "$work"' EXIT

# measure OUTPUT COMMAND...: "nanoseconds peak_rss_kb" of one run.
measure() {
  local output=$1
  shift
  local start end
  start=$(date +%s%N)
  if ! /usr/bin/time -v -o "$work/time.txt" "$@" >"$output" 2>"$work/stderr.txt"; then
    echo "mail.sh: failed: $*" >&2
    head -5 "$work/stderr.txt" >&2
    exit 1
  fi
  end=$(date +%s%N)
  echo "$((end - start)) $(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")"
}

best=""
rss=0
for _ in $(seq "$runs"); do
  read -r ns kb < <(measure "$work/ours.jsonl" "$cli" message --json "$mbox")
  if [ -z "$best" ] || [ "$ns" -lt "$best" ]; then best=$ns; fi
  [ "$kb" -gt "$rss" ] && rss=$kb
done
read -r py_ns py_kb < <(measure "$work/python.jsonl" python3 "$repo/bench/mail_python.py" "$mbox")

bytes=$(stat -c %s "$mbox")
largest=$(python3 - "$corpus" <<'PY'
import glob, os, sys
print(max(os.path.getsize(p) for p in glob.glob(os.path.join(sys.argv[1], 'msg*.eml'))))
PY
)
count() { python3 -c '
import json, sys
m = p = 0
for line in open(sys.argv[1], encoding="utf-8"):
    m += 1
    p += len(json.loads(line)["parts"])
print(m, p)' "$1"; }
read -r our_msgs our_parts < <(count "$work/ours.jsonl")
read -r py_msgs py_parts < <(count "$work/python.jsonl")

echo "mbox: $mbox ($((bytes / 1000000)) MB), largest message $((largest / 1000)) kB"
awk -v b="$bytes" -v o="$best" -v p="$py_ns" -v orss="$rss" -v prss="$py_kb" \
    -v om="$our_msgs" -v op="$our_parts" -v pm="$py_msgs" -v pp="$py_parts" -v runs="$runs" 'BEGIN {
  ot = o / 1e9; pt = p / 1e9
  printf "%-42s %9s %9s %10s %9s %7s\n", "", "seconds", "MB/s", "peak RSS", "messages", "parts"
  printf "%-42s %9.2f %9.1f %8.1fMB %9d %7d\n", "vortane-cli message --json (best of " runs ")", ot, b / 1e6 / ot, orss / 1024, om, op
  printf "%-42s %9.2f %9.1f %8.1fMB %9d %7d\n", "python3 email (compat32)", pt, b / 1e6 / pt, prss / 1024, pm, pp
  printf "ratio: %.1fx faster\n", pt / ot
}'
