#!/usr/bin/env bash
# Times vortane-cli against the usual peer tools on the same inputs, side by
# side: MB/s of each, the ratio, peak memory, and whether the outputs agree.
#
# Usage: bench/peers.sh [SIZE_MB]
#   SIZE_MB          size of each input in MB (10^6 bytes); default 100, or
#                    $PEERS_SIZE_MB. A small size (5) gives a quick look.
# Environment:
#   VORTANE_CLI      the vortane-cli to time (default build/src/cli/vortane-cli)
#   PEERS_DATA_DIR   where the inputs are generated and kept (default bench/data)
#   PEERS_RUNS       runs per command, the fastest counts (default 3)
#
# Inputs (made once per size with Python's codecs, then reused):
#   random.b64  random bytes in Base64, 76-column CR LF lines
#   gb.txt      Chinese text in GB 2312: Hanzi that Big5 also holds, ASCII
#               words, blanks, CR LF lines
#   gb.qp       that text in Quoted-Printable
#   gb.hz       that text in HZ
#   zh.utf8     that text in UTF-8
#   zh.utf7     that text in UTF-7
#   zh.gb18030  that text with about one character in twenty from outside
#               GB 2312 (GBK Hanzi, four-byte and supplementary characters),
#               in GB 18030
#   zhx.utf8    the same text in UTF-8
#   zh.big5hk   the text with about one Hanzi in twenty a Hong Kong one, in
#               Big5-HKSCS
#   zh.utf16le  the text in UTF-16LE
# Needs qprint, uconv (icu-devtools), iconv, base64 and GNU time; installs the
# missing ones with apt-get.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${1:-${PEERS_SIZE_MB:-100}}
cli=${VORTANE_CLI:-$repo/build/src/cli/vortane-cli}
data=${PEERS_DATA_DIR:-$repo/bench/data}
runs=${PEERS_RUNS:-3}

if ! [[ $size_mb =~ ^[0-9]+$ ]] || [ "$size_mb" -lt 1 ]; then
  echo "peers.sh: SIZE_MB must be a whole number of 1 or more, not '$size_mb'" >&2
  exit 2
fi
if [ ! -x "$cli" ]; then
  echo "peers.sh: $cli: not found; build it first (cmake --build build --target vortane-cli)" >&2
  echo "          or name another one in VORTANE_CLI" >&2
  exit 1
fi

# --- tools ---------------------------------------------------------------
need=()
command -v qprint >/dev/null || need+=(qprint)
command -v uconv >/dev/null || need+=(icu-devtools)
[ -x /usr/bin/time ] || need+=(time)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${need[@]}"
fi

# --- inputs --------------------------------------------------------------
mkdir -p "$data"
stamp="$data/.size"
inputs=(random.b64 gb.txt gb.qp gb.hz zh.utf8 zh.utf7 zh.gb18030 zhx.utf8 zh.big5hk zh.utf16le)
missing_input=0
for f in "${inputs[@]}"; do
  [ -f "$data/$f" ] || missing_input=1
done
if [ "$(cat "$stamp" 2>/dev/null)" != "$size_mb" ] || [ "$missing_input" -eq 1 ]; then
  echo "Generating inputs of $size_mb MB in $data ..."
  rm -f "$stamp"
  python3 - "$data" "$size_mb" <<'PY'
import base64, binascii, os, random, sys

folder, size = sys.argv[1], int(sys.argv[2]) * 1000 * 1000
rng = random.Random(20240601)

# Random bytes in Base64, 57 bytes (76 characters) to a CR LF line.
with open(os.path.join(folder, "random.b64"), "wb") as f:
    written = 0
    while written < size:
        block = base64.encodebytes(os.urandom(57 * 4096)).replace(b"\n", b"\r\n")
        f.write(block)
        written += len(block)

# The Hanzi of GB 2312 level 1 that Big5 holds too, so that every peer can
# convert every character.
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

def is_gb2312(ch):
    try:
        ch.encode("gb2312")
        return True
    except UnicodeError:
        return False

def is_big5(ch):
    try:
        ch.encode("big5")
        return True
    except UnicodeError:
        return False

def make_chunk(target):
    lines, total = [], 0
    while total < target:
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
    return "".join(lines)

# One chunk of about 2 MB of text; each input is that chunk's encoding repeated
# up to the size asked, the last repeat cut after a line end. Every line ends
# in ASCII state (HZ, UTF-7), so the pieces join cleanly.
text = make_chunk(2 * 1000 * 1000)

# Characters beyond GB 2312 for the GB 18030 input: GBK Hanzi (two bytes),
# Latin letters and CJK extension A (four bytes), plane 2 (four bytes).
beyond_gb = [chr(c) for c in range(0x4E00, 0x9FA6)
             if len(chr(c).encode("gb18030")) == 2 and not is_gb2312(chr(c))][:2000]
beyond_gb += ["\u00e9", "\u00fc", "\u3400", "\u3401", "\U00020bb7", "\U0002a6a5"]
# Hong Kong Hanzi of Big5-HKSCS outside Big5.
hong_kong = [ch for ch in "嘅咗唔喺冇嚟噉啲嗰咁睇揾攞嘢諗乜冚" if not is_big5(ch)]

