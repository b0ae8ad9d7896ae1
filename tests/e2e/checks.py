"""Readers and checks of the files the program writes, on their bytes."""

import expected
from desktop import Failure


def check(condition, message):
    if not condition:
        raise Failure(message)


def gbk_lines(data, what):
    """The CR LF ended lines of a GBK file; every line must end in CR LF."""
    check(not data.startswith(b"\xef\xbb\xbf"), "%s starts with a byte-order mark" % what)
    try:
        text = data.decode(expected.ENCODING)
    except UnicodeDecodeError as error:
        raise Failure("%s is not GBK text: %s" % (what, error)) from None
    if not text:
        return []
    check(text.endswith("\r\n"), "%s does not end in CR LF: %r" % (what, text[-20:]))
    lines = text[:-2].split("\r\n")
    for line in lines:
        check("\r" not in line and "\n" not in line, "%s has a line break other than CR LF: %r" % (what, line))
    return lines


def settings_entries(data):
    """(section, key, value) of a settings file, in file order; blank lines skipped."""
    entries = []
    section = None
    for line in gbk_lines(data, expected.SETTINGS_FILE):
        if not line.strip():
            continue
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
            continue
        check("=" in line, "settings line without '=': %r" % line)
        key, value = line.split("=", 1)
        entries.append((section, key, value))
    return entries


def check_default_settings(data):
    entries = settings_entries(data)
    check(entries == expected.DEFAULT_SETTINGS,
          "settings file differs from the 18 defaults:\n  got      %r\n  expected %r"
          % (entries, expected.DEFAULT_SETTINGS))
    sections = [line for line in data.decode(expected.ENCODING).split("\r\n") if line.startswith("[")]
    check(sections == ["[基本设置]", "[奖项设置]"], "sections are %r" % sections)


def setting(data, section, key):
    values = [v for s, k, v in settings_entries(data) if (s, k) == (section, key)]
    check(len(values) == 1, "settings file holds %d values of [%s] %s" % (len(values), section, key))
    return values[0]


def check_results(data, counts, participants):
    """A complete or partial draw in the results file: levels in order, no one twice.

    Returns the winners' lines in drawing order."""
    lines = gbk_lines(data, expected.RESULTS_FILE)
    order = expected.draw_order(counts)
    check(len(lines) <= len(order), "results file holds %d lines, at most %d expected" % (len(lines), len(order)))
    winners = []
    for number, (line, level) in enumerate(zip(lines, order), start=1):
        check(line.startswith(expected.label(level)),
              "winner %d is %r, expected a %s line" % (number, line, level))
        winner = line[len(expected.label(level)):]
        check(winner in participants, "winner %d %r is not a participant line" % (number, winner))
        winners.append(winner)
    check(len(set(winners)) == len(winners), "a participant was drawn twice: %r" % winners)
    check(data == b"".join(expected.gbk(expected.label(level) + winner) + expected.CRLF
                           for level, winner in zip(order, winners)),
          "results file bytes differ from label + participant line + CR LF")
    return winners


def check_saved_results(data, heading, results_lines):
    """The on-screen list as saved: heading, then each result with its time, CR LF each."""
    lines = gbk_lines(data, "saved results")
    check(lines and lines[0] == heading, "saved results start with %r, expected %r" % (lines[:1], heading))
    check(len(lines) == 1 + len(results_lines),
          "saved results hold %d lines, expected %d" % (len(lines), 1 + len(results_lines)))
    for line, result in zip(lines[1:], results_lines):
        check(line.startswith(result + " 时间："), "saved line %r does not start with %r" % (line, result + " 时间："))
        check(len(line) > len(result + " 时间："), "saved line %r has no time" % line)
