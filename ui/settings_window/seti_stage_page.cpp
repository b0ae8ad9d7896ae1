#include "ui/settings_window/seti_stage_page.h"

#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/working_files.h"
#include "draw/draw_options.h"
#include "draw/participant_columns.h"
#include "draw/screen_privacy.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/screen_privacy_settings.h"
#include "storage/text_line_list.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/cou.h"
#include "ui/settings_window/seti_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {

// The most cells of a line of the participant list; 0 without a list.
int participantColumns()
{
    TextLineList list;
    try {
        list.load(QLatin1String(working_files::kParticipants));
    } catch (const AppError&) {
        return 0;
    }
    int most = 0;
    for (int i = 0; i < list.count(); ++i)
        most = std::max<int>(most, list.get(i).count('\t') + 1);
    return most;
}

} // namespace

StagePage::StagePage(TForm1* mainWindow) : mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("tsStage"));
    mask_ = new QCheckBox(QStringLiteral("屏幕上隐藏身份证号、手机号（只显示前后几位）"), this);
    mask_->setObjectName(QStringLiteral("stageMaskNumbers"));
    mask_->setGeometry(36, 10, 400, 20);
    auto* caption = new QLabel(QStringLiteral("屏幕上显示的列（不选即全部显示）："), this);
    caption->setObjectName(QStringLiteral("stageColumnsCaption"));
    caption->move(36, 38);
    caption->adjustSize();
    columns_ = new QListWidget(this);
    columns_->setObjectName(QStringLiteral("stageColumns"));
    columns_->setGeometry(36, 56, 280, 120);
    auto* hint =
        new QLabel(QStringLiteral("* 只改屏幕上显示的内容，文件与导出保留完整数据。"), this);
    hint->setObjectName(QStringLiteral("stageHint"));
    hint->move(36, 184);
    hint->adjustSize();
    QPalette palette = hint->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    hint->setPalette(palette);

    save_ = new QPushButton(QStringLiteral("保存修改"), this);
    save_->setObjectName(QStringLiteral("stageSave"));
    save_->setGeometry(344, 192, 75, 25);
    save_->setAutoDefault(false);
    connectGuarded(save_, &QPushButton::clicked, this, this, [this] { saveClick(); });
    // Filled when shown: the list is read then, never at start-up.
}

void StagePage::fill()
{
    const ScreenPrivacy privacy = screen_privacy_settings::read();
    mask_->setChecked(privacy.maskNumbers);
    const int chosenBeyond = privacy.shownColumns.empty() ? 0 : privacy.shownColumns.back() + 1;
    const int count = std::max(participantColumns(), chosenBeyond);
    // The columns are named where the rules page names them.
    const std::vector<QByteArray> names = ParticipantColumns::ofWorkingFolder(count).names();
    columns_->clear();
    for (int column = 0; column < count; ++column) {
        auto* item = new QListWidgetItem(gbk::decode(names[static_cast<size_t>(column)]), columns_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool shown =
            std::binary_search(privacy.shownColumns.begin(), privacy.shownColumns.end(), column);
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    }
}

void StagePage::saveClick()
{
    ScreenPrivacy privacy;
    privacy.maskNumbers = mask_->isChecked();
    for (int row = 0; row < columns_->count(); ++row)
        if (columns_->item(row)->checkState() == Qt::Checked)
            privacy.shownColumns.push_back(row);
    screen_privacy_settings::writeChanged(privacy);
    if (mainWindow_)
        loadDrawOptions(mainWindow_->drawOptions());
    services().boxes->show(this, noticeBox(settings_texts::saved()));
}

void StagePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // An import may have brought other columns since.
    guarded(this, [this] { fill(); });
}

void askToHidePersonalNumbers(QWidget* box, TForm1* mainWindow, const QByteArray& participants)
{
    if (screen_privacy_settings::maskNumbersChosen())
        return;
    const std::vector<QByteArray> lines = splitIntoLines(participants);
    if (std::none_of(lines.begin(), lines.end(), screen_privacy::holdsPersonalNumbers))
        return;
    const BoxRequest question =
        questionBox(QStringLiteral("名单中有身份证号或手机号。要在抽奖屏幕上隐藏它们吗？\n"
                                   "（屏幕上只显示前后几位，名单、结果文件和导出保留完整号码；"
                                   "可在“舞台与隐私”页更改。）"),
                    false);
    // Either answer is kept, so the question comes once.
    const bool hide = services().boxes->show(box, question) == BoxAnswer::Yes;
    screen_privacy_settings::writeMaskNumbers(hide);
    if (hide && mainWindow)
        loadDrawOptions(mainWindow->drawOptions());
}
