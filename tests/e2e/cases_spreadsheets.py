"""Cases of the spreadsheet additions: a list imported from a file through the
real open dialog, and the winners exported through the real save dialog."""

import time

import cases_main_window
import checks
import expected
import settings_window as sw
from desktop import wait_for

IMPORT_FILE_BUTTON = (281, 192, 83, 25)  # 从文件导入..., page 3, left of 确定导入
# Bare window right of the results list, where a right-click opens pm1.
MENU_SPOT = (735, 300)
LIST_CSV = "\ufeff姓名,部门,工号\r\n张三,\"市场,部\",1000123\r\n李四,研发部,1000124\r\n"
IMPORTED = ["张三\t市场,部\t1000123", "李四\t研发部\t1000124"]
TITLES = "姓名\t部门\t工号"  # the title row left out, kept beside the list
COLUMNS_FILE = "rafflixcolumns.txt"


def _choose_in_dialog(op, open_dialog, path):
    """Opens a file dialog, replaces its file name by the typed path and accepts it."""
    known = set(op.desk.visible_windows())
    open_dialog()
    dialog = op.desk.wait_new_window(known)
    time.sleep(0.5)
    op.desk.focus(dialog)
    op.desk.key("ctrl+a")
    op.desk.type_text(path)
    time.sleep(0.3)
    op.desk.screenshot(dialog, "file-dialog-typed")
    op.desk.key("Return")
    op.desk.wait_window_gone(dialog)


def import_from_file(op):
    """从文件导入... with a CSV file, the title row left out, 确定导入: the file holds the rows
    and the title row goes beside it."""
    op.ws.put_samples()
    op.ws.write("list.csv", LIST_CSV.encode("utf-8"))
    op.start_program()
    op.wait_main_window()
    settings = sw.SettingsWindow(op)
    settings.open()
    settings.go_to_page(2)
    _choose_in_dialog(op, lambda: settings.click(IMPORT_FILE_BUTTON), op.ws.path("list.csv"))
    question = op.wait_box(expected.NOTICE_CAPTION, "import-title-question")
    op.dismiss_box(question)  # Enter: 【是】, leave the titles out
    time.sleep(0.3)
    op.desk.screenshot(settings.window, "import-from-file")
    checks.check(not op.ws.exists(expected.PARTICIPANTS_FILE), "the file was written before 确定导入")
    settings.click(sw.IMPORT_BUTTON)
    box = op.wait_box(expected.NOTICE_CAPTION, "import-notice")
    op.dismiss_box(box)
    checks.check(op.ws.read(expected.PARTICIPANTS_FILE) == expected.lines_file(IMPORTED),
                 "participant file is %r" % op.ws.read(expected.PARTICIPANTS_FILE))
    checks.check(op.ws.read(COLUMNS_FILE) == expected.lines_file([TITLES]),
                 "column titles file is %r" % op.ws.read(COLUMNS_FILE))

    # A file past 2 MiB is read aside while the field fills: the same boxes, the same file.
    rows = ["参与者%d,第%d部" % (i, i % 97) for i in range(100000)]
    op.ws.write("large.csv", ("\ufeff姓名,部门\r\n" + "".join(r + "\r\n" for r in rows)).encode("utf-8"))
    _choose_in_dialog(op, lambda: settings.click(IMPORT_FILE_BUTTON), op.ws.path("large.csv"))
    question = op.wait_box(expected.NOTICE_CAPTION, "import-large-title-question")
    op.dismiss_box(question)
    time.sleep(0.3)
    settings.click(sw.IMPORT_BUTTON)
    box = op.wait_box(expected.NOTICE_CAPTION, "import-large-notice")
    op.dismiss_box(box)
    checks.check(op.ws.read(expected.PARTICIPANTS_FILE) ==
                 expected.lines_file([r.replace(",", "\t") for r in rows]),
                 "the large list was not written as read")


def export_winners(op):
    """One winner drawn, then pm1's export entry saves a CSV file with the winner's row."""
    cases_main_window._start_with_participants(op)
    op.draw_one(1, "click")
    target = op.ws.path("winners.csv")

    def open_menu_entry():
        op.desk.focus(op.main)
        op.desk.click(op.main, MENU_SPOT[0], MENU_SPOT[1], button=3)
        time.sleep(1.0)  # the menu is an unnamed popup: let it map and take the keys
        op.desk.key("Down", "Down", "Down", "Down", "Return")  # the fourth entry

    _choose_in_dialog(op, open_menu_entry, target)
    box = op.wait_box(expected.NOTICE_CAPTION, "export-notice")
    op.dismiss_box(box)
    wait_for("the exported file", lambda: op.ws.exists("winners.csv"), timeout=10)
    text = op.ws.read("winners.csv")
    checks.check(text.startswith(b"\xef\xbb\xbf"), "the CSV file has no byte-order mark")
    lines = text[3:].decode("utf-8").split("\r\n")
    checks.check(lines[0].startswith("序号,奖项,奖品,中奖者"), "header is %r" % lines[0])
    results = op.ws.read(expected.RESULTS_FILE).decode("gbk").split("\r\n")[0]
    level, winner = results[:3], results[4:]  # the label, such as 三等奖：, then the winner
    checks.check(lines[1].startswith("1,%s," % level) and (",%s," % winner) in lines[1],
                 "first row %r does not hold the winner %r" % (lines[1], winner))
