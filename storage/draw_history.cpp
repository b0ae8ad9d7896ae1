#include "storage/draw_history.h"

#include "base/gbk.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace draw_history {

namespace {

const char kTimeFormat[] = "yyyy-MM-dd HH:mm:ss";
constexpr int kTimeBytes = sizeof(kTimeFormat) - 1;
const char kSeparatorBegin[] = "==== ";
const char kSeparatorEnd[] = " ====";
constexpr int kSeparatorBeginBytes = sizeof(kSeparatorBegin) - 1;
constexpr int kSeparatorEndBytes = sizeof(kSeparatorEnd) - 1;
const char kCutLineEvent[] = "上一行不完整";

constexpr RoundStart kSeparatorStarts[] = {RoundStart::ProgramStart, RoundStart::Initialize,
                                           RoundStart::SettingsSave, RoundStart::NewRound};
constexpr Resume kResumes[] = {Resume::AfterRestart, Resume::AfterReset};

// The GBK form of each program text, converted once: reading a long
// history compares every separator with them.
const QByteArray& gbkText(const char* utf8)
{
    static std::map<const char*, QByteArray> converted;
    auto found = converted.find(utf8);
    if (found == converted.end())
        found = converted.emplace(utf8, gbk::text(utf8)).first;
    return found->second;
}

const char* startEvent(RoundStart start)
{
    switch (start) {
    case RoundStart::ProgramStart:
        return "程序启动";
    case RoundStart::Initialize:
        return "初始化";
    case RoundStart::SettingsSave:
        return "设置保存";
    case RoundStart::NewRound:
        return "新一轮";
    case RoundStart::HistoryBegins:
        break;
    }
    return "";
}

const char* resumeEvent(Resume resume)
{
    return resume == Resume::AfterRestart ? "继续上一轮" : "恢复上一轮";
}

const QByteArray& voidMarker()
{
    static const QByteArray marker = gbkText("作废") + '\t';
    return marker;
}

const QByteArray& withdrawnMarker()
{
    static const QByteArray marker = gbkText("撤回") + '\t';
    return marker;
}

QByteArray timeText(const QDateTime& at)
{
    return at.toString(QLatin1String(kTimeFormat)).toLatin1();
}

QByteArray timedLine(const QDateTime& at, const QByteArray& marker, const QByteArray& resultsLine)
{
    return timeText(at) + '\t' + marker + resultsLine;
}

QByteArray separator(const QDateTime& at, const char* event)
{
    return kSeparatorBegin + timeText(at) + ' ' + gbkText(event) + kSeparatorEnd;
}

// The time the text begins with, read by hand into a date and a time:
// QDateTime::fromString takes tens of microseconds a line, seconds for a
// history of years. False when the text begins with no such time.
bool parseTime(const char* text, QDate& date, QTime& time)
{
    static const char kPattern[] = "dddd-dd-dd dd:dd:dd";
    for (int i = 0; i < kTimeBytes; ++i) {
        const char c = text[i];
        if (kPattern[i] == 'd' ? (c < '0' || c > '9') : c != kPattern[i])
            return false;
    }
    auto number = [text](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    date = QDate(number(0, 4), number(5, 2), number(8, 2));
    time = QTime(number(11, 2), number(14, 2), number(17, 2));
    return date.isValid() && time.isValid();
}

HistoryLine readSeparator(const QByteArray& line)
{
    HistoryLine read;
    if (!parseTime(line.constData() + kSeparatorBeginBytes, read.date, read.time))
        return HistoryLine();
    const QByteArray event =
        line.mid(kSeparatorBeginBytes + kTimeBytes + 1).chopped(kSeparatorEndBytes);
    for (RoundStart start : kSeparatorStarts) {
        if (event == gbkText(startEvent(start))) {
            read.kind = HistoryLine::Kind::RoundStarted;
            read.start = start;
            return read;
        }
    }
    for (Resume resume : kResumes) {
        if (event == gbkText(resumeEvent(resume))) {
            read.kind = HistoryLine::Kind::Resumed;
            read.resume = resume;
            return read;
        }
    }
    return HistoryLine();
}

// True when the file is empty or its last two bytes are CR LF.
bool endsWithCompleteLine(int fd, off_t size)
{
    if (size == 0)
        return true;
    char tail[2] = {};
    if (size < 2 || ::pread(fd, tail, 2, size - 2) != 2)
        return false;
    return tail[0] == '\r' && tail[1] == '\n';
}

} // namespace

QByteArray winnerLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timedLine(at, QByteArray(), resultsLine);
}

QByteArray voidLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timedLine(at, voidMarker(), resultsLine);
}

QByteArray withdrawnLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timedLine(at, withdrawnMarker(), resultsLine);
}

QByteArray separatorLine(const QDateTime& at, RoundStart start)
{
    return separator(at, startEvent(start));
}

QByteArray resumeLine(const QDateTime& at, Resume resume)
{
    return separator(at, resumeEvent(resume));
}

QByteArray cutLineMarker(const QDateTime& at)
{
    return separator(at, kCutLineEvent);
}

HistoryLine readLine(const QByteArray& line)
{
    // A separator needs room for its time, a space and an event.
    if (line.startsWith(kSeparatorBegin) && line.endsWith(kSeparatorEnd) &&
        line.size() > kSeparatorBeginBytes + kTimeBytes + 1 + kSeparatorEndBytes)
        return readSeparator(line);
    HistoryLine read;
    if (line.size() <= kTimeBytes || line.at(kTimeBytes) != '\t' ||
        !parseTime(line.constData(), read.date, read.time))
        return HistoryLine();
    const QByteArray rest = line.mid(kTimeBytes + 1);
    if (rest.startsWith(voidMarker())) {
        read.kind = HistoryLine::Kind::Voided;
        read.resultsLine = rest.mid(voidMarker().size());
    } else if (rest.startsWith(withdrawnMarker())) {
        read.kind = HistoryLine::Kind::Withdrawn;
        read.resultsLine = rest.mid(withdrawnMarker().size());
    } else {
        read.kind = HistoryLine::Kind::Winner;
        read.resultsLine = rest;
    }
    return read;
}

bool isCutLineMarker(const QByteArray& line)
{
    static const QByteArray end = ' ' + gbkText(kCutLineEvent) + kSeparatorEnd;
    return line.startsWith(kSeparatorBegin) && line.endsWith(end);
}

bool appendLine(const QString& path, const QByteArray& line)
{
    // Non-blocking so that a pipe put in the file's place cannot hang the window.
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(name.constData(), flags);
    bool created = false;
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0644);
        created = fd >= 0;
    }
    if (fd < 0)
        return false;
    struct stat status = {};
    bool written = false;
    // A file marked read-only is left alone even for root, like the results file.
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & S_IWUSR)) {
        QByteArray record;
        if (!endsWithCompleteLine(fd, status.st_size))
            record += "\r\n";
        record += line + "\r\n";
        ssize_t result;
        do
            result = ::write(fd, record.constData(), static_cast<size_t>(record.size()));
        while (result < 0 && errno == EINTR);
        written = result == record.size();
        if (result > 0 && !written) {
            // A short write (a full disk) is taken back, so no partial line
            // stays; should that fail too, the next append starts a new line.
            const int truncated = ::ftruncate(fd, status.st_size);
            Q_UNUSED(truncated);
        }
        if (written && ::fdatasync(fd) != 0)
            written = false;
    }
    ::close(fd);
    // A history this append made but could not fill (a full disk) is not
    // left behind empty.
    if (created && !written)
        ::unlink(name.constData());
    return written;
}

} // namespace draw_history
