#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

class TextLineList;

// The draw record: beside the history, every input a Stop's winners were
// computed from and every event of the rounds, so anyone can compute the
// winners again. GBK text, one entry a line, CR LF; fields are separated by
// TAB, the first names the entry's kind and the last is the SHA-256 (lower
// hex) of the whole line before it (64 zeros for the first), so a changed,
// added or removed line breaks the chain from there on.
//
//   stop   TAB time TAB level|extra TAB name TAB asked TAB repeats
//          TAB list sha TAB list lines TAB results lines TAB rules sha TAB columns sha
//   pick   TAB time TAB k TAB n TAB index TAB results line      (one per winner)
//   event  TAB history line          (start, Initialize, void, resume ...)
//
// A participant list, rules file or column titles file a Stop used is kept
// once in the snapshot folder as <sha>.txt; "-" stands for no file.
namespace draw_record {

inline constexpr char kFileName[] = "rafflixrecord.txt";
inline constexpr char kSnapshotFolder[] = "rafflixsnapshots";
inline constexpr char kNoFile[] = "-";
inline constexpr char kTimeFormat[] = "yyyy-MM-dd HH:mm:ss.zzz";

QByteArray sha256Hex(QByteArrayView bytes);
QByteArray zeroHash();
// The SHA-256 of the lines as a list file holds them: each ended by CR LF.
QByteArray linesSha256(const TextLineList& lines);
QByteArray joinedLines(const TextLineList& lines);

// The hash the next entry of the file chains from: that of its last line.
QByteArray lastLineHash(const QString& path);
// Appends the entries (without their chain field) in one checked write,
// each chained from the one before. False when the record cannot be written.
bool append(const QString& path, const std::vector<QByteArray>& entries);

// Keeps the content as <folder>/<sha>.txt unless it is there already; the
// folder is made when missing. False when it cannot be written.
bool keepSnapshot(const QString& folder, const QByteArray& sha, const QByteArray& content);
QString snapshotPath(const QString& folder, const QByteArray& sha);

// One entry read back: its fields without the kind and the chain. The rest
// of a pick or event line, which may hold tabs itself, is one field.
struct Entry
{
    QByteArray kind;
    std::vector<QByteArray> fields;
    QByteArray chain;
};
// None for a line of no known form.
std::optional<Entry> readEntry(const QByteArray& line);

} // namespace draw_record
