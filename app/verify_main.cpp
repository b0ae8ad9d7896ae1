// prizmora-verify [--report FILE.pdf] [FOLDER]: checks the folder's draw
// record; 0 when every winner is computed again, 1 at the first entry that
// is not, 2 without a record (or for a wrong call).
#include "verify/record_check.h"
#include "verify/verify_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

void say(FILE* stream, const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const bool chinese = verify_texts::chineseLocale();
    QStringList arguments = application.arguments().mid(1);
    QString folder = QStringLiteral(".");
    QString report;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--report") && i + 1 < arguments.size()) {
            report = arguments[++i];
        } else if (arguments[i].startsWith(QLatin1Char('-')) || folder != QLatin1String(".")) {
            say(stderr, verify_texts::usage(chinese));
            return 2;
        } else {
            folder = arguments[i];
        }
    }
    const record_check::Result result = record_check::checkFolder(folder);
    using Outcome = record_check::Result::Outcome;
    say(result.outcome == Outcome::Verified ? stdout : stderr,
        verify_texts::resultLine(result, chinese));
    Q_UNUSED(report);
    return result.outcome == Outcome::Verified ? 0 : result.outcome == Outcome::Broken ? 1 : 2;
}
