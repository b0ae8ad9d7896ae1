"""A night drawn under the rules of the page 抽奖规则: conditions, a group cap and an exclusion."""

import checks
import expected
import settings_window as sw

DEPARTMENTS = ["总经办", "销售部", "行政部"]
STAFF = ["参与者%02d\t%s\t%04d" % (n, DEPARTMENTS[n % 3], 3300 + n) for n in range(1, 31)]
EXCLUDED_ID = "3305"
# The rules file as the page writes it: the grand prize not for 总经办, one
# second prize (of three) per department, one person taking no part at all.
RULES = ("不参与抽奖\t工号\t%s\r\n"
         "条件\t特等奖\t部门\t不是\t总经办\r\n"
         "上限\t二等奖\t部门\t1\r\n") % EXCLUDED_ID


def draw_with_rules(op):
    """Default counts (10 winners), rules set: every winner is one the rules allow, the rule is shown."""
    op.ws.put_samples()
    op.ws.write(expected.PARTICIPANTS_FILE, expected.lines_file(STAFF))
    op.ws.write("rafflixcolumns.txt", expected.gbk("姓名\t部门\t工号\r\n"))
    op.ws.write("rafflixrules.txt", expected.gbk(RULES))
    op.start_program()
    op.wait_main_window()
    # The first roll (the third prize) is pictured with the exclusion on the status line.
    op.draw_all(10, "enter")

    lines = checks.gbk_lines(op.ws.read(expected.RESULTS_FILE), expected.RESULTS_FILE)
    checks.check(len(lines) == 10, "%d winners, expected 10" % len(lines))
    by_level = {}
    for line in lines:
        level, person = line.split("：", 1)
        by_level.setdefault(level, []).append(person.split("\t"))
    checks.check(all(cells[2] != EXCLUDED_ID for people in by_level.values() for cells in people),
                 "the excluded person won: %r" % lines)
    checks.check(all(cells[1] != "总经办" for cells in by_level.get("特等奖", [])),
                 "总经办 took the grand prize: %r" % by_level.get("特等奖"))
    seconds = [cells[1] for cells in by_level.get("二等奖", [])]
    checks.check(sorted(seconds) == sorted(DEPARTMENTS),
                 "second prizes not one per department: %r" % seconds)

    history = op.ws.read("rafflixhistory.txt").decode(expected.ENCODING)
    checks.check("本次规则\t二等奖\t本奖项：每部门最多 1 人" in history,
                 "the history does not record the rules of the second prize")

    settings = sw.SettingsWindow(op)
    settings.open()
    settings.go_to_page(5)  # pictured as it comes
