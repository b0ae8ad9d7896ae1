// The settings window's controls: names, places, sizes and first texts.
#include "platform/qt/cjk_fonts.h"
#include "ui/settings_window/button_edit.h"
#include "ui/settings_window/seti.h"
#include "ui/settings_window/seti_batch_page.h"
#include "ui/settings_window/seti_draw_rules_page.h"
#include "ui/settings_window/seti_extra_page.h"
#include "ui/settings_window/seti_file_import.h"
#include "ui/settings_window/seti_import_field.h"
#include "ui/settings_window/seti_stage_page.h"
#include "ui/settings_window/seti_texts.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace {

constexpr char kFlatField[] = "border: 1px solid #7a7a7a;";

QLabel* makeLabel(QWidget* page, const char* name, const char* text, int left, int top)
{
    auto* label = new QLabel(QString::fromUtf8(text), page);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

void paintRed(QLabel* label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
}

QPushButton* makeButton(QWidget* page, const char* name, const char* text, int left, int top)
{
    auto* button = new QPushButton(QString::fromUtf8(text), page);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, 75, 25);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeFlatField(QWidget* page, const QString& name, const char* text, const QRect& at)
{
    auto* field = new QLineEdit(QString::fromUtf8(text), page);
    field->setObjectName(name);
    field->setGeometry(at);
    field->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(QLatin1String(kFlatField)));
    return field;
}

ButtonEdit* makePathField(QWidget* page, const char* name, int top)
{
    auto* field = new ButtonEdit(page);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(112, top, 273, 20);
    return field;
}

QComboBox* makeYesNoBox(QWidget* page, const char* name, int left)
{
    auto* box = new QComboBox(page);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(left, 152, 57, 20);
    box->setEditable(true);
    // A typed text is the box's value as it stands; it never becomes an item.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems({QStringLiteral("是"), QStringLiteral("否")});
    box->setCurrentIndex(1);
    return box;
}

} // namespace

void TForm2::createWindow()
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(settings_texts::caption());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(510, 268);
    setFont(cjkFont("宋体", 12));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    pgc1 = new QTabWidget(this);
    pgc1->setObjectName(QStringLiteral("pgc1"));
    pgc1->setGeometry(16, 8, 473, 249);
    auto addPage = [this](const char* name, const char* caption) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(name));
        pgc1->addTab(page, QString::fromUtf8(caption));
        return page;
    };
    ts1 = addPage("ts1", "基本设置");
    ts2 = addPage("ts2", "奖项设置");
    ts3 = addPage("ts3", "导入/导出");
    ts4 = addPage("ts4", "免费与捐助");
    pgc1->addTab(new BatchPage(mainWindow_), QStringLiteral("批量抽奖"));
    pgc1->addTab(new DrawRulesPage, QStringLiteral("抽奖规则"));
    pgc1->addTab(new ExtraPrizePage, QStringLiteral("加奖"));
    pgc1->addTab(new StagePage(mainWindow_), QStringLiteral("舞台与隐私"));
    pgc1->setCurrentIndex(0);

    createBasicPage(ts1);
    createPrizePage(ts2);
    createImportPage(ts3);
    createInformationPage(ts4);
    setTabOrders();
}

void TForm2::createBasicPage(QWidget* page)
{
    lbl1 = makeLabel(page, "lbl1", "抽奖标题", 56, 16);
    cxtxtdt1 = makeFlatField(page, QStringLiteral("cxtxtdt1"), "", QRect(112, 12, 273, 20));
    lbl14 = makeLabel(page, "lbl14", "标题背景", 56, 48);
    btn4 = makePathField(page, "btn4", 45);
    lbl15 = makeLabel(page, "lbl15", "开始音乐", 56, 80);
    btn5 = makePathField(page, "btn5", 77);
    lbl16 = makeLabel(page, "lbl16", "结束音乐", 56, 112);
    btn6 = makePathField(page, "btn6", 110);
    btn7 = makeButton(page, "btn7", "保存修改", 312, 144);

    // A right click on the page or one of its labels opens the main window's menu.
    for (QWidget* source : {page, static_cast<QWidget*>(lbl1), static_cast<QWidget*>(lbl14),
                            static_cast<QWidget*>(lbl15), static_cast<QWidget*>(lbl16)}) {
        source->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(source, &QWidget::customContextMenuRequested, this,
                [this, source](const QPoint& at) { showPopupMenu(source, at); });
    }
}

