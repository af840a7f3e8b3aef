#!/usr/bin/python3
"""The real window as the learner sees it, at normal size and with QT_SCALE_FACTOR=2.

Every visible control is sampled where the layout puts it: edit boxes white inside their border,
labels and group boxes on the window's face, texts in their colours. Every text is measured by its
ink and compared with the same text drawn independently (ImageMagick, same face, the layout's pixel
height): a text drawn at another size or cut off where it fits fails. A question with two-digit
numbers and a three-digit answer is asked and measured the same way, and the doubled window must be
drawn at the doubled resolution, not blown up.

Usage: screenshot_e2e.py TALLIMO LAYOUT_DUMP SCREENSHOT_DIR (on an X server of at least 1280 x 1280)
"""
import collections
import json
import os
import subprocess
import sys
import tempfile
import time

TALLIMO, LAYOUT_DUMP, SHOTS = sys.argv[1:4]
WHITE = (255, 255, 255)
INK_THRESHOLD = 96  # summed channel distance from the background that counts as ink


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, **kwargs).stdout


def text_of(hex_bytes):
    return bytes.fromhex(hex_bytes).decode("gbk")


class Image:
    """An RGB picture read from ImageMagick's PPM output."""

    def __init__(self, ppm):
        fields = ppm.split(maxsplit=4)
        check(fields[0] == b"P6" and fields[3] == b"255", "unexpected picture format")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = fields[4]

    def at(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.data[offset:offset + 3])

    def pixels(self, rect):
        left, top, right, bottom = self.clip(rect)
        for y in range(top, bottom):
            for x in range(left, right):
                yield x, y, self.at(x, y)

    def clip(self, rect):
        left, top, right, bottom = rect
        return max(left, 0), max(top, 0), min(right, self.width), min(bottom, self.height)

    def mode(self, rect, holes=(), near=None):
        """The most common colour in rect, outside the holes and away from the colour near."""
        def counted(x, y, p):
            return not any(l <= x < r and t <= y < b for l, t, r, b in holes) and (
                near is None or distance(p, near) > INK_THRESHOLD)
        counts = collections.Counter(p for x, y, p in self.pixels(rect) if counted(x, y, p))
        return counts.most_common(1)[0][0]


def distance(a, b):
    return sum(abs(x - y) for x, y in zip(a, b))


def ink(image, rect, background, colour):
    """The pixels nearer the text colour than the background, and their bounding box."""
    found = [(x, y, p) for x, y, p in image.pixels(rect)
             if distance(p, background) > INK_THRESHOLD and distance(p, colour) < distance(p, background)]
    if not found:
        return None, []
    xs = [x for x, _, _ in found]
    ys = [y for _, y, _ in found]
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1), found


FONT_FILE = run("fc-match", "-f", "%{file}", "WenQuanYi Micro Hei").decode()


def drawn_size(text, pixel_height):
    """Width and height of the ink of text in the window's face at that pixel height."""
    out = run("convert", "-background", "white", "-fill", "black", "-font", FONT_FILE,
              "-density", "72", "-pointsize", str(pixel_height), f"label:{text}", "-trim",
              "-format", "%w %h", "info:")
    width, height = map(int, out.split())
    return width, height


