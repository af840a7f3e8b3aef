#!/usr/bin/env bash
# A learner's manual question on the real binary: "出题" draws numbers, "答案" shows their sum in
# red in the answer box. Screenshots go to the directory given as the second argument.
set -euo pipefail
source "$(dirname "$0")/common.sh"
shots="$2"
mkdir -p "$shots"

# Red pixels (the answer's colour) inside the answer box, in client coordinates.
red_pixels_in_answer_box() {
  import -window "$wid" png:- | convert png:- -crop 200x120+300+365 +repage \
    -fx 'r>0.8 && g<0.3 && b<0.3' -format '%[fx:round(mean*w*h)]' info:
}

start_drill
# The button sits at (82, 25) in its group box at (270, 496), 100 x 50.
button_x=402
button_y=546

before=$(red_pixels_in_answer_box)
click_at "$button_x" "$button_y"
sleep 0.5
import -window "$wid" "$shots/question.png"
asked=$(red_pixels_in_answer_box)

click_at "$button_x" "$button_y"
sleep 0.5
import -window "$wid" "$shots/answer.png"
answered=$(red_pixels_in_answer_box)

press_keys Escape
expect_exit 0

(( before == 0 && asked == 0 )) || fail "the answer box was not empty before the answer"
(( answered > 200 )) || fail "no answer drawn in the answer box ($answered red pixels)"
echo "answer drawn with $answered red pixels; screenshots in $shots"
