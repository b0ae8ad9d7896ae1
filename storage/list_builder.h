#pragma once

#include "storage/participant_lines.h"
#include "storage/row_sink.h"

#include <functional>
#include <limits>

// The participant lines of a list file, made from its rows as a reader finds
// them: each row's non-empty cells joined by a tab, rows without any left
// out, within the limits every import keeps.
class ListBuilder : public RowSink
{
  public:
    // Far beyond any participant (a name, a department and a few numbers
    // take under a hundred characters), and small enough that a CSV file
    // missing a closing quote is caught at the row where it goes wrong
    // instead of being read on as one huge cell.
    static constexpr qsizetype kMaxLineCharacters = 10000;

    enum class Stop { None, RowTooLong, TooMuchText, Cancelled };

    // Takes a filled block of lines (each followed by '\n') as soon as the
    // next one is started, so a long list can be shown while it is read;
    // false stops reading (Stop::Cancelled).
    using BlockHandOff = std::function<bool(QString block)>;

    // What the import field needs to hold a line besides its characters,
    // two bytes each: its block, fragments and layout data (Qt 6.4).
    static constexpr qint64 kFieldBytesPerLine = 140;

    // The bytes reading may keep (the lines as text and what a reader keeps
    // beside them, such as a workbook's string table), and the bytes the
    // field may take to hold the lines.
    explicit ListBuilder(qint64 readingLimit = std::numeric_limits<qint64>::max(),
                         qint64 fieldLimit = std::numeric_limits<qint64>::max())
        : readingLimit_(readingLimit), fieldLimit_(fieldLimit)
    {
    }

    bool addRow(const QStringList& cells, qint64 row) override;
    qsizetype maxLineCharacters() const override { return kMaxLineCharacters; }
    void rowTooLong(qint64 row) override;
    bool keep(qint64 bytes) override;

    // Without one, every line stays in takeLines().
    void setBlockHandOff(BlockHandOff handOff) { handOff_ = std::move(handOff); }

    Stop stop() const { return stop_; }
    qint64 stopRow() const { return stopRow_; } // RowTooLong: the row
    // TooMuchText: the limit passed.
    qint64 passedLimit() const { return passedLimit_; }
    // Judged on the first row that gives a line.
    bool firstLineLooksLikeTitles() const { return firstLineLooksLikeTitles_; }
    ParticipantLines takeLines() { return std::move(lines_); }
    qint64 linesHandedOver() const { return linesHandedOver_; }

  private:
    bool within(qint64& used, qint64 bytes, qint64 limit);
    bool handOverFilledBlocks();

    qint64 readingLimit_;
    qint64 fieldLimit_;
    qint64 readingUsed_ = 0;
    qint64 fieldUsed_ = 0;
    qint64 passedLimit_ = 0;
    Stop stop_ = Stop::None;
    qint64 stopRow_ = 0;
    ParticipantLines lines_;
    QString line_;
    BlockHandOff handOff_;
    qint64 linesHandedOver_ = 0;
    bool firstLineLooksLikeTitles_ = false;
};

// A row's non-empty cells joined by tabs; breaks and tabs inside a cell
// become blanks, since a participant is one line.
QString participantLine(const QStringList& cells);
// The same appended to `line`.
void appendParticipantLine(const QStringList& cells, QString& line);
