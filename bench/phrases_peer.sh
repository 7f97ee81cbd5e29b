#!/usr/bin/env bash
# Times conversion by phrases in vortane-cli beside the opencc command on the
# same text: MB/s of each, the ratio, peak memory, and how many lines the two
# outputs differ in (the shipped fixes and the user's phrase list make ours
# differ where OpenCC is wrong).
#
# Usage: bench/phrases_peer.sh [SIZE_MB]
#   SIZE_MB   size of the text in MB (10^6 bytes of UTF-8); default 10, or
#             $PHRASES_SIZE_MB. A 1 MB text is always timed as well.
# Environment:
#   VORTANE_CLI        the vortane-cli to time (default build/src/cli/vortane-cli)
#   PHRASES_DATA_DIR   where the texts are generated and kept (default bench/data)
#   PHRASES_RUNS       runs per command, the fastest counts (default 3)
#
# The text (made once per size with Python's codecs, then reused): lines of 20
# to 40 characters mixing everyday words, words with one-to-many characters,
# single GB 2312 level 1 Hanzi and Chinese punctuation, LF line ends; as
# zh.utf8 (UTF-8) and zh.gb (GB 2312), and OpenCC's Taiwan form of it as
# zh-tw.utf8 for the conversions to simplified. Needs opencc, GNU time and python3;
# installs the missing ones with apt-get. The user's phrase list is left out
# (--phrase-list /dev/null).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${1:-${PHRASES_SIZE_MB:-10}}
cli=${VORTANE_CLI:-$repo/build/src/cli/vortane-cli}
data=${PHRASES_DATA_DIR:-$repo/bench/data}
runs=${PHRASES_RUNS:-3}

if ! [[ $size_mb =~ ^[0-9]+$ ]] || [ "$size_mb" -lt 1 ]; then
  echo "phrases_peer.sh: SIZE_MB must be a whole number of 1 or more, not '$size_mb'" >&2
  exit 2
fi
if [ ! -x "$cli" ]; then
  echo "phrases_peer.sh: $cli: not found; build it first (cmake --build build --target vortane-cli)" >&2
  echo "                 or name another one in VORTANE_CLI" >&2
  exit 1
fi

need=()
command -v opencc >/dev/null || need+=(opencc)
[ -x /usr/bin/time ] || need+=(time)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  "$repo/tools/install-deps.sh" "${need[@]}"
fi

mkdir -p "$data"
generate() {  # generate SIZE_MB PREFIX
  python3 - "$data" "$1" "$2" <<'PY'
import os, random, sys

folder, size, prefix = sys.argv[1], int(sys.argv[2]) * 1000 * 1000, sys.argv[3]
rng = random.Random(20240616)
words = ("头发 干杯 皇后 公里 台风 复杂 时钟 关系 一只猫 放松 面条 范围 日历 历史 冲突 "
         "制造 手表 尽管 词汇 收获 我们 今天 邮件 附件 谢谢 请问 会议 时间 地址 电话 "
         "公司 软件 网络 问题 发展 以后 系统 联系 当然 旅游 信息 打印机 出租车 鼠标").split()
hanzi = []
for lead in range(0xB0, 0xD8):
    for trail in range(0xA1, 0xFF):
        try:
            hanzi.append(bytes([lead, trail]).decode("gb2312"))
        except UnicodeError:
            pass
lines, total = [], 0
while total < size:
    parts, width = [], 0
    limit = rng.randint(20, 40)
    while width < limit:
        r = rng.random()
        part = rng.choice(words) if r < 0.5 else rng.choice(hanzi) if r < 0.9 else rng.choice("，。、；")
        parts.append(part)
        width += len(part)
    line = "".join(parts) + "\n"
    lines.append(line)
    total += len(line.encode("utf-8"))
text = "".join(lines)
with open(os.path.join(folder, prefix + ".utf8"), "wb") as f:
    f.write(text.encode("utf-8"))
with open(os.path.join(folder, prefix + ".gb"), "wb") as f:
    f.write(text.encode("gb2312"))
PY
}
stamp="$data/.phrases-size"
if [ "$(cat "$stamp" 2>/dev/null)" != "$size_mb" ]; then
  echo "Generating a text of $size_mb MB in $data ..."
  rm -f "$stamp"
  generate "$size_mb" zh
  generate 1 zh1
  opencc -c s2tw -i "$data/zh.utf8" -o "$data/zh-tw.utf8"
  echo "$size_mb" > "$stamp"
