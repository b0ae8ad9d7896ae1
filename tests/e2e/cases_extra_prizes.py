"""A prize added on the night from the right-click menu, chosen, drawn, and the six levels after it."""

import time

import cases_main_window
import checks
import expected
import settings_window as sw
from cases_spreadsheets import MENU_SPOT

NAME = "老板加奖"
# Page 加奖: its fields and the button 添加, relative to the page.
NAME_FIELD = (292, 8, 160, 20)
COUNT_FIELD = (292, 64, 160, 20)
BATCH_FIELD = (292, 92, 160, 20)
ADD_BUTTON = (292, 124, 50, 25)
# pm1 from the top: three lines about the folder, the export, then the
# level choice and the 加奖 entries (separators are passed over).
LEVEL_CHOICE_DOWNS = 5
EXTRA_PRIZE_DOWNS = 6


def _open_menu(op, downs):
    op.desk.focus(op.main)
    op.desk.click(op.main, MENU_SPOT[0], MENU_SPOT[1], button=3)
    time.sleep(1.0)  # the menu is an unnamed popup: let it map and take the keys
    op.desk.key(*(["Down"] * downs), "Right")
    time.sleep(0.5)  # the submenu opens at its first entry


def add_and_draw_extra_prize(op):
    """Two winners of an extra prize in one Stop, chosen between levels; then the ten of the levels."""
    cases_main_window._start_with_participants(op)
    op.draw_one(1, "enter")

    _open_menu(op, EXTRA_PRIZE_DOWNS)
    op.desk.key("Return")  # 添加加奖...: the settings window on page 加奖
    settings = sw.SettingsWindow(op)
    settings.window = op.desk.wait_window(expected.SETTINGS_CAPTION)
    time.sleep(0.5)
    settings.origin = settings._page_origin()
    settings.set_field(NAME_FIELD, NAME)
    settings.set_field(COUNT_FIELD, "2")
    settings.set_field(BATCH_FIELD, "2")
    settings.click(ADD_BUTTON)
    time.sleep(0.5)
    op.desk.screenshot(settings.window, "extra-prize-added")
    checks.check(op.ws.exists("rafflixextra.txt"), "adding the prize wrote no file")
    settings.close()

    # 选择下次抽取的奖项: the automatic order, the four levels with places, the prize.
    _open_menu(op, LEVEL_CHOICE_DOWNS)
    op.desk.key(*(["Down"] * (1 + len(expected.DEFAULT_COUNTS))), "Return")
    op.focus_main()
    op.draw_one(3, "enter", shot=True)
    op.desk.screenshot(op.main, "extra-prize-drawn")
    op.draw_all(12, "enter", first_shot=False)

    lines = checks.gbk_lines(op.ws.read(expected.RESULTS_FILE), expected.RESULTS_FILE)
    label = "【%s】" % NAME
    extra = [line[len(label):] for line in lines if line.startswith(label)]
    checks.check([line.startswith(label) for line in lines] == [False, True, True] + [False] * 9,
                 "the extra prize's winners are not the second Stop's two: %r" % lines)
    levels = [line for line in lines if not line.startswith(label)]
    winners = checks.check_results(expected.lines_file(levels), expected.DEFAULT_COUNTS,
                                   expected.PARTICIPANTS)
    checks.check(all(person in expected.PARTICIPANTS for person in extra) and
                 len(set(extra + winners)) == 12, "a winner twice or not a participant: %r" % lines)
    op.expect_all_drawn("enter")
