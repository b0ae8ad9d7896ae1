#include "ui/main_window/cou.h"
#include "platform/qt/cjk_fonts.h"

#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "draw/draw_clock.h"
#include "draw/draw_command.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/jpeg_picture.h"
#include "platform/services.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "ui/guard/guarded_connect.h"
#include "ui/input/inserted_text_guard.h"
#include "ui/input/key_repeat_filter.h"
#include "ui/input/typed_character_filter.h"
#include "ui/main_window/cou_lists.h"
#include "ui/main_window/draw_report_entry.h"
#include "ui/main_window/main_window_texts.h"
#include "ui/main_window/operator_menu.h"
#include "ui/main_window/popup_menu_view.h"
#include "ui/main_window/presenter_remote.h"
#include "ui/main_window/results_list_lines.h"
#include "ui/main_window/round_controls.h"
#include "ui/main_window/whole_program_minimize.h"
#include "ui/main_window/winners_export_entry.h"
#include "ui/stage/display_fitter.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_mode.h"
#include "ui/stage/stage_operator_buttons.h"
#include "ui/stage/stage_screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    createControls();
    stage_ = new StageMode(this, img1);
    remote_ = new PresenterRemote(this, stage_, findChild<KeyRepeatFilter*>());
    // The whole winner line in the display, what is being drawn on screen,
    // the stage view without the operator's buttons and their commands in
    // the menu, with the level the next Stop draws.
    new DisplayFitter(edt1);
    statusView_ = new DrawStatusView(this, stage_, status_, options_);
    statusView_->setUpcomingLines(
        [this](int n) { return rolling_.upcoming(cou::ParticipantList, n); });
    new StageOperatorButtons(this, stage_, {btn1, btn2, btn5});
    screens_ = new StageScreens(this, stage_, statusView_, {btn1, btn2, btn5});
    new OperatorMenu(this, pm1, options_, status_, [this] { drawStatusChanged(); });
    new PopupMenuView(this, pm1, stage_);
    connectHandlers();
    bool loaded = false;
    guarded(this, [&] {
        loadMainWindowState();
        loaded = true;
    });
    // A failed first start (a missing title picture, say) would leave no
    // results file, and every click of the draw would fail on it: the lists
    // and the empty results file are made all the same. The failure has had
    // its box; a results file that still cannot be written is reported by
    // the draw when it needs the file.
    if (!loaded) {
        try {
            createDrawLists();
        } catch (const AppError&) {
        }
    }
    // After the entries operators know, before the round controls, whose
    // void entry stays the menu's last.
    addDrawReportEntry(pm1, this);
    rounds_ = new RoundControls(this, *this, mmo1, pm1, drawSettings_, currentWinner_);
    // A restored round or a voided winner leaves nothing of the old status on
    // screen; a void while the names roll turns the roll to the place it opened.
    rounds_->setRoundChanged([this] {
        if (!isDrawRunning())
            resetDrawStatus();
        else
            turnRollToChoice();
    });
    rounds_->programStarted();
}

