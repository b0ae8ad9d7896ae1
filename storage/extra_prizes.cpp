#include "storage/extra_prizes.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/case_fold.h"
#include "storage/prize_level.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace extra_prizes {

namespace {

// A whole number 1 to kMaxCount written in plain digits, nothing else.
std::optional<int> wholeNumber(const QByteArray& text)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    const int value = text.toInt();
    if (value < 1 || value > kMaxCount)
        return std::nullopt;
    return value;
}

bool hasControlBytes(const QByteArray& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    return false;
}

QString lineProblem(const QByteArray& text, const QString& field, int maxBytes)
{
    if (text.contains('\n') || text.contains('\r'))
        return QStringLiteral("%1只能是一行。").arg(field);
    if (hasControlBytes(text))
        return QStringLiteral("%1不能含有制表符等控制字符。").arg(field);
    if (text.size() > maxBytes)
        return QStringLiteral("%1太长：最多 %2 个字节（%3 个汉字），现在 %4 个字节。")
            .arg(field)
            .arg(maxBytes)
            .arg(maxBytes / 2)
            .arg(text.size());
    return {};
}

QString nameProblem(const QByteArray& name, const ExtraPrizeList& others)
{
    const QString field = QStringLiteral("加奖名称");
    if (name.trimmed().isEmpty())
        return QStringLiteral("加奖名称不能为空。");
    if (QString problem = lineProblem(name, field, kMaxNameBytes); !problem.isEmpty())
        return problem;
    if (name != name.trimmed())
        return QStringLiteral("加奖名称的前后不能有空格。");
    // The brackets mark the name in a results line.
    if (name.contains(gbk::text("【")) || name.contains(gbk::text("】")))
        return QStringLiteral("加奖名称不能含有“【”或“】”。");
    for (PrizeLevel level : kAllPrizeLevels)
        if (name == levelName(level))
            return QStringLiteral("加奖名称“%1”是固定奖项的名称，请换一个名称。")
                .arg(gbk::decode(name));
    for (const ExtraPrize& other : others)
        if (caseFoldKey(other.name) == caseFoldKey(name))
            return QStringLiteral("加奖名称“%1”已经有了，请换一个名称。").arg(gbk::decode(name));
    return {};
}

} // namespace

Checked check(const Fields& fields, const ExtraPrizeList& others)
{
    if (QString problem = nameProblem(fields.name, others); !problem.isEmpty())
        return {std::nullopt, problem};
    if (QString problem = lineProblem(fields.prize, QStringLiteral("加奖奖品"), kMaxPrizeBytes);
        !problem.isEmpty())
        return {std::nullopt, problem};
    const std::optional<int> count = wholeNumber(fields.count.trimmed());
    if (!count)
        return {std::nullopt, QStringLiteral("加奖人数必须是 1 到 %1 之间的整数。").arg(kMaxCount)};
    const QByteArray batchText = fields.batch.trimmed();
    const std::optional<int> batch = batchText.isEmpty() ? 1 : wholeNumber(batchText);
    if (!batch)
        return {std::nullopt,
                QStringLiteral("加奖每次人数必须是 1 到 %1 之间的整数。").arg(kMaxCount)};
    return {ExtraPrize{fields.name, fields.prize, *count, *batch}, {}};
}

Fields fieldsOf(const ExtraPrize& prize)
{
    return {prize.name, prize.prize, QByteArray::number(prize.count),
            QByteArray::number(prize.batch)};
}

QByteArray fileBytes(const ExtraPrizeList& prizes)
{
    QByteArray bytes;
    for (const ExtraPrize& prize : prizes)
        bytes += prize.name + '\t' + prize.prize + '\t' + QByteArray::number(prize.count) + '\t' +
                 QByteArray::number(prize.batch) + "\r\n";
    return bytes;
}

ExtraPrizeList parse(const QByteArray& bytes)
{
    ExtraPrizeList prizes;
    for (const QByteArray& line : splitIntoLines(bytes)) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 4)
            continue;
        const Checked checked = check({parts[0], parts[1], parts[2], parts[3]}, prizes);
        if (checked.prize)
            prizes.push_back(*checked.prize);
    }
    return prizes;
}

ExtraPrizeList read()
{
    const QString path = QLatin1String(kFileName);
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok()) {
        if (regular_file::isMissing(content.error))
            return {};
        throw AppError::cannotOpenFile(file_paths::fullPath(path),
                                       system_reason::text(content.error));
    }
    return parse(content.bytes);
}

void write(const ExtraPrizeList& prizes)
{
    const QString path = QLatin1String(kFileName);
    if (!prizes.empty()) {
        writeFileAtomicallyOrThrow(path, fileBytes(prizes));
        return;
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0) {
        if (errno == ENOENT)
            return;
    } else if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
        throw AppError::cannotCreateFile(file_paths::fullPath(path),
                                         system_reason::text(system_reason::kNotARegularFile));
    } else if (::unlink(name.constData()) == 0) {
        return;
    }
    throw AppError::cannotCreateFile(file_paths::fullPath(path), system_reason::text(errno));
}

int find(const ExtraPrizeList& prizes, const QByteArray& name)
{
    for (size_t i = 0; i < prizes.size(); ++i)
        if (prizes[i].name == name)
            return static_cast<int>(i);
    return -1;
}

} // namespace extra_prizes