class Window:
    """The drill on the X server, at one scale factor."""

    def __init__(self, scale):
        self.scale = scale
        self.runtime = tempfile.TemporaryDirectory()
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime.name)
        os.chmod(self.runtime.name, 0o700)
        env.pop("QT_SCALE_FACTOR", None)
        if scale != 1:
            env["QT_SCALE_FACTOR"] = str(scale)
        self.process = subprocess.Popen([TALLIMO], env=env)
        self.wid = None
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                    r"^\+Tallimo V2\.0$"], capture_output=True, text=True)
            if found.stdout.strip():
                self.wid = found.stdout.split()[0]
                break
            check(self.process.poll() is None,
                  f"the drill ended with {self.process.returncode} before its window appeared")
            time.sleep(0.1)
        check(self.wid is not None, "no window titled +Tallimo V2.0 appeared")
        run("xdotool", "windowfocus", "--sync", self.wid)
        time.sleep(0.5)

    def close(self):
        # A real key press into the focused window: keys sent to a window now and then go astray.
        run("xdotool", "windowfocus", "--sync", self.wid)
        run("xdotool", "key", "Escape")
        try:
            code = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            fail("Escape did not close the window")
        self.runtime.cleanup()
        check(code == 0, f"the drill ended with {code}")

    def shot(self, name):
        time.sleep(0.4)
        ppm = run("import", "-window", self.wid, "-depth", "8", "ppm:-")
        path = os.path.join(SHOTS, f"{name}.png")
        run("convert", "ppm:-", path, input=ppm)
        return Image(ppm)

    def click(self, x, y):
        run("xdotool", "mousemove", "--window", self.wid, str(x * self.scale), str(y * self.scale),
            "click", "1")

    def keys(self, *keys):
        run("xdotool", "key", "--window", self.wid, *keys)

    def type(self, text):
        run("xdotool", "type", "--window", self.wid, text)

    def copy_text(self, control):
        """The whole text of an edit box, by selecting it and copying it as the learner can."""
        self.click(*centre(control))
        self.keys("ctrl+a", "ctrl+c")
        time.sleep(0.1)
        return run("xclip", "-o", "-selection", "clipboard").decode()


def rect_of(control, scale, inset=0):
    left, top = control["left"] * scale, control["top"] * scale
    return (left + inset, top + inset, left + control["width"] * scale - inset,
            top + control["height"] * scale - inset)


def centre(control):
    return control["left"] + control["width"] // 2, control["top"] + control["height"] // 2


def check_text(image, control, text, scale, background, fits=True):
    """The text stands in the control at its font's height and colour, whole where it fits."""
    name = text_of(control["name"])
    border = (scale + 1) if control["kind"] == "EditBox" else 0
    rect = rect_of(control, scale, border)
    colour = tuple(control["textColour"])
    box, found = ink(image, rect, background, colour)
    check(box is not None, f"{name}: no text drawn")
    exact = sum(1 for _, _, p in found if p == colour)
    check(exact >= 3 * scale * scale, f"{name}: text not drawn in {colour} ({exact} pixels)")

    width, height = box[2] - box[0], box[3] - box[1]
    want_width, want_height = drawn_size(text, control["pixelHeight"] * scale)
    # Qt thickens a bold face by about a 24th of its size; the rest is rounding.
    slack = 2 * scale + (control["pixelHeight"] * scale) // 24 * control["bold"]
    room_width, room_height = rect[2] - rect[0], rect[3] - rect[1]
    if fits:
        check(want_width + slack <= room_width and want_height <= room_height,
              f"{name}: {text!r} ({want_width}x{want_height}) cannot fit {room_width}x{room_height}")
        check(abs(height - want_height) <= slack,
              f"{name}: {text!r} drawn {height} px high, its face draws it {want_height} px high")
        check(abs(width - want_width) <= slack * len(text),
              f"{name}: {text!r} drawn {width} px wide, its face draws it {want_width} px wide")
        # Where there is room to spare, ink at an edge means the text runs on past it, except at
        # the edge it is aligned to.
        if want_width + 2 < room_width:
            check(box[0] > rect[0] or control["align"] == "left", f"{name}: {text!r} cut at the left")
            check(box[2] < rect[2] or control["align"] == "right",
                  f"{name}: {text!r} cut at the right")
        if want_height + 2 < room_height:
            check(box[1] > rect[1] and box[3] < rect[3], f"{name}: {text!r} cut at the top or bottom")
    return box, (width, height), (want_width, want_height)


def check_backgrounds(image, layout, scale, face):
    for control in layout:
        if not control["shown"]:
            continue
        name = text_of(control["name"])
        kind = control["kind"]
        if kind in ("GroupBox", "Label"):
            holes = [rect_of(child, scale) for child in layout
                     if child["parent"] == control["id"] and child["shown"]]
            got = image.mode(rect_of(control, scale), holes)
            check(got == face, f"{name}: {kind} on {got}, not on the window's face {face}")
        elif kind == "EditBox":
            inner = rect_of(control, scale, scale + 1)
            check(image.mode(inner) == WHITE, f"{name}: not white inside")
            left, top, right, bottom = rect_of(control, scale)
            middle = (top + bottom) // 2
            check(image.at(left, middle) != WHITE and image.at(right - 1, middle) != WHITE,
                  f"{name}: no border line")


