#!/usr/bin/env bash
# Times every stream route of vortane-cli against the physical floor: a plain
# copy of the same input into a file on the same disk with `dd bs=64k`. Each
# route and its copy run side by side, alternating, and the fastest run of each
# counts; the table gives our wall time over the copy's (the goal), the same
# for processor time (user and system, steadier on a busy machine), our peak
# memory, and a short digest of our output (to see that a faster build writes
# the same bytes).
#
# Usage: bench/floor.sh [SIZE_MB [ROUTE ...]]
#   SIZE_MB  size of each input in MB (10^6 bytes); default 100, or $FLOOR_SIZE_MB
#   ROUTE    names from the first column of the table (default: all)
# Environment:
#   VORTANE_CLI     the vortane-cli to time (default build/src/cli/vortane-cli)
#   FLOOR_DATA_DIR  where the inputs are made and kept (default bench/data/floor)
#   FLOOR_RUNS      runs of each command, the fastest counts (default 5)
#   FLOOR_GOAL      the ratio a route must stay within (default 2)
#   FLOOR_RSS_MB    the peak memory a route must stay under (default 16)
# Exit status: 0 when every route meets both goals, 1 otherwise, 2 on misuse.
# Needs python3, dd and GNU time (perf for the processor times); installs the
# first three with apt-get when missing.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${1:-${FLOOR_SIZE_MB:-100}}
shift || true
cli=${VORTANE_CLI:-$repo/build/src/cli/vortane-cli}
data=${FLOOR_DATA_DIR:-$repo/bench/data/floor}
runs=${FLOOR_RUNS:-5}
goal=${FLOOR_GOAL:-2}
rss_goal=${FLOOR_RSS_MB:-16}

if ! [[ $size_mb =~ ^[0-9]+$ ]] || [ "$size_mb" -lt 1 ]; then
  echo "floor.sh: SIZE_MB must be a whole number of 1 or more, not '$size_mb'" >&2
  exit 2
fi
if [ ! -x "$cli" ]; then
  echo "floor.sh: $cli: not found; build it first (cmake --build build --target vortane-cli)" >&2
  exit 2
fi
[ -x /usr/bin/time ] && command -v python3 >/dev/null || "$repo/tools/install-deps.sh" time python3

