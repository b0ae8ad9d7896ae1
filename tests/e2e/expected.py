"""What the program writes and shows, as an operator and its files see it."""

ENCODING = "gbk"
CRLF = b"\r\n"

MAIN_CAPTION = "^抽奖\\("  # window-name pattern of the main window
MAIN_SIZE = (744, 522)
SETTINGS_CAPTION = "^设置$"
SETTINGS_SIZE = (510, 268)
ERROR_CAPTION = "Prizmora"
WARNING_CAPTION = "警告"
NOTICE_CAPTION = "提示"
CLOSE_CAPTION = "提醒："

SETTINGS_FILE = "rafflixset.ini"
PARTICIPANTS_FILE = "rafflixlist.txt"
RESULTS_FILE = "retotal.txt"

BASIC = "基本设置"
PRIZES = "奖项设置"

# The default settings, in the order the first start writes them.
DEFAULT_SETTINGS = [
    (BASIC, "抽奖标题", "2011年春节员工抽奖"),
    (BASIC, "标题背景", ".\\bg.jpg"),
    (BASIC, "开始音乐", ".\\01.wav"),
    (BASIC, "停止音乐", ".\\02.wav"),
    (PRIZES, "特等奖人数", "1"),
    (PRIZES, "特等奖奖品", "电压力锅"),
    (PRIZES, "一等奖人数", "2"),
    (PRIZES, "一等奖奖品", "电吹风"),
    (PRIZES, "二等奖人数", "3"),
    (PRIZES, "二等奖奖品", "购物卡150元"),
    (PRIZES, "三等奖人数", "4"),
    (PRIZES, "三等奖奖品", "毛巾1条"),
    (PRIZES, "四等奖人数", ""),
    (PRIZES, "四等奖奖品", ""),
    (PRIZES, "五等奖人数", ""),
    (PRIZES, "五等奖奖品", ""),
    (PRIZES, "是否重复", "否"),
    (PRIZES, "是否显示奖项", "否"),
]

# Levels from the grand prize down; draws fill them from the bottom up.
LEVELS = ["特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"]


def label(level):
    """The results-file label of a level: its name and a full-width colon."""
    return level + "："


def draw_order(counts):
    """The level of each winner in drawing order, for counts by level name."""
    order = []
    for level in reversed(LEVELS):
        order += [level] * counts.get(level, 0)
    return order


DEFAULT_COUNTS = {"特等奖": 1, "一等奖": 2, "二等奖": 3, "三等奖": 4}

# Twelve people: more than the ten default winners, Chinese and Latin names.
PARTICIPANTS = [
    "张三 110101199001011234",
    "李四 110101199002022345",
    "王五 110101199003033456",
    "赵六 110101199004044567",
    "钱七 110101199005055678",
    "孙八 110101199006066789",
    "周九 110101199007077890",
    "吴十 110101199008088901",
    "Alice Zhang 0009",
    "Bob Li 0010",
    "陈晓明 0011",
    "林小红 0012",
]


def gbk(text):
    return text.encode(ENCODING)


def lines_file(lines):
    """Lines as the program writes them: GBK, every line ended by CR LF."""
    return b"".join(gbk(line) + CRLF for line in lines)
