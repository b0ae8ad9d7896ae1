#include "ui/settings_window/seti_extra_page.h"

#include "base/gbk.h"
#include "draw/extra_prize_edits.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/extra_prizes.h"
#include "ui/guard/guarded_connect.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace {

QString entryText(const extra_prizes::ExtraPrize& prize)
{
    QString text = gbk::decode(prize.name) + QStringLiteral("　%1 名").arg(prize.count);
    if (prize.batch > 1)
        text += QStringLiteral("，每次 %1 名").arg(prize.batch);
    if (!prize.prize.isEmpty())
        text += QStringLiteral("　") + gbk::decode(prize.prize);
    return text;
}

} // namespace

ExtraPrizePage::ExtraPrizePage()
{
    setObjectName(QStringLiteral("tsExtraPrizes"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("extraPrizeList"));
    list_->setGeometry(8, 8, 210, 150);
    // The guard takes handlers without arguments: the row is read back.
    connectGuarded(list_, &QListWidget::currentRowChanged, this, this,
                   [this] { fillFields(list_->currentRow()); });
    // A click on the prize already selected brings its values back too.
    connectGuarded(list_, &QListWidget::itemClicked, this, this,
                   [this] { fillFields(list_->currentRow()); });

    auto addField = [this](const char* name, const char* caption, int top) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->move(228, top + 3);
        label->adjustSize();
        auto* field = new QLineEdit(this);
        field->setObjectName(QLatin1String(name));
        field->setGeometry(292, top, 160, 20);
        return field;
    };
    name_ = addField("extraPrizeName", "加奖名称", 8);
    prize_ = addField("extraPrizePrize", "加奖奖品", 36);
    count_ = addField("extraPrizeCount", "加奖人数", 64);
    batch_ = addField("extraPrizeBatch", "每次人数", 92);
    batch_->setPlaceholderText(QStringLiteral("1"));

    auto addButton = [this](const char* name, const char* caption, int left) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, 124, 50, 25);
        button->setAutoDefault(false);
        return button;
    };
    add_ = addButton("extraPrizeAdd", "添加", 292);
    change_ = addButton("extraPrizeChange", "修改", 347);
    remove_ = addButton("extraPrizeRemove", "删除", 402);
    connectGuarded(add_, &QPushButton::clicked, this, this, [this] { addClick(); });
    connectGuarded(change_, &QPushButton::clicked, this, this, [this] { changeClick(); });
    connectGuarded(remove_, &QPushButton::clicked, this, this, [this] { removeClick(); });

    auto* hint =
        new QLabel(QStringLiteral("* 加奖不按顺序自动抽取：在主窗口右键菜单“选择下次抽取的奖项”"
                                  "中选择，下一次停止即抽取。名称最多 %1 个汉字。")
                       .arg(extra_prizes::kMaxNameBytes / 2),
                   this);
    hint->setObjectName(QStringLiteral("extraPrizeHint"));
    hint->setGeometry(8, 162, 450, 28);
    hint->setWordWrap(true);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("extraPrizeProblem"));
    problem_->setGeometry(8, 192, 450, 28);
    problem_->setWordWrap(true);
    QPalette palette = problem_->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    problem_->setPalette(palette);

    guarded(this, [this] { refresh(); });
}

void ExtraPrizePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The menu may have removed one meanwhile.
    guarded(this, [this] { refresh(); });
}

void ExtraPrizePage::refresh()
{
    const QString current =
        list_->currentItem() ? list_->currentItem()->data(Qt::UserRole).toString() : QString();
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const extra_prizes::ExtraPrize& prize : extra_prizes::read()) {
        auto* item = new QListWidgetItem(entryText(prize), list_);
        item->setData(Qt::UserRole, gbk::decode(prize.name));
        if (item->data(Qt::UserRole).toString() == current)
            list_->setCurrentItem(item);
    }
    change_->setEnabled(list_->currentItem() != nullptr);
    remove_->setEnabled(list_->currentItem() != nullptr);
}

void ExtraPrizePage::selectPrize(const QString& name)
{
    refresh();
    problem_->clear();
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toString() == name) {
            list_->setCurrentRow(row);
            return;
        }
    }
    list_->setCurrentRow(-1);
    fillFields(-1);
    name_->setFocus();
}

void ExtraPrizePage::fillFields(int row)
{
    change_->setEnabled(row >= 0);
    remove_->setEnabled(row >= 0);
    const extra_prizes::ExtraPrizeList prizes = extra_prizes::read();
    const int at =
        row < 0 ? -1
                : extra_prizes::find(prizes,
                                     gbk::encode(list_->item(row)->data(Qt::UserRole).toString()));
    const extra_prizes::Fields fields =
        at < 0 ? extra_prizes::Fields{} : extra_prizes::fieldsOf(prizes[static_cast<size_t>(at)]);
    name_->setText(gbk::decode(fields.name));
    prize_->setText(gbk::decode(fields.prize));
    count_->setText(gbk::decode(fields.count));
    batch_->setText(gbk::decode(fields.batch));
}

void ExtraPrizePage::tell(const QString& problem)
{
    problem_->setText(problem);
    if (problem.isEmpty()) {
        refresh();
        return;
    }
    // The field the problem names takes the focus.
    QLineEdit* field = problem.startsWith(QStringLiteral("加奖奖品"))   ? prize_
                       : problem.startsWith(QStringLiteral("加奖人数")) ? count_
                       : problem.startsWith(QStringLiteral("加奖每次")) ? batch_
                                                                        : name_;
    field->setFocus();
}

namespace {
extra_prizes::Fields typedFields(const ExtraPrizePage& page)
{
    return {gbk::encode(page.nameField()->text()), gbk::encode(page.prizeField()->text()),
            gbk::encode(page.countField()->text()), gbk::encode(page.batchField()->text())};
}
} // namespace

void ExtraPrizePage::addClick()
{
    const QString problem = extra_prize_edits::add(typedFields(*this));
    tell(problem);
    if (problem.isEmpty())
        selectPrize(name_->text());
}

void ExtraPrizePage::changeClick()
{
    if (!list_->currentItem())
        return;
    const QByteArray was = gbk::encode(list_->currentItem()->data(Qt::UserRole).toString());
    const QString problem = extra_prize_edits::change(was, typedFields(*this));
    tell(problem);
    if (problem.isEmpty())
        selectPrize(name_->text());
}

void ExtraPrizePage::removeClick()
{
    if (!list_->currentItem())
        return;
    const QByteArray name = gbk::encode(list_->currentItem()->data(Qt::UserRole).toString());
    const qint64 winners = extra_prize_edits::winnersOf(name);
    if (winners > 0) {
        BoxRequest ask = questionBox(extra_prize_edits::removeQuestion(name, winners), true);
        ask.topMost = true;
        if (services().boxes->show(this, ask) != BoxAnswer::Yes)
            return;
    }
    extra_prize_edits::remove(name);
    problem_->clear();
    selectPrize(QString());
}