void TForm1::createControls()
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(main_window_texts::caption());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(744, 522);
    setFont(cjkFont("宋体", 12));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    img1 = new QLabel(this);
    img1->setObjectName(QStringLiteral("img1"));
    img1->setGeometry(24, 16, 700, 110);

    auto makeLabel = [this](const char* name, int left, int top, const QFont& font,
                            const QColor& colour) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->move(left, top);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setTextFormat(Qt::PlainText); // operator's texts, never markup
        return label;
    };
    lbl1 = makeLabel("lbl1", 48, 96, cjkFont("仿宋", 23, true), palette().color(QPalette::Base));
    lbl2 = makeLabel("lbl2", 144, 40, cjkFont("楷体", 53, true), Qt::yellow);
    lbl3 = makeLabel("lbl3", 248, 464, cjkFont("宋体", 23, true), QColor(0x80, 0, 0));

    edt1 = new QLineEdit(QStringLiteral("准备开始..."), this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setGeometry(24, 136, 697, 57);
    edt1->setFont(cjkFont("黑体", 51, true));
    edt1->setStyleSheet(QStringLiteral("QLineEdit { color: red; border: 1px solid #7a7a7a; }"));

    auto makeButton = [this](const char* name, const char* text, const QRect& geometry,
                             const QFont& font) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(geometry);
        button->setFont(font);
        button->setAutoDefault(false);
        return button;
    };
    const QFont buttonFont = cjkFont("宋体", 24);
    btn1 = makeButton("btn1", "系统设置", QRect(440, 456, 129, 33), buttonFont);
    btn2 = makeButton("btn2", "初始化", QRect(584, 456, 137, 33), buttonFont);
    btn3 = makeButton("btn3", "开始抽奖", QRect(24, 456, 129, 33), buttonFont);

    mmo1 = new QPlainTextEdit(this);
    mmo1->setObjectName(QStringLiteral("mmo1"));
    mmo1->setGeometry(25, 208, 696, 233);
    mmo1->setFont(cjkFont("宋体", 20, true));
    mmo1->setStyleSheet(
        QStringLiteral("QPlainTextEdit { color: blue; border: 1px solid #7a7a7a; }"));
    mmo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmo1->setTabChangesFocus(true);
    mmo1->setPlainText(QStringLiteral("抽奖结果"));

    btn5 = makeButton("btn5", "保存抽奖...", QRect(600, 408, 99, 25), font());

    pb1 = new QProgressBar(this);
    pb1->setObjectName(QStringLiteral("pb1"));
    pb1->setGeometry(0, height() - 17, width(), 17);
    pb1->setRange(0, 100);
    pb1->setValue(0);
    pb1->setTextVisible(false);

    tmr1 = new QTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    tmr1->setInterval(100);
    rollTimer = new QTimer(this);
    rollTimer->setObjectName(QStringLiteral("rollTimer"));
    rollTimer->setInterval(RollingDisplay::kPassIntervalMs);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    addWinnersExportEntry(pm1, this, mmo1);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showPopupMenu(mapToGlobal(at)); });
    edt1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edt1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showPopupMenu(edt1->mapToGlobal(at)); });
    // The results list reports the point in its viewport.
    mmo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mmo1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // Under the stage board the operator sees no line of the list.
        const bool boardOver = statusView_ && statusView_->board()->isVisible();
        showPopupMenu(mmo1->viewport()->mapToGlobal(at),
                      boardOver ? -1 : results_list_lines::lineAt(*mmo1, at));
    });

    setTabOrder(edt1, btn1);
    setTabOrder(btn1, btn2);
    setTabOrder(btn2, btn3);
    setTabOrder(btn3, mmo1);
    setTabOrder(mmo1, btn5);

    auto* discardTyping = new TypedCharacterFilter(this);
    edt1->installEventFilter(discardTyping);
    mmo1->installEventFilter(discardTyping);
    auto* refusePastes = new InsertedTextGuard(this);
    refusePastes->guard(edt1);
    refusePastes->guard(mmo1);
    qApp->installEventFilter(new KeyRepeatFilter(this));
    // Key preview: Enter is seen here before the focused control.
    for (QWidget* control :
         {static_cast<QWidget*>(edt1), static_cast<QWidget*>(btn1), static_cast<QWidget*>(btn2),
          static_cast<QWidget*>(btn3), static_cast<QWidget*>(mmo1), static_cast<QWidget*>(btn5)})
        control->installEventFilter(this);
}

void TForm1::connectHandlers()
{
    auto bind = [this](QPushButton* button, void (TForm1::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this, this,
                       [this, handler] { (this->*handler)(); });
    };
    bind(btn1, &TForm1::btn1Click);
    bind(btn2, &TForm1::btn2Click);
    bind(btn3, &TForm1::btn3Click);
    bind(btn5, &TForm1::btn5Click);
    connectGuarded(tmr1, &QTimer::timeout, this, this, [this] { tmr1Timer(); });
    connectGuarded(rollTimer, &QTimer::timeout, this, this, [this] { rollPass(); });
}

void TForm1::setLabelText(QLabel* label, const QByteArray& text)
{
    label->setText(gbk::decode(text));
    label->adjustSize();
}

void TForm1::loadMainWindowState()
{
    program_settings::writeDefaultSettingsIfMissing();
    const program_settings::BasicSettings basic = program_settings::readBasic();
    const program_settings::PrizeSettings prizes = program_settings::readPrizes();
    setLabelText(lbl2, basic.title);

    if (prizes.showPrizes == setting_names::yes()) {
        auto prize = [&prizes](PrizeLevel level) {
            return prizes.prizes[static_cast<size_t>(levelIndex(level))];
        };
        setLabelText(lbl1, gbk::text("特等奖：") + prize(PrizeLevel::Grand) +
                               gbk::text(",一等奖:") + prize(PrizeLevel::First) +
                               gbk::text(",二等奖:") + prize(PrizeLevel::Second));
    } else {
        setLabelText(lbl1, QByteArray());
    }

    drawSettings_.startMusicPath = basic.startMusic;
    drawSettings_.stopMusicPath = basic.stopMusic;
    drawSettings_.countTexts = prizes.counts;
    drawSettings_.repeatText = prizes.repeat;
    loadDrawOptions(options_);
    screens_->setChoice(stage_screen_settings::read());

    const QImage picture = loadJpegPicture(file_paths::toLocalPath(basic.picture));
    img1->setPixmap(QPixmap::fromImage(picture));
    img1->resize(picture.size());
    stage_->pictureReplaced();

    createDrawLists();
    if (rounds_) { // a settings save, not the first start
        rounds_->settingsSaved();
        resetDrawStatus(); // the emptied round's status and level choice go with it
    }
}

