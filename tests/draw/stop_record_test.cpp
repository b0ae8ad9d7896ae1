#include "draw/stop_record.h"
#include "storage/draw_record.h"
#include "storage/text_line_list.h"
#include "support/working_directory.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void writeInPlace(const char* path, const QByteArray& bytes)
{
    QFile file{QString::fromLatin1(path)};
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)); // no truncation: the same inode
    file.write(bytes);
    file.resize(bytes.size());
}

// A Stop over the list as the file holds it after each change: the hash is
// reused only while the file is unchanged, and a changed file's new lines
// get their own hash and snapshot. `now` is set later than the writes, as if
// they had settled; a list changed just before the load is hashed afresh.
TEST(StopRecord, ListHashReusedOnlyWhileTheFileIsUnchanged)
{
    ScopedWorkingDirectory folder;
    const char kList[] = "list.txt";
    const QByteArray first = "Ann\r\nBob\r\n";
    const QByteArray sameSize = "Amy\r\nBen\r\n";
    writeInPlace(kList, first);
    struct Step
    {
        const char* change;
        std::function<void()> apply;
        QByteArray content;
        bool reused;
    };
    const Step steps[] = {
        {"first load", [] {}, first, false},
        {"unchanged", [] {}, first, true},
        {"rewritten same size", [&] { writeInPlace(kList, sameSize); }, sameSize, false},
        {"replaced by rename",
         [&] {
             writeInPlace("new.txt", first);
             ASSERT_EQ(std::rename("new.txt", kList), 0);
         },
         first, false},
        {"unchanged again", [] {}, first, true},
        {"touched", [&] { ASSERT_EQ(::utimensat(AT_FDCWD, kList, nullptr, 0), 0); }, first, false},
    };
    const TextLineList results;
    for (const Step& step : steps) {
        step.apply();
        TextLineList list;
        const auto identity =
            stop_record::loadList(list, QLatin1String(kList), std::time(nullptr) + 60);
        ASSERT_TRUE(identity) << step.change;
        const int before = stop_record::listHashesComputed();
        const StopInputs inputs = stop_record::capture(list, identity, results, "yes");
        EXPECT_EQ(stop_record::listHashesComputed() == before, step.reused) << step.change;
        EXPECT_EQ(inputs.listSha, draw_record::sha256Hex(step.content)) << step.change;
        EXPECT_EQ(folder.readFile(
                      draw_record::snapshotPath(stop_record::snapshotFolder(), inputs.listSha)),
                  step.content)
            << step.change;
    }

    TextLineList list;
    EXPECT_FALSE(stop_record::loadList(list, QLatin1String(kList)))
        << "a file touched just now is not trusted to be unchanged";
    const int before = stop_record::listHashesComputed();
    stop_record::capture(list, std::nullopt, results, "yes");
    EXPECT_EQ(stop_record::listHashesComputed(), before + 1);
}

} // namespace