void TForm2::createPrizePage(QWidget* page)
{
    static const char* const rowCaptions[] = {"【特等奖】产生人数", "【一等奖】产生人数",
                                              "【二等奖】产生人数", "【三等奖】产生人数",
                                              "【四等奖】产生人数", "【五等奖】产生人数"};
    for (int row = 0; row < 6; ++row) {
        const int top = 8 + 24 * row;
        const QByteArray labelName = "lbl" + QByteArray::number(2 + 2 * row);
        const QByteArray unitName = "lbl" + QByteArray::number(3 + 2 * row);
        makeLabel(page, labelName.constData(), rowCaptions[row], 36, top + 3);
        countFields[static_cast<size_t>(row)] = makeFlatField(
            page, QStringLiteral("edt%1").arg(1 + 2 * row), "1", QRect(152, top, 57, 18));
        makeLabel(page, unitName.constData(), "人   奖品设置", 216, top + 3);
        prizeFields[static_cast<size_t>(row)] = makeFlatField(
            page, QStringLiteral("edt%1").arg(2 + 2 * row), "未填", QRect(296, top, 121, 18));
    }

    lbl17 = makeLabel(page, "lbl17", "是否允许重复中奖", 48, 156);
    lbl17->setToolTip(settings_texts::repeatHint());
    cbb1 = makeYesNoBox(page, "cbb1", 152);
    cbb1->setToolTip(settings_texts::repeatHint());
    // Its text stays one of the two items: keys that type nothing (Delete,
    // cutting, pasting) cannot change it either.
    cbb1->lineEdit()->setReadOnly(true);
    lbl18 = makeLabel(page, "lbl18", "抽奖界面是否显示奖项", 232, 156);
    cbb2 = makeYesNoBox(page, "cbb2", 360);
    lbl19 = makeLabel(page, "lbl19", "* 产生人数为空，则不抽取该等奖。", 40, 192);
    paintRed(lbl19);
    btn8 = makeButton(page, "btn8", "保存修改", 344, 192);
}

void TForm2::createImportPage(QWidget* page)
{
    mmo1 = new ImportField(page);
    mmo1->setObjectName(QStringLiteral("mmo1"));
    mmo1->setGeometry(18, 24, 425, 153);
    mmo1->setStyleSheet(QStringLiteral("QPlainTextEdit { %1 }").arg(QLatin1String(kFlatField)));
    mmo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long pasted list can be reviewed before it is imported.
    mmo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mmo1->setTabChangesFocus(true);
    mmo1->setPlainText(settings_texts::importInstruction());
    lbl20 = makeLabel(page, "lbl20", "* 每次导入会覆盖之前的数据。", 24, 192);
    paintRed(lbl20);
    btn1 = makeButton(page, "btn1", "确定导入", 368, 192);
    fileImport_ = new FileImportControls(page, mmo1, btn1);
}

void TForm2::createInformationPage(QWidget* page)
{
    mmo2 = new QPlainTextEdit(page);
    mmo2->setObjectName(QStringLiteral("mmo2"));
    mmo2->setGeometry(16, 16, 441, 193);
    mmo2->setFrameShape(QFrame::NoFrame);
    mmo2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmo2->setTabChangesFocus(true);
    mmo2->setPlainText(settings_texts::informationLines().join(QLatin1Char('\n')));
}

void TForm2::setTabOrders()
{
    auto chain = [](std::initializer_list<QWidget*> order) {
        QWidget* previous = nullptr;
        for (QWidget* next : order) {
            if (previous)
                QWidget::setTabOrder(previous, next);
            previous = next;
        }
    };
    chain({btn4, btn5, btn6, cxtxtdt1, btn7});
    // The count fields from the fifth prize up, then the prize fields likewise.
    chain({countFields[5], countFields[4], countFields[3], countFields[2], countFields[1],
           countFields[0], prizeFields[5], prizeFields[4], prizeFields[3], prizeFields[2],
           prizeFields[1], prizeFields[0], btn8, cbb1, cbb2});
    chain({btn1, mmo1});
}
