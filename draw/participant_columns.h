#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// The columns of the participant lines: cells split by tabs (a line without
// tabs is one column). They are named by the import's title row where it
// was kept, else 第1列, 第2列 ...
class ParticipantColumns
{
  public:
    // titleLine: the kept title row (tabs between titles), or empty;
    // cellCount: the most cells a participant line has.
    ParticipantColumns(const QByteArray& titleLine, int cellCount);
    // From the title file in the working folder, with at least cellCount columns.
    static ParticipantColumns ofWorkingFolder(int cellCount);

    const std::vector<QByteArray>& names() const { return names_; }
    // The column's index from 0: a title, or 第N列 for any N from 1 (a
    // line with fewer cells has empty ones there). -1: no such column.
    int indexOf(const QByteArray& name) const;

  private:
    std::vector<QByteArray> names_;
};

// 第N列 for the index from 0.
QByteArray numberedColumnName(int index);
// The cell at the index from 0, blanks (bytes 00 to 20) stripped at both
// ends; empty when the line has fewer cells.
QByteArray cellAt(const QByteArray& line, int index);
// The same cell without a copy: it points into the line, which must outlive
// it. Index -1: the whole line, stripped alike.
QByteArray cellView(QByteArrayView line, int index);
// The cells 0 .. count-1 as cellView gives them, found in one pass over the
// line, into cells[0 .. count-1].
void cellViews(QByteArrayView line, int count, QByteArrayView* cells);
int cellCountOf(const QByteArray& line);