# name|input|arguments: every stream route of decode, convert and text utf8.
all_routes=(
  "decode base64|random.b64|decode base64"
  "decode qp|gb.qp|decode qp"
  "decode hz|gb.hz|decode hz"
  "decode utf7|zh.utf7|decode utf7"
  "decode utf8|zh.utf8|decode utf8"
  "text utf8 gb|zh.utf8|text utf8 --to gb"
  "text utf8 big5|zh.utf8|text utf8 --to big5"
  "convert gb big5|gb.txt|convert --from gb --to big5"
  "convert big5 gb|big5.txt|convert --from big5 --to gb"
  "convert unicode gb|zh.utf16|convert --from unicode --to gb"
  "convert unicode big5|zh.utf16|convert --from unicode --to big5"
  "convert gb gb|gb.txt|convert --from gb --to gb"
  "convert gb big5 add|gb.txt|convert --from gb --to big5 --blanks add"
  "convert big5 gb remove|big5.txt|convert --from big5 --to gb --blanks remove"
  "convert gb gb add|gb.txt|convert --from gb --to gb --blanks add"
  "convert unicode gb add|zh.utf16|convert --from unicode --to gb --blanks add"
  "convert gb18030 utf-8|gb.txt|convert --from gb18030 --to utf-8"
  "convert utf-8 gb18030|zh.utf8|convert --from utf-8 --to gb18030"
  "convert big5-hkscs utf-8|big5.txt|convert --from big5-hkscs --to utf-8"
  "convert utf-8 big5-hkscs|zh.utf8|convert --from utf-8 --to big5-hkscs"
  "convert utf-16le utf-8|zh.utf16le|convert --from utf-16le --to utf-8"
  "convert utf-8 utf-16|zh.utf8|convert --from utf-8 --to utf-16"
)
routes=()
if [ $# -eq 0 ]; then
  routes=("${all_routes[@]}")
else
  for want in "$@"; do
    found=""
    for r in "${all_routes[@]}"; do
      [ "${r%%|*}" = "$want" ] && found=$r
    done
    if [ -z "$found" ]; then
      echo "floor.sh: unknown route '$want'; routes:" >&2
      printf '  %s\n' "${all_routes[@]%%|*}" >&2
      exit 2
    fi
    routes+=("$found")
  done
fi

# --- inputs --------------------------------------------------------------
mkdir -p "$data"
stamp="$data/.size"
missing=""
for r in "${routes[@]}"; do
  input=${r#*|}
  [ -f "$data/${input%%|*}" ] || missing=yes
done
if [ -n "$missing" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$size_mb" ]; then
  echo "Making inputs of $size_mb MB in $data ..."
  rm -f "$stamp"
  python3 - "$data" "$size_mb" <<'PY'
import base64, binascii, os, random, sys

folder, size = sys.argv[1], int(sys.argv[2]) * 1000 * 1000
rng = random.Random(20240717)

# Random bytes in Base64, 76 characters to a CR LF line.
raw = bytes(rng.getrandbits(8) for _ in range(57 * 8192))
b64 = base64.encodebytes(raw).replace(b"\n", b"\r\n")

# Mail-like Chinese text: Hanzi of GB 2312 level 1 that Big5 holds too (so
# every conversion finds its characters), ASCII words, blanks, CR LF lines.
hanzi = []
for lead in range(0xB0, 0xD8):
    for trail in range(0xA1, 0xFF):
        try:
            ch = bytes([lead, trail]).decode("gb2312")
            ch.encode("big5")
            hanzi.append(ch)
        except UnicodeError:
            pass
letters = "abcdefghijklmnopqrstuvwxyz"
lines, total = [], 0
while total < 2 * 1000 * 1000:
    words, width = [], 0
    limit = rng.randint(40, 76)
    while width < limit:
        if rng.random() < 0.7:
            word = "".join(rng.choice(hanzi) for _ in range(rng.randint(1, 8)))
            width += 2 * len(word) + 1
        else:
            word = "".join(rng.choice(letters) for _ in range(rng.randint(2, 8)))
            width += len(word) + 1
        words.append(word)
    line = " ".join(words) + "\r\n"
    lines.append(line)
    total += len(line.encode("gb2312"))
text = "".join(lines)

# Each input repeats its chunk up to the size, cut after a line end; every
# line ends in ASCII state (HZ, UTF-7), so the repeats join cleanly.
chunks = {
    "random.b64": b64,
    "gb.txt": text.encode("gb2312"),
    "big5.txt": text.encode("big5"),
    "gb.qp": binascii.b2a_qp(text.encode("gb2312"), istext=True),
    "gb.hz": text.encode("hz"),
    "zh.utf8": text.encode("utf-8"),
    "zh.utf7": text.encode("utf-7"),
    "zh.utf16": text.encode("utf-16-be"),
    "zh.utf16le": text.encode("utf-16-le"),
}
for name, chunk in chunks.items():
    end = {"zh.utf16": b"\x00\r\x00\n", "zh.utf16le": b"\r\x00\n\x00"}.get(name, b"\r\n")
    with open(os.path.join(folder, name), "wb") as f:
        left = size
        while left >= len(chunk):
            f.write(chunk)
            left -= len(chunk)
        f.write(chunk[: chunk.rfind(end, 0, left) + len(end)])
PY
  echo "$size_mb" >"$stamp"
fi

# --- timing --------------------------------------------------------------
work=$(mktemp -d "$data/run.XXXXXX")
trap 'rm -rf "$work"' EXIT

# once OUTPUT COMMAND...: runs COMMAND into a fresh OUTPUT; prints
# "wall_ns cpu_ns rss_kb". cpu is the processor time (user and system), which
# other load on the machine disturbs less than the wall time: measured by perf
# when it may count (0 when not), peak memory by GNU time.
once() {
  local output=$1
  shift
  rm -f "$output"
  # No writeback of an earlier run in flight: it would take a core from
  # whichever side runs next.
  sync
  local start end cpu=0
  local timed=(/usr/bin/time -f %M -o "$work/rss.txt")
  [ "$use_perf" = 1 ] && timed=(perf stat -x, -e task-clock -o "$work/perf.txt" "${timed[@]}")
  start=$(date +%s%N)
  if ! "${timed[@]}" "$@" 2>"$work/stderr.txt"; then
    echo "floor.sh: failed: $*" >&2
    head -5 "$work/stderr.txt" >&2
    return 1
  fi
  end=$(date +%s%N)
  [ "$use_perf" = 1 ] && cpu=$(awk -F, '/task-clock/ {printf "%d", $1 * 1e6}' "$work/perf.txt")
  echo "$((end - start)) $cpu $(tail -1 "$work/rss.txt")"
}
use_perf=0
perf stat -x, -e task-clock -o /dev/null true 2>/dev/null && use_perf=1

printf '%s\n' "vortane-cli: $cli" \
  "inputs: $size_mb MB each in $data; copy: dd bs=64k; fastest of $runs alternating runs" ""
printf '%-24s %8s %7s %7s %6s %7s %7s %6s %9s %-12s %s\n' \
  route "input MB" "copy s" "ours s" ratio "copy c" "ours c" "c rat" "ours RSS" "output" verdict
status=0
for r in "${routes[@]}"; do
  IFS='|' read -r name input args <<<"$r"
  input=$data/$input
  bytes=$(stat -c %s "$input")
  copy_wall="" ours_wall="" copy_cpu="" ours_cpu="" rss=0
  for i in $(seq "$runs"); do
    # Alternate which goes first, so neither always meets a cache the other warmed.
    for who in $( ((i % 2)) && echo "copy ours" || echo "ours copy"); do
      if [ "$who" = copy ]; then
        read -r wall cpu _ < <(once "$work/copy.out" dd if="$input" of="$work/copy.out" bs=64k status=none) || exit 1
        [ -z "$copy_wall" ] || [ "$wall" -lt "$copy_wall" ] && copy_wall=$wall
        [ -z "$copy_cpu" ] || [ "$cpu" -lt "$copy_cpu" ] && copy_cpu=$cpu
      else
        # shellcheck disable=SC2086
        read -r wall cpu kb < <(once "$work/ours.out" "$cli" $args "$input" "$work/ours.out") || exit 1
        [ -z "$ours_wall" ] || [ "$wall" -lt "$ours_wall" ] && ours_wall=$wall
        [ -z "$ours_cpu" ] || [ "$cpu" -lt "$ours_cpu" ] && ours_cpu=$cpu
        [ "$kb" -gt "$rss" ] && rss=$kb
      fi
    done
  done
  digest=$(sha256sum "$work/ours.out" | cut -c1-12)
  rm -f "$work/copy.out" "$work/ours.out"
  line=$(awk -v n="$name" -v b="$bytes" -v cw="$copy_wall" -v ow="$ours_wall" -v cc="$copy_cpu" \
    -v oc="$ours_cpu" -v m="$rss" -v d="$digest" -v g="$goal" -v rg="$rss_goal" 'BEGIN {
      ratio = ow / cw; mb = m / 1024
      v = (ratio <= g && mb < rg) ? "ok" : "OVER"
      printf "%-24s %8.1f %7.3f %7.3f %6.2f %7.3f %7.3f %6.2f %7.1fMB %-12s %s\n",
        n, b / 1e6, cw / 1e9, ow / 1e9, ratio, cc / 1e9, oc / 1e9, (cc > 0 ? oc / cc : 0), mb, d, v }')
  echo "$line"
  [[ $line == *OVER ]] && status=1
done
exit $status
