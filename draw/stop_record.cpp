#include "draw/stop_record.h"

#include "base/regular_file.h"
#include "draw/batch_draw.h"
#include "storage/column_titles_file.h"
#include "storage/draw_record.h"
#include "storage/draw_rules_file.h"
#include "storage/text_line_list.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

bool ListIdentity::operator==(const ListIdentity& other) const
{
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return device == other.device && inode == other.inode && size == other.size &&
           same(modified, other.modified) && same(changed, other.changed) && lines == other.lines;
}

namespace stop_record {

namespace {

// The last list hashed, by the identity of the file it was loaded from.
struct HashedList
{
    ListIdentity identity;
    QByteArray sha;
};
std::optional<HashedList> lastHashed;
int hashesComputed = 0;

std::optional<ListIdentity> statIdentity(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    ListIdentity identity;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = status.st_size;
    identity.modified = status.st_mtim;
    identity.changed = status.st_ctim;
    return identity;
}

// The file's hash after keeping it as a snapshot; kNoFile when it is
// missing or empty (the draw then reads no rules from it either).
QByteArray keptFile(const char* name)
{
    const regular_file::Content content = regular_file::readAll(QLatin1String(name));
    if (!content.ok() || content.bytes.isEmpty())
        return draw_record::kNoFile;
    const QByteArray sha = draw_record::sha256Hex(content.bytes);
    draw_record::keepSnapshot(snapshotFolder(), sha, content.bytes);
    return sha;
}

} // namespace

QString recordPath()
{
    return QLatin1String(draw_record::kFileName);
}

QString snapshotFolder()
{
    return QLatin1String(draw_record::kSnapshotFolder);
}

QByteArray timeText(const QDateTime& at)
{
    return at.toString(QLatin1String(draw_record::kTimeFormat)).toLatin1();
}

std::optional<ListIdentity> loadList(TextLineList& list, const QString& path, std::time_t now)
{
    // The same file before and after the read: one replaced or written in
    // between never pairs its identity with the lines read before.
    const std::optional<ListIdentity> before = statIdentity(path);
    list.load(path);
    std::optional<ListIdentity> after = statIdentity(path);
    if (!before || !after || !(*before == *after) || after->changed.tv_sec >= now - kSettledSeconds)
        return std::nullopt;
    after->lines = list.count();
    return after;
}

int listHashesComputed()
{
    return hashesComputed;
}

StopInputs capture(const TextLineList& loadedList, const std::optional<ListIdentity>& identity,
                   const TextLineList& results, const QByteArray& repeats)
{
    StopInputs inputs;
    inputs.listLines = loadedList.count();
    inputs.resultsLines = results.count();
    inputs.repeats = repeats;
    if (identity && lastHashed && lastHashed->identity == *identity &&
        identity->lines == loadedList.count()) {
        inputs.listSha = lastHashed->sha;
    } else {
        ++hashesComputed;
        inputs.listSha = draw_record::linesSha256(loadedList);
        const bool kept =
            QFileInfo(draw_record::snapshotPath(snapshotFolder(), inputs.listSha)).exists() ||
            draw_record::keepSnapshot(snapshotFolder(), inputs.listSha,
                                      draw_record::joinedLines(loadedList));
        lastHashed.reset();
        // A snapshot a full disk refused is tried again at the next Stop.
        if (identity && kept)
            lastHashed = HashedList{*identity, inputs.listSha};
    }
    inputs.rulesSha = keptFile(draw_rules_file::kFileName);
    inputs.columnsSha = keptFile(column_titles_file::kFileName);
    return inputs;
}

void write(const StopInputs& inputs, const StopPlan& plan, const std::vector<QDateTime>& pickTimes,
           const std::vector<PickStep>& steps, const std::vector<QByteArray>& resultsLines)
{
    if (pickTimes.empty() || steps.size() != resultsLines.size())
        return;
    const QByteArray number[] = {QByteArray::number(plan.winners),
                                 QByteArray::number(inputs.listLines),
                                 QByteArray::number(inputs.resultsLines)};
    std::vector<QByteArray> entries;
    entries.push_back(QByteArray("stop\t") + timeText(pickTimes.front()) + '\t' +
                      (plan.extraPrize.isEmpty() ? "level" : "extra") + '\t' +
                      drawnPrizeName(plan) + '\t' + number[0] + '\t' + inputs.repeats + '\t' +
                      inputs.listSha + '\t' + number[1] + '\t' + number[2] + '\t' +
                      inputs.rulesSha + '\t' + inputs.columnsSha);
    for (size_t i = 0; i < steps.size(); ++i)
        entries.push_back(QByteArray("pick\t") + timeText(pickTimes[i]) + '\t' +
                          QByteArray::number(steps[i].k) + '\t' + QByteArray::number(steps[i].n) +
                          '\t' + QByteArray::number(steps[i].index) + '\t' + resultsLines[i]);
    // Like the history, a record that cannot be written stops no draw.
    draw_record::append(recordPath(), entries);
}

void writeEvent(const QString& historyPath, const QByteArray& historyLine)
{
    const QString path =
        QFileInfo(historyPath).dir().filePath(QLatin1String(draw_record::kFileName));
    draw_record::append(path, {QByteArray("event\t") + historyLine});
}

} // namespace stop_record
