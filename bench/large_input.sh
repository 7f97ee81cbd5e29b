#!/usr/bin/env bash
# Runs large generated inputs through vortane-cli's streaming routes and prints
# route, size, seconds, MB/s and peak memory (max RSS, from /usr/bin/time -v).
# The streaming routes should stay well under 16 MB whatever the input size.
# Usage: bench/large_input.sh [SIZE_MB [ROUTE ...]]
#   SIZE_MB  input size per route in MiB (default 2048)
#   ROUTE    base64 qp hz utf7 utf8 gb2big5 big52gb unicode2gb (default: all)
# Environment: VORTANE_CLI (default build/src/cli/vortane-cli, built when
# missing), BENCH_DIR (where to put the data; default a new folder in
# ${TMPDIR:-/tmp}), BENCH_OUTPUT=/dev/null to leave out the disk writes.
# The generated files are deleted at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

size_mb=${1:-2048}
shift || true
routes=("$@")
[ ${#routes[@]} -eq 0 ] && routes=(base64 qp hz utf7 utf8 gb2big5 big52gb unicode2gb)

[ -x /usr/bin/time ] || tools/install-deps.sh time python3
cli=${VORTANE_CLI:-build/src/cli/vortane-cli}
if [ ! -x "$cli" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j2 --target vortane-cli >/dev/null
fi

base=${BENCH_DIR:-${TMPDIR:-/tmp}}
mkdir -p "$base"
# Input, plus an output up to twice its size (UTF-7 and UTF-8 to units).
need_kb=$((size_mb * 1024 * 3 + 1024 * 1024))
free_kb=$(df -Pk "$base" | awk 'NR == 2 {print $4}')
if [ "$free_kb" -lt "$need_kb" ]; then
  echo "bench: $base has $((free_kb / 1024)) MiB free, needs $((need_kb / 1024)) MiB" >&2
  exit 1
fi
dir=$(mktemp -d "$base/vortane-bench-XXXXXX")
trap 'rm -rf "$dir"' EXIT

# Writes SIZE_MB MiB of route input: one representative block of about 1 MiB,
# repeated (each block ends on a boundary of its encoding, so copies join up).
generate() {
  python3 - "$1" "$2" "$size_mb" <<'PY'
import base64, random, sys
route, path, size_mb = sys.argv[1], sys.argv[2], int(sys.argv[3])
rnd = random.Random(1)
han = "中文郵件解码測試的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经"
def text(n):
    out, length = [], 0
    while length < n:
        out.append("".join(rnd.choice(han) for _ in range(rnd.randint(5, 30))))
        out.append(rnd.choice([" ", ", ", " mail text ", "\r\n"]))
        length += len(out[-2]) + len(out[-1])
    return "".join(out)
t = text(300000)
gb = t.encode("gb2312", "replace")
if route == "base64":
    raw = bytes(rnd.getrandbits(8) for _ in range(57 * 13000))
    enc = base64.b64encode(raw)
    block = b"".join(enc[i:i + 76] + b"\r\n" for i in range(0, len(enc), 76))
elif route == "qp":
    lines = []
    for i in range(0, len(gb), 24):
        chunk = gb[i:i + 24]
        lines.append("".join("=%02X" % b if b >= 0x80 or b == 0x3D else chr(b) for b in chunk) + "=\r\n")
    block = "".join(lines).encode("ascii")
elif route == "hz":
    block = t.encode("hz", "replace")
elif route == "utf7":
    block = t.encode("utf-7")
    block = block if block.endswith(b"\n") else block + b"-\r\n"
elif route == "utf8":
    block = t.encode("utf-8")
elif route == "gb2big5":
    block = gb
elif route == "big52gb":
    block = t.encode("big5", "replace")
elif route == "unicode2gb":
    block = t.encode("utf-16-be")
else:
    sys.exit("unknown route " + route)
# Whole characters only, so copies of the block join up.
if route in ("gb2big5", "big52gb"):
    i = 0
    while i < len(block):
        i += 2 if block[i] >= 0x80 else 1
    block = block[:i] if i == len(block) else block[:i - 2]
target = size_mb * 1024 * 1024
with open(path, "wb") as f:
    written = 0
    while written + len(block) <= target:
        f.write(block)
        written += len(block)
PY
}

args_for() {
  case $1 in
    base64 | qp | hz | utf7 | utf8) echo "decode $1" ;;
    gb2big5) echo "convert --from gb --to big5 --blanks add" ;;
    big52gb) echo "convert --from big5 --to gb" ;;
    unicode2gb) echo "convert --from unicode --to gb" ;;
  esac
}

printf '%-11s %9s %9s %9s %9s %12s\n' route "MiB in" "MiB out" seconds "MB/s" "max RSS KB"
status=0
for r in "${routes[@]}"; do
  input="$dir/$r.in"
  output=${BENCH_OUTPUT:-$dir/$r.out}
  generate "$r" "$input"
  bytes=$(stat -c %s "$input")
  # shellcheck disable=SC2046
  if ! /usr/bin/time -v -o "$dir/time.txt" "$cli" $(args_for "$r") "$input" "$output" \
       2>"$dir/err.txt"; then
    echo "bench: $r failed: $(cat "$dir/err.txt")" >&2
    status=1
  fi
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {
      n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$dir/time.txt")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$dir/time.txt")
  out_bytes=0
  [ -f "$output" ] && out_bytes=$(stat -c %s "$output")
  awk -v r="$r" -v b="$bytes" -v o="$out_bytes" -v s="$seconds" -v m="$rss" 'BEGIN {
      printf "%-11s %9.0f %9.0f %9.2f %9.1f %12d\n", r, b / 1048576, o / 1048576, s,
             (s > 0 ? b / 1e6 / s : 0), m }'
  rm -f "$input" "$dir/$r.out"
done
exit $status
