#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Participant lines kept as a few large strings of whole lines, each line
// followed by '\n', rather than one string a line: a million lines cost
// their characters and little more, and go into a text field block by block.
class ParticipantLines
{
  public:
    // A block is started when the next line would not fit in this many
    // characters.
    static constexpr qsizetype kBlockCharacters = 1 << 20;

    // A line without breaks.
    void append(QStringView line);

    qsizetype size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    QString first() const;
    void removeFirst();
    // Every line on its own, for short lists.
    QStringList toList() const;

    // The blocks, their lines each followed by '\n', handed over: the list
    // is empty afterwards.
    std::vector<QString> takeBlocks();
    const std::vector<QString>& blocks() const { return blocks_; }
    // Every block but the one still being filled, handed over the same way;
    // size() counts the lines left.
    std::vector<QString> takeFilledBlocks();

  private:
    std::vector<QString> blocks_;
    qsizetype count_ = 0;
};