def mid_tones(found, colour, background):
    """The share of ink pixels that are neither text colour nor background: the blur at the edges."""
    partial = sum(1 for _, _, p in found if distance(p, colour) > INK_THRESHOLD)
    return partial / len(found)


def session(scale, layout, by_id):
    window = Window(scale)
    start = window.shot(f"start@{scale}x")
    check((start.width, start.height) == (536 * scale, 597 * scale),
          f"client area {start.width}x{start.height} at scale {scale}")
    face = start.mode((0, 0, start.width, start.height))
    check(face != WHITE and face[0] == face[1] == face[2], f"window face {face} is not a grey")
    check_backgrounds(start, layout, scale, face)

    sharpness = None
    for control in layout:
        text = text_of(control["text"])
        if not control["shown"] or not text or control["pixelHeight"] == 0:
            continue
        if control["kind"] not in ("Label", "EditBox", "Button"):
            continue
        if control["wordWrap"]:
            continue
        background = WHITE if control["kind"] == "EditBox" else start.mode(
            rect_of(control, scale), near=tuple(control["textColour"]))
        check_text(start, control, text, scale, background)
        if text_of(control["name"]) == "数字1":
            _, found = ink(start, rect_of(control, scale, scale + 1), WHITE, (0, 0, 0))
            sharpness = mid_tones(found, tuple(control["textColour"]), WHITE)

    # A question of ten two-digit numbers and its answer, as the learner asks them.
    low, high = by_id["难度框1"], by_id["难度框2"]
    slider, button = by_id["难度调节"], by_id["出题答案按钮"]
    for box, value in ((low, "10"), (high, "99")):
        window.click(*centre(box))
        window.keys("ctrl+a")
        window.type(value)
    window.click(*centre(slider))
    window.keys("End")
    window.click(*centre(button))
    question = window.shot(f"question@{scale}x")
    window.click(*centre(button))
    answer = window.shot(f"answer@{scale}x")

    numbers = [by_id[f"数字{k}"] for k in range(1, 11)]
    answer_box = by_id["答案框"]
    texts = {id(box): window.copy_text(box) for box in numbers + [answer_box]}
    window.close()

    for box in numbers:
        text = texts[id(box)]
        check(len(text) == 2 and 10 <= int(text) <= 99, f"not a two-digit number: {text!r}")
        for picture in (question, answer):
            check_text(picture, box, text, scale, WHITE)
    total = texts[id(answer_box)]
    check(total == str(sum(int(texts[id(box)]) for box in numbers)), f"answer {total!r}")
    # Three digits at 133 px fill the answer box: its start is shown and nothing else is cut but
    # what falls past the right edge.
    box, (width, height), (want_width, want_height) = check_text(
        answer, answer_box, total, scale, WHITE, fits=False)
    inner = rect_of(answer_box, scale, scale + 1)
    check(abs(height - want_height) <= 2 * scale, f"answer drawn {height} px high")
    check(box[0] - inner[0] >= 2 * scale, "the answer's first digit is cut at the left")
    lost = want_width - width
    check(lost <= 5 * scale, f"the answer loses {lost} px of ink at the right edge")
    print(f"scale {scale}: face {face}; answer {total!r} {width}x{height} px of ink, "
          f"{max(lost, 0)} px past the right edge; 数字1 edge blur {sharpness:.2f}")
    return sharpness


def main():
    os.makedirs(SHOTS, exist_ok=True)
    layout = json.loads(run(LAYOUT_DUMP))["controls"]
    by_id = {text_of(control["name"]): control for control in layout}
    normal = session(1, layout, by_id)
    doubled = session(2, layout, by_id)
    # Drawn at twice the resolution, a glyph's soft edge stays one pixel wide while its body
    # doubles; a blown-up picture would keep the same share of soft pixels.
    check(doubled < 0.85 * normal, f"the doubled window is blurred: {doubled:.2f} vs {normal:.2f}")
    print(f"screenshots in {SHOTS}")


main()
