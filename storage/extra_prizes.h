#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Prizes added on the night beside the six levels: a name, a prize text, a
// winner count and how many one Stop draws. They live in their own file,
// rafflixextra.txt, which is absent while there are none, so a night without
// them leaves every other file as it was.
namespace extra_prizes {

inline constexpr char kFileName[] = "rafflixextra.txt";
// The board shows the name in the letter size of a level's name: 16 bytes,
// eight Chinese characters.
inline constexpr int kMaxNameBytes = 16;
inline constexpr int kMaxPrizeBytes = 60;
inline constexpr int kMaxCount = 9999;

struct ExtraPrize
{
    QByteArray name;  // GBK
    QByteArray prize; // GBK
    int count = 1;
    int batch = 1;
    bool operator==(const ExtraPrize& other) const
    {
        return name == other.name && prize == other.prize && count == other.count &&
               batch == other.batch;
    }
};
using ExtraPrizeList = std::vector<ExtraPrize>;

// The fields as the operator typed them (GBK).
struct Fields
{
    QByteArray name;
    QByteArray prize;
    QByteArray count;
    QByteArray batch; // empty: one per Stop
};

struct Checked
{
    std::optional<ExtraPrize> prize;
    QString problem; // names the field and why; empty when prize is set
};
// others: the list the prize joins, without the one being edited.
Checked check(const Fields& fields, const ExtraPrizeList& others);
Fields fieldsOf(const ExtraPrize& prize);

// One line per prize, GBK, CR LF: name TAB prize TAB count TAB batch.
QByteArray fileBytes(const ExtraPrizeList& prizes);
// Lines that are not four fields or whose name or count does not pass are
// skipped, so a hand-edited file never stops the draw.
ExtraPrizeList parse(const QByteArray& bytes);

// The file in the working directory: missing reads as none; a file that is
// not a regular file or cannot be read throws with the reason.
ExtraPrizeList read();
// Checked atomic write; an empty list removes the file.
void write(const ExtraPrizeList& prizes);

int find(const ExtraPrizeList& prizes, const QByteArray& name); // -1 if none

} // namespace extra_prizes
