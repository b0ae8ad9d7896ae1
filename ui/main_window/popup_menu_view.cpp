#include "ui/main_window/popup_menu_view.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/working_files.h"
#include "storage/text_line_list.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/main_window_texts.h"
#include "ui/stage/stage_mode.h"

#include <QAction>
#include <QDir>
#include <QFontInfo>
#include <QMenu>
#include <algorithm>

namespace {

constexpr int kWindowTextPixels = 12;

std::optional<qint64> participantsInList()
{
    if (!file_paths::isExistingFile(QLatin1String(working_files::kParticipants)))
        return std::nullopt;
    TextLineList list;
    try {
        list.load(QLatin1String(working_files::kParticipants));
    } catch (const AppError&) {
        return std::nullopt;
    }
    return list.count();
}

} // namespace

PopupMenuView::PopupMenuView(QWidget* window, QMenu* menu, StageMode* stage)
    : QObject(window), menu_(menu), stage_(stage), designFont_(menu->font())
{
    setObjectName(QStringLiteral("popupMenuView"));
    QAction* first = menu->actions().value(0);
    for (const QString& text : main_window_texts::menuEntries(QString(), std::nullopt)) {
        auto* entry = new QAction(text, menu);
        menu->insertAction(first, entry);
        information_.push_back(entry);
    }
    connectGuarded(menu, &QMenu::aboutToShow, this, window, [this] { update(); });
}

void PopupMenuView::update()
{
    const bool stage = stage_->isActive();
    if (!stage) {
        const QStringList texts = main_window_texts::menuEntries(
            QDir::toNativeSeparators(QDir::currentPath()), participantsInList());
        for (size_t i = 0; i < information_.size(); ++i)
            information_[i]->setText(texts.value(static_cast<int>(i)));
    }
    for (QAction* entry : information_)
        entry->setVisible(!stage);

    QFont font = designFont_;
    if (stage) {
        // Lettered like the window's own texts of 12 pixels, scaled to the screen.
        const int designPixels = std::max(kWindowTextPixels, QFontInfo(designFont_).pixelSize());
        font.setPixelSize(stage_->layout().mapFontPixels(designPixels));
    }
    menu_->setFont(font);
    for (QMenu* submenu : menu_->findChildren<QMenu*>())
        submenu->setFont(font);
}
