#include "ui/settings_window/seti_batch_page.h"

#include "base/gbk.h"
#include "draw/draw_options.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/program_settings.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/cou.h"
#include "ui/settings_window/seti_texts.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>

BatchPage::BatchPage(TForm1* mainWindow) : mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("tsBatch"));
    for (PrizeLevel level : kAllPrizeLevels) {
        const int row = levelIndex(level);
        const int top = 8 + 24 * row;
        auto* caption = new QLabel(QStringLiteral("【") + gbk::decode(levelName(level)) +
                                       QStringLiteral("】每次抽取"),
                                   this);
        caption->setObjectName(QStringLiteral("batchCaption%1").arg(row));
        caption->move(36, top + 3);
        caption->adjustSize();
        auto* field = new QSpinBox(this);
        field->setObjectName(QStringLiteral("batchSize%1").arg(row));
        field->setRange(program_settings::kMinBatchSize, program_settings::kMaxBatchSize);
        field->setGeometry(152, top, 73, 20);
        sizeFields_[static_cast<size_t>(row)] = field;
        auto* unit = new QLabel(QStringLiteral("人"), this);
        unit->setObjectName(QStringLiteral("batchUnit%1").arg(row));
        unit->move(232, top + 3);
        unit->adjustSize();
    }
    auto* hint =
        new QLabel(QStringLiteral("* 每次停止同时抽出的人数，不超过该奖项剩余名额。"), this);
    hint->setObjectName(QStringLiteral("batchHint"));
    hint->move(40, 160);
    hint->adjustSize();
    QPalette palette = hint->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    hint->setPalette(palette);

    save_ = new QPushButton(QStringLiteral("保存修改"), this);
    save_->setObjectName(QStringLiteral("batchSave"));
    save_->setGeometry(344, 192, 75, 25);
    save_->setAutoDefault(false);
    connectGuarded(save_, &QPushButton::clicked, this, this, [this] { saveClick(); });

    guarded(this, [this] { fill(); });
}

void BatchPage::fill()
{
    const program_settings::BatchSizes sizes = program_settings::readBatchSizes();
    for (size_t i = 0; i < sizes.size(); ++i)
        sizeFields_[i]->setValue(sizes[i]);
}

void BatchPage::saveClick()
{
    program_settings::BatchSizes sizes{};
    for (size_t i = 0; i < sizes.size(); ++i)
        sizes[i] = sizeFields_[i]->value();
    program_settings::writeChangedBatchSizes(sizes);
    if (mainWindow_)
        loadDrawOptions(mainWindow_->drawOptions());
    // The Stop of a roll going on draws the new size: the board says so.
    if (mainWindow_ && mainWindow_->isDrawRunning())
        mainWindow_->turnRollToChoice();
    services().boxes->show(this, noticeBox(settings_texts::saved()));
}
