#include "storage/text_line_list.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/line_splitting.h"
#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/case_fold.h"

const QByteArray& TextLineList::get(int index) const
{
    if (index < 0 || index >= count())
        throw AppError::listIndexOutOfBounds(index);
    return lines_[static_cast<size_t>(index)];
}

void TextLineList::add(const QByteArray& line)
{
    lines_.push_back(line);
    if (indexBuilt_) {
        const QByteArray key = caseFoldKey(line);
        if (!firstPositionByKey_.contains(key))
            firstPositionByKey_.insert(key, count() - 1);
    }
}

void TextLineList::clear()
{
    lines_.clear();
    invalidateIndex();
}

void TextLineList::deleteAt(int index)
{
    if (index < 0 || index >= count())
        throw AppError::listIndexOutOfBounds(index);
    lines_.erase(lines_.begin() + index);
    invalidateIndex();
}

int TextLineList::find(const QByteArray& text) const
{
    if (!indexBuilt_) {
        firstPositionByKey_.reserve(count());
        for (int i = count() - 1; i >= 0; --i)
            firstPositionByKey_.insert(caseFoldKey(lines_[static_cast<size_t>(i)]), i);
        indexBuilt_ = true;
    }
    return firstPositionByKey_.value(caseFoldKey(text), -1);
}

void TextLineList::load(const QString& path)
{
    regular_file::Content content = regular_file::readAll(path);
    if (!content.ok())
        throw AppError::cannotOpenFile(file_paths::fullPath(path),
                                       system_reason::text(content.error));
    // The old lines go before the new ones are made, so a reload of a long
    // list never holds two copies of it.
    lines_ = std::vector<QByteArray>();
    lines_ = splitIntoLines(content.bytes);
    invalidateIndex();
}

void TextLineList::save(const QString& path) const
{
    writeFileAtomicallyOrThrow(path, joinLinesWithCrLf(lines_));
}

void TextLineList::removePositions(const std::vector<int>& ascendingPositions)
{
    if (ascendingPositions.empty())
        return;
    size_t next = 0;
    size_t kept = 0;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (next < ascendingPositions.size() &&
            static_cast<size_t>(ascendingPositions[next]) == i) {
            ++next;
            continue;
        }
        if (kept != i)
            lines_[kept] = std::move(lines_[i]);
        ++kept;
    }
    lines_.resize(kept);
    invalidateIndex();
}
