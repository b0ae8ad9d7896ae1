"""The settings window as an operator meets it: opened from the main window, paged, filled."""

import time

import checks
import expected
import operator_actions as actions

# The page control and, on its pages, the controls the cases use; positions
# on a page are relative to the page's top-left corner.
PAGE_CONTROL = (16, 8, 473, 249)
PAGES = ["基本设置", "奖项设置", "导入/导出", "免费与捐助", "批量抽奖", "抽奖规则"]
TITLE_FIELD = (112, 12, 273, 20)        # cxtxtdt1, page 1
IMPORT_FIELD = (18, 24, 425, 153)       # mmo1, page 3
IMPORT_BUTTON = (368, 192, 75, 25)      # btn1 确定导入, page 3
SAVE_PRIZES = (344, 192, 75, 25)        # btn8 保存修改, page 2
FIELD_TOPS = [8, 32, 56, 80, 104, 128]  # one row per level, 特等奖 first
COUNT_LEFT, COUNT_SIZE = 152, (57, 18)
PRIZE_LEFT, PRIZE_SIZE = 296, (121, 18)

# Where the page area starts below the tabs when it cannot be measured.
FALLBACK_TAB_BAR_HEIGHT = 24


def count_field(level):
    return (COUNT_LEFT, FIELD_TOPS[expected.LEVELS.index(level)]) + COUNT_SIZE


def prize_field(level):
    return (PRIZE_LEFT, FIELD_TOPS[expected.LEVELS.index(level)]) + PRIZE_SIZE


class SettingsWindow:
    def __init__(self, op):
        self.op = op
        self.desk = op.desk
        self.window = None
        self.page = 0
        self.origin = None

    def open(self):
        self.desk.click_centre(self.op.main, actions.SETTINGS)
        self.window = self.desk.wait_window(expected.SETTINGS_CAPTION)
        size = self.desk.geometry(self.window)
        checks.check(size == expected.SETTINGS_SIZE, "settings window is %dx%d, expected %dx%d"
                     % (size + expected.SETTINGS_SIZE))
        time.sleep(0.5)
        self.origin = self._page_origin()
        self.page = 0
        self.desk.screenshot(self.window, "settings-" + PAGES[0].replace("/", "-"))
        return self.window

    def _page_origin(self):
        """The page's corner: the first line below the tab bar, found in a picture."""
        left, top, width, _ = PAGE_CONTROL
        column = self.desk.pixel_column(self.window, left + width - 12, 0, top + 60)
        background = column[2] if len(column) > 2 else None
        for y in range(top + 12, min(len(column), top + 60)):
            if background and sum(abs(a - b) for a, b in zip(column[y], background)) > 60:
                return left + 2, y + 2
        return left + 2, top + FALLBACK_TAB_BAR_HEIGHT + 2

    def at(self, rect):
        """A page control's rectangle in window coordinates."""
        left, top, width, height = rect
        return (self.origin[0] + left, self.origin[1] + top, width, height)

    def click(self, rect):
        self.desk.focus(self.window)
        self.desk.click_centre(self.window, self.at(rect))

    def go_to_page(self, index):
        """Ctrl+Tab from a focused field of the first page moves from page to page."""
        if self.page == 0 and index > 0:
            self.click(TITLE_FIELD)
        self.desk.focus(self.window)
        while self.page < index:
            self.desk.key("ctrl+Tab")
            self.page += 1
        time.sleep(0.4)
        self.desk.screenshot(self.window, "settings-" + PAGES[index].replace("/", "-"))

    def clear_field(self, rect):
        # Keys that type no character, so that no key filter sees them.
        self.click(rect)
        self.desk.key("End", "shift+Home", "Delete")

    def set_field(self, rect, text):
        self.clear_field(rect)
        if text:
            self.desk.enter_text(text)

    def close(self):
        """The window's close box only hides it."""
        self.desk.request_close(self.window)
        self.desk.wait_window_gone(self.window)
