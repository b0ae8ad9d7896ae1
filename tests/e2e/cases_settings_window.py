"""Cases through the settings window: the participant import and the prize page."""

import checks
import expected
import settings_window as sw
from cases_main_window import _start_with_participants
from desktop import wait_for

# Pasted from another program with stray empty lines, then one more typed.
PASTED = expected.PARTICIPANTS[:10]
PASTED_TEXT = "\n\n" + "\n".join(PASTED[:5]) + "\n\n\n" + "\n".join(PASTED[5:]) + "\n"
TYPED_LINE = "Kevin Wu 0013"
IMPORTED = PASTED + [TYPED_LINE]


def import_participants(op):
    """Paste and type a list on the import page, 确定导入, the notice; the file holds the cleaned list."""
    op.ws.put_samples()
    op.start_program()
    op.wait_main_window()
    settings = sw.SettingsWindow(op)
    settings.open()
    settings.go_to_page(2)
    settings.click(sw.IMPORT_FIELD)  # the first click clears the instruction line
    op.desk.paste_text(PASTED_TEXT)
    op.desk.type_text("\n" + TYPED_LINE + "\n")
    op.desk.screenshot(settings.window, "import-typed")
    settings.click(sw.IMPORT_BUTTON)
    box = op.wait_box(expected.NOTICE_CAPTION, "import-notice")
    op.dismiss_box(box)
    # The list holds identity numbers: one question whether the screen hides them.
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "hide-numbers-question"))
    op.desk.screenshot(settings.window, "import-cleaned")
    checks.check(op.ws.read(expected.PARTICIPANTS_FILE) == expected.lines_file(IMPORTED),
                 "participant file is %r, expected the typed lines without empty ones, CR LF each"
                 % op.ws.read(expected.PARTICIPANTS_FILE))
    checks.check(op.ws.read(expected.RESULTS_FILE) == b"", "the import touched the results file")
    # The next click of the draw reads the imported list. (Enter would now
    # press 系统设置, the focused button.)
    op.draw_all(1, "click")
    checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS, IMPORTED)


NEW_COUNTS = {"特等奖": 1, "二等奖": 2, "五等奖": 2}
NEW_TEXTS = {  # level: (count field, prize field); None keeps the shown text
    "特等奖": (None, None),
    "一等奖": ("", None),
    "二等奖": ("2", "购物卡200元"),
    "三等奖": ("", None),
    "四等奖": ("", None),
    "五等奖": ("2", "保温杯"),
}


def _expected_settings():
    values = {}
    for level, (count, prize) in NEW_TEXTS.items():
        if count is not None:
            values[level + "人数"] = count
        if prize is not None:
            values[level + "奖品"] = prize
    return [(section, key, values.get(key, value)) for section, key, value in expected.DEFAULT_SETTINGS]


def change_prizes(op):
    """Change the counts and prizes and save: results emptied, the next draw follows them."""
    _start_with_participants(op)
    op.draw_all(2, "enter")
    checks.check_results(op.ws.read(expected.RESULTS_FILE), expected.DEFAULT_COUNTS, expected.PARTICIPANTS)

    settings = sw.SettingsWindow(op)
    settings.open()
    settings.go_to_page(1)
    # A first digit 0 is refused with a notice, and the field stays empty.
    settings.clear_field(sw.count_field("一等奖"))
    op.desk.type_text("0")
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "first-digit-notice"))
    for level, (count, prize) in NEW_TEXTS.items():
        if count is not None:
            settings.set_field(sw.count_field(level), count)
        if prize is not None:
            settings.set_field(sw.prize_field(level), prize)
    op.desk.screenshot(settings.window, "prizes-changed")
    settings.click(sw.SAVE_PRIZES)
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "prizes-saved-notice"))
    # The save ended a round holding two winners: a second notice says so
    # and how to take it back.
    op.dismiss_box(op.wait_box(expected.NOTICE_CAPTION, "round-ended-notice"))

    entries = checks.settings_entries(op.ws.read(expected.SETTINGS_FILE))
    checks.check(entries == _expected_settings(), "settings after the save:\n  got      %r\n  expected %r"
                 % (entries, _expected_settings()))
    checks.check(op.ws.read(expected.RESULTS_FILE) == b"", "the save did not empty the results file")
    settings.close()

    total = sum(NEW_COUNTS.values())
    op.draw_all(total, "click")
    op.desk.screenshot(op.main, "new-counts-drawn")
    winners = checks.check_results(op.ws.read(expected.RESULTS_FILE), NEW_COUNTS, expected.PARTICIPANTS)
    checks.check(len(winners) == total, "%d winners under the new counts, expected %d" % (len(winners), total))
    op.expect_all_drawn("click")
    wait_for("the program to keep running", op.ws.running, timeout=1)
