"""Cases on the stage view: a batch of winners drawn with one Start and Stop."""

import subprocess
import time

import checks
import expected
from desktop import wait_for

BATCH = 10
SCREEN = (1920, 1080)
# Thirty short names without blanks: each shows as one patch of letters.
BATCH_PARTICIPANTS = ["参与者%02d" % number for number in range(1, 31)]
# In full screen the board covers the whole width from the top of the display
# field (24,136 in the window's design, scaled to fit the screen and centred)
# to the bottom of the screen.
BOARD_DESIGN = (24, 136, 697, 305)
DESIGN_SIZE = (744, 522)


def _settings_with_batch():
    entries = list(expected.DEFAULT_SETTINGS)
    counts = {"五等奖人数": str(BATCH), "特等奖人数": "1"}
    entries = [(s, k, counts.get(k, v) if s == expected.PRIZES else v) for s, k, v in entries]
    for other in ("一等奖人数", "二等奖人数", "三等奖人数"):
        entries = [(s, k, "" if k == other else v) for s, k, v in entries]
    text = ""
    section = None
    for s, k, v in entries + [("批量抽奖", "五等奖每次人数", str(BATCH))]:
        if s != section:
            text += "[%s]\r\n" % s
            section = s
        text += "%s=%s\r\n" % (k, v)
    return expected.gbk(text)


def _board_rect():
    scale = min(SCREEN[0] / DESIGN_SIZE[0], SCREEN[1] / DESIGN_SIZE[1])
    offset_x = (SCREEN[0] - round(DESIGN_SIZE[0] * scale)) // 2
    offset_y = (SCREEN[1] - round(DESIGN_SIZE[1] * scale)) // 2
    left, top, width, height = BOARD_DESIGN
    del left, width, height
    y0 = offset_y + round(top * scale)
    return 0, y0, SCREEN[0], SCREEN[1] - y0


def _white_mask(png, rect):
    """Rows of booleans: the near-white pixels (the names) inside rect of the picture."""
    x, y, width, height = rect
    ppm = subprocess.run(["convert", png, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
                          "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields = ppm.split(maxsplit=4)
    checks.check(fields[0] == b"P6", "not a binary PPM picture")
    w, h, data = int(fields[1]), int(fields[2]), fields[4]
    mask = []
    for row in range(h):
        line = data[row * w * 3:(row + 1) * w * 3]
        mask.append([line[i] > 200 and line[i + 1] > 200 and line[i + 2] > 200 for i in range(0, w * 3, 3)])
    return mask


def _runs(flags, gap):
    """(start, end) of the runs of True in flags, joined across gaps shorter than gap."""
    runs = []
    for index, flag in enumerate(flags):
        if not flag:
            continue
        if runs and index - runs[-1][1] <= gap:
            runs[-1][1] = index
        else:
            runs.append([index, index])
    return runs


def _name_patches(mask):
    """Patches of name letters: bands of rows with letters, then letters apart in a band."""
    patches = []
    for top, bottom in _runs([any(row) for row in mask], gap=3):
        columns = [any(mask[row][col] for row in range(top, bottom + 1)) for col in range(len(mask[0]))]
        height = bottom - top + 1
        # Letters of one name stand closer than a quarter of their height;
        # names in neighbouring cells stand at least two paddings apart.
        patches += [(top, left, bottom, right) for left, right in _runs(columns, gap=height // 4)]
    return patches


def batch_of_ten(op):
    """Ten winners with one Start and Stop in the stage view, all ten on the screen at once."""
    op.ws.put_samples()
    op.ws.write(expected.SETTINGS_FILE, _settings_with_batch())
    op.ws.write(expected.PARTICIPANTS_FILE, expected.lines_file(BATCH_PARTICIPANTS))
    op.start_program()
    op.wait_main_window()
    op.focus_main()
    op.desk.key("F11")
    wait_for("the stage view to fill the screen",
             lambda: op.desk.geometry(op.main) == SCREEN, timeout=20)
    time.sleep(0.5)

    op.desk.key("Return")
    time.sleep(0.6)
    op.desk.screenshot(op.main, "stage-rolling")
    op.desk.key("Return")
    wait_for("the batch in the results file", lambda: op.results_lines() == BATCH, timeout=20)
    lines = checks.gbk_lines(op.ws.read(expected.RESULTS_FILE), expected.RESULTS_FILE)
    winners = [line[len(expected.label("五等奖")):] for line in lines]
    checks.check(all(line.startswith(expected.label("五等奖")) for line in lines),
                 "not all fifth prizes: %r" % lines)
    checks.check(len(set(winners)) == BATCH, "a winner twice in one Stop: %r" % winners)
    checks.check(set(winners) <= set(BATCH_PARTICIPANTS), "unknown winners: %r" % winners)

    time.sleep(1.0)  # the roll ends on its next pass; let the board paint
    shot = op.desk.screenshot(op.main, "stage-batch")
    patches = []
    for _ in range(10):
        patches = _name_patches(_white_mask(shot, _board_rect()))
        if len(patches) == BATCH:
            break
        time.sleep(0.5)
        shot = op.desk.screenshot(op.main, "stage-batch-again")
    checks.check(len(patches) == BATCH, "%d names on the board, expected %d: %r"
                 % (len(patches), BATCH, patches))
    heights = sorted(bottom - top + 1 for top, _, bottom, _ in patches)
    checks.check(heights[0] >= 20, "the names are only %d pixels high" % heights[0])
    op.check_no_box(settle=0.5)

    op.desk.key("Escape")
    wait_for("the normal window again", lambda: op.desk.geometry(op.main) == expected.MAIN_SIZE,
             timeout=20)
    op.desk.screenshot(op.main, "after-stage")
