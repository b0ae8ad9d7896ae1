#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

// An ordered list of GBK lines: insertion order, duplicates and empty lines
// allowed, indexes from 0.
class TextLineList
{
  public:
    int count() const { return static_cast<int>(lines_.size()); }
    bool isEmpty() const { return lines_.empty(); }
    const QByteArray& get(int index) const;
    void add(const QByteArray& line);
    void clear();
    void deleteAt(int index);
    // The first line equal to the text under the case-insensitive comparison; -1 if none.
    int find(const QByteArray& text) const;

    // Replaces the content with the file's lines; a file that cannot be opened
    // leaves the list as it was and throws "Cannot open file ...".
    void load(const QString& path);
    // Writes every line followed by CR LF, replacing the file as a whole.
    void save(const QString& path) const;

    const std::vector<QByteArray>& lines() const { return lines_; }
    // Removes the lines at the given positions (ascending, distinct) in one pass.
    void removePositions(const std::vector<int>& ascendingPositions);

  private:
    void invalidateIndex()
    {
        firstPositionByKey_.clear();
        indexBuilt_ = false;
    }

    std::vector<QByteArray> lines_;
    // Built on the first find after a change, so a search costs one lookup.
    mutable QHash<QByteArray, int> firstPositionByKey_;
    mutable bool indexBuilt_ = false;
};