fi

work=$(mktemp -d "$data/phrases.XXXXXX")
trap 'rm -rf "$work"' EXIT

# measure INPUT OUTPUT COMMAND...: the fastest of $runs runs, "nanoseconds rss_kb".
measure() {
  local input=$1 output=$2
  shift 2
  local best="" rss=0
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    if ! /usr/bin/time -v -o "$work/time.txt" "$@" <"$input" >"$output" 2>"$work/stderr.txt"; then
      echo "phrases_peer.sh: failed: $* <$input" >&2
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

printf '%s\n' "vortane-cli: $cli" "opencc: $(opencc --version 2>&1 | head -1)" \
  "text: $size_mb MB of UTF-8 ($data/zh.utf8), fastest of $runs runs" ""
printf '%-52s %-18s %6s %9s %9s %6s %9s %9s %s\n' "vortane-cli" "opencc" "MB" \
  "ours MB/s" "peer MB/s" "ratio" "ours RSS" "peer RSS" "lines differing"

# route INPUT PEER_INPUT CONFIG OUR ARGS...: ours on INPUT, opencc -c CONFIG on
# PEER_INPUT (the same text in UTF-8); the outputs are compared in UTF-8.
route() {
  local input=$data/$1 peer_input=$data/$2 config=$3
  shift 3
  local bytes ours_m peer_m differing
  bytes=$(stat -c %s "$peer_input")
  ours_m=$(measure "$input" "$work/ours.out" "$cli" "$@" --phrase-list /dev/null) || return 0
  peer_m=$(measure "$peer_input" "$work/peer.out" opencc -c "$config") || return 0
  if [[ $input == *.gb ]]; then
    python3 -c 'import sys; sys.stdout.buffer.write(open(sys.argv[1], "rb").read().decode("big5", "replace").encode())' \
      "$work/ours.out" >"$work/ours.utf8"
  else
    mv "$work/ours.out" "$work/ours.utf8"
  fi
  differing=$(diff <(cat "$work/ours.utf8") "$work/peer.out" | grep -c '^<' || true)
  awk -v b="$bytes" -v o="$ours_m" -v p="$peer_m" -v on="$*" -v pn="-c $config" -v d="$differing" 'BEGIN {
    split(o, oo, " "); split(p, pp, " ")
    ot = oo[1] / 1e9; pt = pp[1] / 1e9
    om = b / 1e6 / ot; pm = b / 1e6 / pt
    printf "%-52s %-18s %6.1f %9.1f %9.1f %6.2f %7.1fMB %7.1fMB %s (%.2f s ours)\n",
      on, pn, b / 1e6, om, pm, om / pm, oo[2] / 1024, pp[2] / 1024, d, ot
  }'
  rm -f "$work/ours.out" "$work/ours.utf8" "$work/peer.out"
}

route zh1.utf8 zh1.utf8 s2tw convert --from utf-8 --to utf-8 --phrases s2tw
route zh.utf8 zh.utf8 s2tw convert --from utf-8 --to utf-8 --phrases s2tw
route zh.utf8 zh.utf8 s2twp convert --from utf-8 --to utf-8 --phrases s2twp
route zh.utf8 zh.utf8 s2hk convert --from utf-8 --to utf-8 --phrases s2hk
route zh.gb zh.utf8 s2tw text gb2big5 --phrases tw
route zh-tw.utf8 zh-tw.utf8 tw2s convert --from utf-8 --to utf-8 --phrases tw2s
