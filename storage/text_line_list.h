#pragma once

#include "base/line_spans.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <vector>

// An ordered list of GBK lines: insertion order, duplicates and empty lines
// allowed, indexes from 0.
//
// The lines live in one buffer, the file as it was read with the added lines
// after it, and each line is a span of that buffer: ten million lines take
// the file's size and 8 bytes a line, and a reload allocates twice, not once
// per line.
class TextLineList
{
  public:
    int count() const { return static_cast<int>(spans_.size()); }
    bool isEmpty() const { return spans_.empty(); }
    // A copy of the line at that index.
    QByteArray get(int index) const;
    // The same without a copy, valid until the list next changes. Inline:
    // passes over millions of lines call it once a line.
    QByteArrayView view(int index) const
    {
        if (index < 0 || index >= count())
            throwIndexOutOfBounds(index);
        return at(static_cast<size_t>(index));
    }
    void add(QByteArrayView line);
    void clear();
    void deleteAt(int index);
    // The first line equal to the text under the case-insensitive comparison; -1 if none.
    int find(QByteArrayView text) const;

    // Replaces the content with the file's lines; a file that cannot be opened
    // leaves the list as it was and throws "Cannot open file ...".
    void load(const QString& path);
    // Writes every line followed by CR LF, replacing the file as a whole.
    void save(const QString& path) const;
    // Every line followed by CR LF, as save() writes them: the buffer itself,
    // shared and not copied, when it holds just that (a list read from a
    // file the program wrote, unchanged since), a joined copy otherwise.
    QByteArray joined() const;
    // Whether joined() is the buffer itself.
    bool bufferIsJoined() const;

    // Removes the lines at the given positions (ascending, distinct) in one pass.
    void removePositions(const std::vector<int>& ascendingPositions);
    // Keeps, in order, only the lines for which keep(view) is true, in one
    // pass that moves spans and no text. Inline, so the test of a million
    // lines is not a call through a pointer each.
    template <class Keep> void keepOnlyWhere(Keep&& keep)
    {
        size_t kept = 0;
        for (size_t i = 0; i < spans_.size(); ++i) {
            const bool keeps = keep(at(i));
            spans_[kept] = spans_[i]; // written either way: no branch on the test
            kept += keeps;
        }
        if (kept == spans_.size())
            return;
        spans_.resize(kept);
        invalidateIndex();
    }
    // Copies of all lines, in order: for short lists.
    std::vector<QByteArray> copyLines() const;

  private:
    [[noreturn]] static void throwIndexOutOfBounds(int index);
    QByteArrayView at(size_t index) const
    {
        const LineSpan& span = spans_[index];
        return QByteArrayView(text_.constData() + span.begin, span.end - span.begin);
    }
    void invalidateIndex()
    {
        firstPositionByKey_.clear();
        indexBuilt_ = false;
    }

    QByteArray text_;
    std::vector<LineSpan> spans_;
    // Built on the first find after a change, so a search costs one lookup.
    mutable QHash<QByteArray, int> firstPositionByKey_;
    mutable bool indexBuilt_ = false;
};
