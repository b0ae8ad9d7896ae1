#include "storage/participant_lines.h"

#include <algorithm>
#include <utility>

void ParticipantLines::append(QStringView line)
{
    if (blocks_.empty() || blocks_.back().size() + line.size() + 1 > kBlockCharacters) {
        blocks_.emplace_back();
        // Pages of the reserve that no line reaches are never touched.
        blocks_.back().reserve(std::max(kBlockCharacters, line.size() + 1));
    }
    blocks_.back().append(line).append(u'\n');
    ++count_;
}

QString ParticipantLines::first() const
{
    if (isEmpty())
        return {};
    const QString& block = blocks_.front();
    return block.left(block.indexOf(u'\n'));
}

void ParticipantLines::removeFirst()
{
    if (isEmpty())
        return;
    QString& block = blocks_.front();
    block.remove(0, block.indexOf(u'\n') + 1);
    if (block.isEmpty())
        blocks_.erase(blocks_.begin());
    --count_;
}

QStringList ParticipantLines::toList() const
{
    QStringList lines;
    for (const QString& block : blocks_) {
        lines << block.split(u'\n');
        lines.removeLast(); // after the block's last break
    }
    return lines;
}

std::vector<QString> ParticipantLines::takeBlocks()
{
    count_ = 0;
    return std::exchange(blocks_, {});
}

std::vector<QString> ParticipantLines::takeFilledBlocks()
{
    std::vector<QString> filled;
    if (blocks_.size() < 2)
        return filled;
    filled.reserve(blocks_.size() - 1);
    for (auto block = blocks_.begin(); block + 1 != blocks_.end(); ++block) {
        count_ -= block->count(u'\n');
        filled.push_back(std::move(*block));
    }
    blocks_.erase(blocks_.begin(), blocks_.end() - 1);
    return filled;
}
