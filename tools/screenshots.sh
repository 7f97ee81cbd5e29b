#!/usr/bin/env bash
# Takes screenshots of the desktop program under a virtual X display: the main
# window with decoded GB and Big5 text, every menu, and the dialogs, in each
# interface language. The windows are driven by the developer driver
# (tools/driver/), which runs them from the same GUI library as vortane.
# Writes PNG files to OUTDIR. SET "codes" takes only the frames under each
# display code; the default "all" takes every screenshot.
# Usage: tools/screenshots.sh OUTDIR [all|codes]
# Environment: VORTANE_DRIVER (default build/tools/driver/vortane-driver, built
#              when missing), DISPLAY_NUMBER (default 97).
set -euo pipefail

out=${1:?usage: tools/screenshots.sh OUTDIR [all|codes]}
set_name=${2:-all}
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${VORTANE_DRIVER:-$root/build/tools/driver/vortane-driver}
display=:${DISPLAY_NUMBER:-97}
[ -e "$bin" ] && bin=$(realpath "$bin")

# fonts-hanazono: characters beyond the BMP (𠮷) in the display-code shots.
"$root/tools/install-deps.sh" xvfb imagemagick fonts-wqy-microhei fonts-hanazono

if [ ! -x "$bin" ]; then
  cmake -S "$root" -B "$root/build" -DVORTANE_BUILD_GUI=ON
  cmake --build "$root/build" -j"$(nproc 2>/dev/null || echo 2)" --target vortane-driver
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done

# Sample mail bodies: Chinese text in GB and in Big5, Base64-encoded.
printf '邮件解码测试：这是一段简体中文文本。\r\n第二行，含有数字 12345 和英文 ABC。\r\n' |
  iconv -f UTF-8 -t GB2312 | base64 >"$work/gb.b64"
printf '郵件解碼測試：這是一段繁體中文文本。\r\n第二行，含有數字 12345 和英文 ABC。\r\n' |
  iconv -f UTF-8 -t BIG5 | base64 >"$work/big5.b64"

# settings_for LANGUAGE: a settings directory with that interface language.
settings_for() {
  local dir="$work/settings-$1"
  mkdir -p "$dir"
  printf "[Mail Vortane]\nTemp Directory=%s/\nAuto paste=0\nRecognise double bytes=1\nWord wrap number=70\nMark character='>'\nInterface=%s\n*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5" \
    "$work" "$1" >"$dir/Vortane.ini"
  echo "$dir"
}

# shot NAME LANGUAGE [driver options...]
shot() {
  local name=$1 language=$2
  shift 2
  local dir
  dir=$(settings_for "$language")
  if ! (cd "$work" && DISPLAY=$display timeout 60 "$bin" --settings-dir "$dir" "$@" \
        --screenshot "$out/$name.png" 2>"$work/stderr"); then
    echo "screenshot $name failed:" >&2
    cat "$work/stderr" >&2
    return 1
  fi
  echo "$out/$name.png"
}

# The frames under each display code: 朱镕基 (a GBK name), 𠮷 (beyond the
# BMP) and 你嘅文件 (Cantonese), written in the code's full charset (GB 18030
# for GB and GB18030, Big5-HKSCS for Big5 and Big5-HKSCS, "?" where it has
# none), then copied into the target frame.
declare -A charset=([gb]=gb18030 [gb18030]=gb18030 [big5]=big5hkscs [big5-hkscs]=big5hkscs
  [utf-8]=utf-8)
for code in gb gb18030 big5 big5-hkscs utf-8; do
  python3 -c 'import sys; sys.stdout.buffer.write("朱镕基 𠮷 你嘅文件\r\n".encode(sys.argv[1], "replace"))' \
    "${charset[$code]}" >"$work/codes-$code.txt"
  shot "codes-$code" 1 --display-code "$code" --source-file "$work/codes-$code.txt" \
    --command target-from-source
done
[ "$set_name" = codes ] && exit 0

declare -A tag=([0]=gb [1]=en [2]=big5)
# The about dialog's click area that shows the introduction page of a language.
declare -A area=([0]=aboutBlueArea [1]=aboutRedArea [2]=aboutGreenArea)
for language in 1 0 2; do
  t=${tag[$language]}
  sample=gb
  [ "$language" = 2 ] && sample=big5
  # Decode > Base 64 of the sample in the interface language's code.
  shot "main-$t" "$language" --source-file "$work/$sample.b64" --command decode-base64
  # The other code's text as well, shown through its own code.
  other=big5
  [ "$sample" = big5 ] && other=gb
  shot "main-$t-$other-text" "$language" --display-code "$other" \
    --source-file "$work/$other.b64" --command decode-base64
  for menu in 1 1.4 2 4 5 6; do
    shot "menu-$t-$menu" "$language" --show-menu "$menu"
  done
  shot "settings-$t" "$language" --open-dialog settings
  shot "converter-$t" "$language" --open-dialog converter
  shot "help-$t" "$language" --open-dialog help
  for page in 1 2 3; do
    shot "help-$t-$page" "$language" --open-dialog help --click "helpTab$page"
  done
  shot "about-$t" "$language" --open-dialog about
  shot "about-full-$t" "$language" --open-dialog about --click "${area[$language]}"
done
# A validation message over the settings dialog.
shot settings-bad-number 1 --open-dialog settings --set-text wrapNumberEdit=10 --click okButton
