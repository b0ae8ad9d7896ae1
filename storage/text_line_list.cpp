#include "storage/text_line_list.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/case_fold.h"

#include <algorithm>
#include <cerrno>

QByteArray TextLineList::get(int index) const
{
    return view(index).toByteArray();
}

void TextLineList::throwIndexOutOfBounds(int index)
{
    throw AppError::listIndexOutOfBounds(index);
}

void TextLineList::add(QByteArrayView line)
{
    if (text_.size() + line.size() > kMaxSpannedTextBytes)
        throw AppError(QStringLiteral("Out of memory"));
    const auto begin = static_cast<quint32>(text_.size());
    text_.append(line);
    spans_.push_back({begin, static_cast<quint32>(text_.size())});
    if (indexBuilt_) {
        const QByteArray key = caseFoldKey(line);
        if (!firstPositionByKey_.contains(key))
            firstPositionByKey_.insert(key, count() - 1);
    }
}

void TextLineList::clear()
{
    // Let go of the memory, not only the lines: a cleared list of millions
    // must not keep its buffer.
    text_ = QByteArray();
    spans_ = std::vector<LineSpan>();
    invalidateIndex();
}

void TextLineList::deleteAt(int index)
{
    if (index < 0 || index >= count())
        throw AppError::listIndexOutOfBounds(index);
    spans_.erase(spans_.begin() + index);
    invalidateIndex();
}

int TextLineList::find(QByteArrayView text) const
{
    if (!indexBuilt_) {
        firstPositionByKey_.reserve(count());
        for (int i = count() - 1; i >= 0; --i)
            firstPositionByKey_.insert(caseFoldKey(at(static_cast<size_t>(i))), i);
        indexBuilt_ = true;
    }
    return firstPositionByKey_.value(caseFoldKey(text), -1);
}

void TextLineList::load(const QString& path)
{
    const regular_file::Opened opened = regular_file::openForReading(path);
    if (!opened.ok())
        throw AppError::cannotOpenFile(file_paths::fullPath(path),
                                       system_reason::text(opened.error));
    // The old lines go once the file is open and before the new ones are
    // read, so a reload of a long list never holds two copies of it.
    clear();
    regular_file::Content content = regular_file::readAndClose(opened);
    if (content.ok() && content.bytes.size() > kMaxSpannedTextBytes)
        content.error = EFBIG;
    if (!content.ok())
        throw AppError::cannotOpenFile(file_paths::fullPath(path),
                                       system_reason::text(content.error));
    text_ = std::move(content.bytes);
    appendLineSpans(text_, spans_);
}

void TextLineList::save(const QString& path) const
{
    writeFileAtomicallyOrThrow(path, joined());
}

bool TextLineList::bufferIsJoined() const
{
    qsizetype next = 0;
    for (const LineSpan& span : spans_) {
        if (span.begin != next || span.end + 2 > text_.size() || text_[span.end] != '\r' ||
            text_[span.end + 1] != '\n')
            return false;
        next = span.end + 2;
    }
    return next == text_.size();
}

QByteArray TextLineList::joined() const
{
    if (bufferIsJoined())
        return text_;
    qsizetype size = 0;
    for (const LineSpan& span : spans_)
        size += span.end - span.begin + 2;
    QByteArray joined;
    joined.reserve(size);
    for (size_t i = 0; i < spans_.size(); ++i) {
        joined.append(at(i));
        joined.append("\r\n", 2);
    }
    return joined;
}

void TextLineList::removePositions(const std::vector<int>& ascendingPositions)
{
    if (ascendingPositions.empty())
        return;
    // The lines between two removed ones move up as one block.
    const size_t size = spans_.size();
    auto kept = static_cast<size_t>(ascendingPositions.front());
    for (size_t k = 0; k < ascendingPositions.size() && kept < size; ++k) {
        const auto from = static_cast<size_t>(ascendingPositions[k]) + 1;
        const size_t to = k + 1 < ascendingPositions.size()
                              ? std::min(static_cast<size_t>(ascendingPositions[k + 1]), size)
                              : size;
        if (from >= to)
            continue;
        std::copy(spans_.begin() + static_cast<std::ptrdiff_t>(from),
                  spans_.begin() + static_cast<std::ptrdiff_t>(to),
                  spans_.begin() + static_cast<std::ptrdiff_t>(kept));
        kept += to - from;
    }
    spans_.resize(std::min(kept, size));
    invalidateIndex();
}

std::vector<QByteArray> TextLineList::copyLines() const
{
    std::vector<QByteArray> lines;
    lines.reserve(spans_.size());
    for (size_t i = 0; i < spans_.size(); ++i)
        lines.push_back(at(i).toByteArray());
    return lines;
}