def sprinkle(extra):
    return "".join(rng.choice(extra) if ord(ch) > 0x7F and rng.random() < 0.05 else ch
                   for ch in text)

text_gb18030 = sprinkle(beyond_gb)
text_hk = sprinkle(hong_kong)
encodings = {
    "gb.txt": text.encode("gb2312"),
    "gb.qp": binascii.b2a_qp(text.encode("gb2312"), istext=True),
    "gb.hz": text.encode("hz"),
    "zh.utf8": text.encode("utf-8"),
    "zh.utf7": text.encode("utf-7"),
    "zh.gb18030": text_gb18030.encode("gb18030"),
    "zhx.utf8": text_gb18030.encode("utf-8"),
    "zh.big5hk": text_hk.encode("big5hkscs"),
    "zh.utf16le": text.encode("utf-16-le"),
}
for name, chunk in encodings.items():
    with open(os.path.join(folder, name), "wb") as f:
        left = size
        while left >= len(chunk):
            f.write(chunk)
            left -= len(chunk)
        line_end = "\r\n".encode("utf-16-le") if name.endswith("utf16le") else b"\r\n"
        f.write(chunk[: chunk.rfind(line_end, 0, left) + len(line_end)])
PY
  echo "$size_mb" > "$stamp"
fi

# --- timing --------------------------------------------------------------
work=$(mktemp -d "$data/run.XXXXXX")
trap 'rm -rf "$work"' EXIT

# measure INPUT OUTPUT COMMAND...: the fastest of $runs runs, "seconds rss_kb".
measure() {
  local input=$1 output=$2
  shift 2
  local best="" rss=0
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    if ! /usr/bin/time -v -o "$work/time.txt" "$@" <"$input" >"$output" 2>"$work/stderr.txt"; then
      echo "peers.sh: failed: $* <$input" >&2
      head -5 "$work/stderr.txt" >&2
      return 1
    fi
    end=$(date +%s%N)
    local ns=$((end - start))
    if [ -z "$best" ] || [ "$ns" -lt "$best" ]; then
      best=$ns
    fi
    local kb
    kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    [ "$kb" -gt "$rss" ] && rss=$kb
  done
  echo "$best $rss"
}

printf '%s\n' "vortane-cli: $cli" "inputs: $size_mb MB each in $data, fastest of $runs runs" ""
printf '%-34s %-34s %8s %9s %9s %6s %9s %9s %s\n' \
  "vortane-cli" "peer" "input MB" "ours MB/s" "peer MB/s" "ratio" "ours RSS" "peer RSS" "output"

# route INPUT "OUR ARGS" PEER COMMAND...
route() {
  local input=$data/$1 ours=$2
  shift 2
  local bytes ours_m peer_m
  bytes=$(stat -c %s "$input")
  # shellcheck disable=SC2086
  ours_m=$(measure "$input" "$work/ours.out" "$cli" $ours) || return 0
  peer_m=$(measure "$input" "$work/peer.out" "$@") || return 0
  # qprint writes LF line ends where the input had CR LF: "same (LF)" marks
  # outputs that agree but for CRs.
  local same=same
  if ! cmp -s "$work/ours.out" "$work/peer.out"; then
    if cmp -s <(tr -d '\r' <"$work/ours.out") <(tr -d '\r' <"$work/peer.out"); then
      same="same (LF)"
    else
      same=differs
    fi
  fi
  awk -v b="$bytes" -v o="$ours_m" -v p="$peer_m" -v on="$ours" -v pn="$*" -v s="$same" 'BEGIN {
    split(o, oo, " "); split(p, pp, " ")
    ot = oo[1] / 1e9; pt = pp[1] / 1e9
    om = b / 1e6 / ot; pm = b / 1e6 / pt
    printf "%-34s %-34s %8.1f %9.1f %9.1f %6.2f %7.1fMB %7.1fMB %s\n",
      on, pn, b / 1e6, om, pm, om / pm, oo[2] / 1024, pp[2] / 1024, s
  }'
  rm -f "$work/ours.out" "$work/peer.out"
}

route random.b64 "decode base64" base64 -d -i
route gb.qp "decode qp" qprint -d
route gb.hz "decode hz" uconv -f HZ-GB-2312 -t GB2312
route gb.txt "convert --from gb --to big5" iconv -f GB2312 -t BIG5
route zh.utf8 "text utf8 --to gb" iconv -f UTF-8 -t GB2312
route zh.utf8 "decode utf8" iconv -f UTF-8 -t UTF-16BE
route zh.utf7 "decode utf7" iconv -f UTF-7 -t UTF-16BE
route zh.gb18030 "convert --from gb18030 --to utf-8" iconv -f GB18030 -t UTF-8
route zhx.utf8 "convert --from utf-8 --to gb18030" iconv -f UTF-8 -t GB18030
route zh.big5hk "convert --from big5-hkscs --to utf-8" iconv -f BIG5-HKSCS -t UTF-8
route zh.utf16le "convert --from utf-16le --to utf-8" iconv -f UTF-16LE -t UTF-8
