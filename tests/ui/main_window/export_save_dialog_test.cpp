#include "platform/qt/qt_file_dialogs.h"
#include "support/working_directory.h"
#include "ui/main_window/export_texts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the real dialog once it is up: the given type and name, then Save.
void answerDialogWhenShown(int filterIndex, const QString& name)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, filterIndex, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        dialog->selectNameFilter(dialog->nameFilters().value(filterIndex));
        dialog->selectFile(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll->start(10);
}

TEST(ExportSaveDialog, TellsTheTypeTheOperatorChose)
{
    ScopedWorkingDirectory dir;
    QtFileDialogs dialogs;
    answerDialogWhenShown(1, QStringLiteral("winners"));
    const std::optional<SaveChoice> choice = dialogs.saveFileOfType(
        nullptr, QStringLiteral("中奖名单20110130143005"), export_texts::exportFilters());
    ASSERT_TRUE(choice);
    // The chosen type's ending is added before the dialog looks for a file
    // to replace.
    EXPECT_EQ(QDir::cleanPath(choice->path), QDir::cleanPath(dir.filePath("winners.csv")));
    EXPECT_EQ(choice->filterIndex, 1);
}

} // namespace
