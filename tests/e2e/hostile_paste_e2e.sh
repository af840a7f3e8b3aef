#!/usr/bin/env bash
# 100 KB of hostile text (emoji, NUL, control characters, full-width digits, characters GBK cannot
# hold) pasted through the clipboard into each box the learner can edit: the drill survives, the
# boxes keep to their two GBK bytes, and a question can still be asked and answered.
set -euo pipefail
source "$(dirname "$0")/common.sh"
command -v xclip >/dev/null || fail "xclip is not installed (scripts/install-deps test)"

hostile="$XDG_RUNTIME_DIR/hostile.txt"
python3 - "$hostile" <<'EOF'
import random, sys
rng = random.Random(5)
pools = [
    [chr(c) for c in range(0x1F600, 0x1F650)],  # emoji: outside both the BMP and GBK
    ["\0"],
    [chr(c) for c in [*range(1, 32), 0x7F, 0x85, 0x200B, 0x202E, 0xFEFF]],
    [chr(c) for c in range(0xFF10, 0xFF1A)] + ["\uFF0D", "\uFF0E", "\u3000"],  # full-width
    [chr(c) for c in [*range(0x100, 0x180), *range(0xE01, 0xE3A), 0xFFFD, 0xFFFF]],  # not in GBK
    list("加油出题答案0123456789-."),
]
text, size = [], 0
while size < 100 * 1024:
    character = rng.choice(rng.choice(pools))
    text.append(character)
    size += len(character.encode())
with open(sys.argv[1], "wb") as out:
    out.write("".join(text).encode())
EOF

# Client coordinates of the controls, from their group boxes' places.
exam_check=(300 147)
answer_time_box=(461 145)
range_low_box=(341 260)
range_high_box=(453 260)
ask_answer_button=(402 546)

# The bytes the text in a file takes in GBK, as the drill reads it (unencodable characters become
# one "?", NUL characters are dropped), then the text itself as Python writes it.
gbk_bytes() {
  python3 -c 'import sys; t = open(sys.argv[1], "rb").read().decode("utf-8", "replace");
print(len(t.replace("\0", "").encode("gbk", "replace")), ascii(t))' "$1"
}

clipboard_holds() {
  xclip -selection clipboard -t UTF8_STRING -i "$1"
}

# Selects all of the box at the given point and copies it into the file $copied. A marker put on
# the clipboard first tells when the copy has happened.
copied="$XDG_RUNTIME_DIR/copied"
copy_box() {
  local marker="$XDG_RUNTIME_DIR/marker"
  echo "clipboard before the copy" >"$marker"
  clipboard_holds "$marker"
  click_at "$1" "$2"
  press_keys ctrl+a ctrl+c
  for _ in $(seq 1 300); do
    if xclip -selection clipboard -o >"$copied" 2>/dev/null && ! cmp -s "$copied" "$marker"; then
      return 0
    fi
    sleep 0.1
  done
  fail "the box at $1,$2 gave nothing to copy within 30 s"
}

paste_into() {
  clipboard_holds "$hostile"
  click_at "$1" "$2"
  press_keys ctrl+a ctrl+v
}

red_pixels_in_answer_box() {
  import -window "$wid" png:- | convert png:- -crop 200x120+300+365 +repage \
    -fx 'r>0.8 && g<0.3 && b<0.3' -format '%[fx:round(mean*w*h)]' info:
}

start_drill
click_at "${exam_check[@]}"
for box in answer_time_box range_low_box range_high_box; do
  declare -n point="$box"
  started=$SECONDS
  paste_into "${point[@]}"
  copy_box "${point[@]}"
  kill -0 "$pid" 2>/dev/null || fail "the drill ended after the paste into $box"
  read -r bytes held < <(gbk_bytes "$copied")
  (( bytes <= 2 )) || fail "$box holds $bytes GBK bytes after the paste: $held"
  echo "$box: holds $bytes GBK bytes after the paste ($(( SECONDS - started )) s): $held"
  unset -n point
done

# Back to manual mode: a question and its answer with whatever range the pastes left.
click_at "${exam_check[@]}"
click_at "${ask_answer_button[@]}"
sleep 0.5
asked=$(red_pixels_in_answer_box)
click_at "${ask_answer_button[@]}"
sleep 0.5
answered=$(red_pixels_in_answer_box)
(( asked == 0 )) || fail "the answer box was not empty while the question was open"
(( answered > 200 )) || fail "no answer drawn after the pastes ($answered red pixels)"

press_keys Escape
expect_exit 0
echo "answer drawn with $answered red pixels after the pastes; Escape ended the drill with 0"
