#include "storage/draw_record.h"

#include "base/atomic_file.h"
#include "base/regular_file.h"
#include "base/sha256.h"
#include "storage/draw_history.h"
#include "storage/text_line_list.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace draw_record {

namespace {

constexpr int kHashBytes = 64;

struct Kind
{
    const char* name;
    int fixedFields; // before the rest; -1: no rest, every field fixed
    int fields;
};
constexpr Kind kKinds[] = {{"stop", -1, 10}, {"pick", 4, 5}, {"event", 0, 1}};

bool isHash(const QByteArray& text)
{
    if (text.size() != kHashBytes)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

QByteArray sha256Hex(QByteArrayView bytes)
{
    return sha256::hex(bytes);
}

QByteArray zeroHash()
{
    return QByteArray(kHashBytes, '0');
}

QByteArray joinedLines(const TextLineList& lines)
{
    return lines.joined();
}

QByteArray linesSha256(const TextLineList& lines)
{
    sha256::Hasher hash;
    if (lines.bufferIsJoined()) {
        hash.add(lines.joined());
        return hash.hexResult();
    }
    // Lines go to the hash in chunks: one update per short name would cost
    // more than hashing it, and a joined copy would double the memory.
    constexpr qsizetype kChunk = 1 << 20;
    QByteArray chunk;
    chunk.reserve(kChunk + 4096);
    for (int i = 0; i < lines.count(); ++i) {
        chunk += lines.view(i);
        chunk += "\r\n";
        if (chunk.size() >= kChunk) {
            hash.add(chunk);
            chunk.resize(0);
        }
    }
    hash.add(chunk);
    return hash.hexResult();
}

QByteArray lastLineHash(const QString& path)
{
    const regular_file::Opened opened = regular_file::openForReading(path);
    if (!opened.ok())
        return zeroHash();
    // Only the tail is read: a long night's record is not read at every Stop.
    const off_t size = ::lseek(opened.descriptor, 0, SEEK_END);
    QByteArray tail;
    for (off_t want = 4096; size > 0; want *= 4) {
        const off_t from = std::max<off_t>(0, size - want);
        tail.resize(static_cast<qsizetype>(size - from));
        if (::pread(opened.descriptor, tail.data(), static_cast<size_t>(tail.size()), from) !=
            tail.size()) {
            tail.clear();
            break;
        }
        QByteArray body = tail;
        if (body.endsWith("\r\n"))
            body.chop(2);
        const qsizetype lineStart = body.lastIndexOf('\n');
        if (lineStart >= 0 || from == 0) {
            tail = body.mid(lineStart + 1);
            break;
        }
    }
    ::close(opened.descriptor);
    return size > 0 ? sha256Hex(tail) : zeroHash();
}

bool append(const QString& path, const std::vector<QByteArray>& entries)
{
    if (entries.empty())
        return true;
    QByteArray previous = lastLineHash(path);
    QByteArray joined;
    for (const QByteArray& entry : entries) {
        const QByteArray line = entry + '\t' + previous;
        if (!joined.isEmpty())
            joined += "\r\n";
        joined += line;
        previous = sha256Hex(line);
    }
    // The history's checked append: one write, synced, a short one taken back.
    return draw_history::appendLine(path, joined);
}

QString snapshotPath(const QString& folder, const QByteArray& sha)
{
    return QDir(folder).filePath(QString::fromLatin1(sha) + QLatin1String(".txt"));
}

bool keepSnapshot(const QString& folder, const QByteArray& sha, const QByteArray& content)
{
    const QString path = snapshotPath(folder, sha);
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink())
        return existing.isFile(); // kept already; anything else is left alone
    const bool folderMade = !QFileInfo::exists(folder);
    if (!QDir().mkpath(folder))
        return false;
    if (writeFileAtomically(path, content).ok())
        return true;
    // A full disk leaves no empty folder behind.
    if (folderMade)
        QDir().rmdir(folder);
    return false;
}

std::optional<Entry> readEntry(const QByteArray& line)
{
    const qsizetype first = line.indexOf('\t');
    const qsizetype last = line.lastIndexOf('\t');
    if (first < 0 || last <= first)
        return std::nullopt;
    Entry entry;
    entry.kind = line.left(first);
    entry.chain = line.mid(last + 1);
    if (!isHash(entry.chain))
        return std::nullopt;
    const QByteArray body = line.mid(first + 1, last - first - 1);
    for (const Kind& kind : kKinds) {
        if (entry.kind != kind.name)
            continue;
        if (kind.fixedFields < 0) {
            for (const QByteArray& field : body.split('\t'))
                entry.fields.push_back(field);
        } else {
            qsizetype from = 0;
            for (int i = 0; i < kind.fixedFields; ++i) {
                const qsizetype tab = body.indexOf('\t', from);
                if (tab < 0)
                    return std::nullopt;
                entry.fields.push_back(body.mid(from, tab - from));
                from = tab + 1;
            }
            entry.fields.push_back(body.mid(from));
        }
        if (static_cast<int>(entry.fields.size()) != kind.fields)
            return std::nullopt;
        return entry;
    }
    return std::nullopt;
}

} // namespace draw_record