void TForm1::createDrawLists()
{
    cou::ResultsList = TextLineList();
    cou::ResultsList.save(QLatin1String(working_files::kResults));
    cou::ParticipantList = TextLineList();
    cou::LevelPrefixList = TextLineList();
}

bool TForm1::isDrawRunning() const
{
    return startStopCaption() == draw_texts::stopCaption();
}

bool TForm1::turnRollToChoice()
{
    DrawContext context = drawContext();
    const bool turned = ::turnRollToChoice(context);
    drawStatusChanged();
    return turned;
}

void TForm1::drawStatusChanged()
{
    statusView_->refresh();
}

void TForm1::resetDrawStatus()
{
    status_ = DrawStatus();
    options_.chosenLevel.reset();
    options_.chosenExtraPrize.clear();
    statusView_->refresh();
}

DrawContext TForm1::drawContext()
{
    return DrawContext{*this,
                       drawSettings_,
                       cou::ParticipantList,
                       cou::ResultsList,
                       cou::LevelPrefixList,
                       currentWinner_,
                       &options_,
                       &status_,
                       rounds_ ? &rounds_->state() : nullptr};
}

void TForm1::setSettingsWindow(QWidget* settingsWindow)
{
    settingsWindow_ = settingsWindow;
    new WholeProgramMinimize(this, settingsWindow);
}

void TForm1::showPopupMenu(const QPoint& globalPos, int resultsLine)
{
    lastMenuLine_ = resultsLine;
    if (rounds_)
        rounds_->menuRequested(resultsLine);
    pm1->popup(globalPos);
}

void TForm1::btn1Click()
{
    bringToFront(settingsWindow_);
}

void TForm1::btn2Click()
{
    if (!file_paths::isExistingFile(QLatin1String(working_files::kParticipants))) {
        services().boxes->show(this, warningBox(draw_texts::participantFileMissing()));
        return;
    }
    cou::LevelPrefixList.clear();
    cou::LevelPrefixList.save(QLatin1String(working_files::kResults));
    cou::ResultsList.clear();
    cou::ParticipantList.clear();
    edt1->setText(QStringLiteral("准备开始..."));
    setLabelText(lbl3, QByteArray());
    pb1->setValue(0);
    mmo1->clear();
    mmo1->appendPlainText(QStringLiteral("抽奖结果："));
    rounds_->initialized();
    resetDrawStatus();
    services().boxes->show(this, noticeBox(QStringLiteral("初始化成功，原产生奖项数据已清空！")));
}

void TForm1::btn3Click()
{
    DrawContext context = drawContext();
    const auto listedWinner = qScopeGuard([this] { rounds_->afterDraw(); });
    runStartStop(context);
    drawStatusChanged();
}

void TForm1::btn5Click()
{
    const QString proposedName = main_window_texts::proposedResultsName(services().clock->now());
    const std::optional<QString> chosen =
        services().dialogs->saveFile(this, proposedName, main_window_texts::resultsSaveFilters());
    if (!chosen)
        return;
    writeFileAtomicallyOrThrow(*chosen, results_list_lines::savedResults(*mmo1->document()));
}

void TForm1::tmr1Timer()
{
    DrawContext context = drawContext();
    rolling_.tick(context);
}

void TForm1::rollPass()
{
    DrawContext context = drawContext();
    rolling_.pass(context);
}

void TForm1::FormShow()
{
    btn3->setFocus();
    rounds_->windowShown();
    if (services().desktop)
        writeDesktopLauncher(*services().desktop);
}

void TForm1::FormClose()
{
    BoxRequest question = questionBox(main_window_texts::closeQuestion(), true);
    question.caption = QStringLiteral("提醒：");
    question.topMost = true;
    if (services().boxes->show(this, question) == BoxAnswer::Yes)
        QCoreApplication::exit(0);
    else
        showMinimized();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded(this, [this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->ignore();
    guarded(this, [this] { FormClose(); });
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (remote_->handleKey(*event) || stage_->handleKey(*event))
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        guarded(this, [this] { btn3Click(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (remote_->handleKey(*key) || stage_->handleKey(*key))
        return true;
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // A focused push button takes Enter as a click on itself.
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    guarded(this, [this] { btn3Click(); });
    return true;
}
