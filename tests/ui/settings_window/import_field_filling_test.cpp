#include "support/working_directory.h"
#include "ui/settings_window/import_field_filling.h"
#include "ui/settings_window/import_field_fingerprint.h"
#include "ui/settings_window/list_file_loading.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Whatever the field held, with its caret anywhere, a filling ends as the
// list alone (its first line left out when asked, the caret at the start)
// or as the field was, caret included; the fingerprint worked out from the
// lines is the one the kept field gives.
TEST(ImportFieldFilling, KeepsTheListAloneOrGivesTheFieldBack)
{
    const struct
    {
        const char* old;
        int caret;
        const char* blocks[2];
        bool keep;
        bool dropFirst;
        const char* after;
    } cases[] = {
        {"说明", 2, {"甲\t1\n乙\t2\n", "丙\n"}, true, false, "甲\t1\n乙\t2\n丙\n"},
        {"", 0, {"工号\n", "甲\n乙\n"}, true, true, "甲\n乙\n"},
        {"旧\n名单\n", 5, {"甲\n", ""}, true, true, ""},
        {"旧\n名单", 4, {"甲\n乙\n", "丙\n"}, false, false, "旧\n名单"},
        {"", 0, {"甲\n", ""}, false, false, ""},
    };
    for (const auto& each : cases) {
        QPlainTextEdit field;
        field.setPlainText(QString::fromUtf8(each.old));
        QTextCursor caret = field.textCursor();
        caret.setPosition(each.caret);
        field.setTextCursor(caret);
        ImportFieldFilling filling(field);
        import_field_fingerprint::OfLines afterFirst;
        qsizetype lines = 0;
        for (const char* block : each.blocks) {
            const QString text = QString::fromUtf8(block);
            const bool first = lines == 0;
            lines += text.count(u'\n');
            afterFirst.add(first ? QStringView(text).sliced(text.indexOf(u'\n') + 1)
                                 : QStringView(text));
            filling.append(text);
        }
        EXPECT_EQ(filling.lineCount(), lines) << each.old;
        EXPECT_EQ(filling.firstLine(), QString::fromUtf8(each.blocks[0]).section(u'\n', 0, 0));
        if (each.keep)
            filling.keep(each.dropFirst);
        else
            filling.giveBack();
        EXPECT_EQ(field.toPlainText(), QString::fromUtf8(each.after)) << each.old;
        EXPECT_EQ(field.textCursor().position(), each.keep ? 0 : each.caret) << each.old;
        EXPECT_TRUE(field.document()->isUndoRedoEnabled());
        if (each.keep && each.dropFirst) {
            EXPECT_EQ(afterFirst.result(), import_field_fingerprint::of(*field.document()));
        }
    }
    // A long list shares blocks, the field's plain text and fingerprint as
    // with a block a line.
    QPlainTextEdit field;
    ImportFieldFilling filling(field);
    QString list;
    for (int line = 0; line < 3 * ImportFieldFilling::kLinesPerBlock + 5; ++line)
        list += QStringLiteral("参与者%1\n").arg(line);
    const QString secondBlock = list.sliced(list.size() / 2, list.size() - list.size() / 2);
    filling.append(list.first(list.size() / 2));
    filling.append(secondBlock);
    EXPECT_EQ(filling.lineCount(), 3 * ImportFieldFilling::kLinesPerBlock + 5);
    filling.keep(true);
    import_field_fingerprint::OfLines afterFirst;
    afterFirst.add(QStringView(list).sliced(list.indexOf(u'\n') + 1));
    EXPECT_EQ(field.toPlainText(), list.sliced(list.indexOf(u'\n') + 1));
    EXPECT_LT(field.document()->blockCount(), 10);
    EXPECT_EQ(afterFirst.result(), import_field_fingerprint::of(*field.document()));

    // A character the field starts a block or a line at leaves it to the field.
    for (const char16_t* lines : {u"甲\u2029乙\n", u"甲\u2028乙\n"}) {
        import_field_fingerprint::OfLines split;
        split.add(lines);
        EXPECT_TRUE(split.result().isEmpty());
    }
}

// The blocks and the result come on the window's thread, in order, and make
// the list read at once; a loading dropped halfway calls nothing more.
TEST(ListFileLoading, DeliversTheListInOrderAndStopsWhenDropped)
{
    ScopedWorkingDirectory dir;
    QString list;
    for (int row = 0; row < 200000; ++row)
        list += QStringLiteral("参与者%1\t第%2部\n").arg(row).arg(row % 7);
    dir.writeFile("list.txt", list.toUtf8());

    QString delivered;
    bool done = false;
    ListFileLoading loading;
    loading.start(
        dir.filePath("list.txt"), [&](QString block) { delivered += block; },
        [&](list_file_reader::ListFile file, QByteArray fingerprint) {
            for (const QString& block : file.lines.takeBlocks())
                delivered += block;
            EXPECT_FALSE(fingerprint.isEmpty());
            done = true;
        },
        [&](std::exception_ptr) { ADD_FAILURE() << "no failure expected"; });
    EXPECT_TRUE(loading.isRunning());
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(loading.isRunning());
    EXPECT_EQ(delivered, list);

    int calls = 0;
    auto dropped = std::make_unique<ListFileLoading>();
    dropped->start(
        dir.filePath("list.txt"), [&](QString) { ++calls; },
        [&](list_file_reader::ListFile, QByteArray) { ++calls; },
        [&](std::exception_ptr) { ++calls; });
    dropped.reset(); // waits for its thread
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

} // namespace
