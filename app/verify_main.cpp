// prizmora-verify [--report FILE.pdf] [FOLDER]: checks the folder's draw
// record; 0 when every winner is computed again, 1 at the first entry that
// is not, 2 without a record (or for a wrong call, or a report not written).
#include "base/app_error.h"
#include "platform/qt/cjk_fonts.h"
#include "verify/draw_report.h"
#include "verify/record_check.h"
#include "verify/verify_texts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace {

void say(FILE* stream, const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char* argv[])
{
    const bool chinese = verify_texts::chineseLocale();
    QString folder;
    QString report;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--report") && i + 1 < argc && report.isEmpty()) {
            report = QString::fromLocal8Bit(argv[++i]);
        } else if (argument.startsWith(QLatin1Char('-')) || !folder.isEmpty()) {
            say(stderr, verify_texts::usage(chinese));
            return 2;
        } else {
            folder = argument;
        }
    }
    if (folder.isEmpty())
        folder = QStringLiteral(".");
    // The report needs fonts, never a screen: a terminal or a server has none.
    if (!report.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application =
        report.isEmpty() ? std::make_unique<QCoreApplication>(argc, argv)
                         : std::make_unique<QGuiApplication>(argc, argv);

    const record_check::Result result = record_check::checkFolder(folder);
    using Outcome = record_check::Result::Outcome;
    const bool verified = result.outcome == Outcome::Verified;
    say(verified ? stdout : stderr, verify_texts::resultLine(result, chinese));
    if (!verified)
        return result.outcome == Outcome::Broken ? 1 : 2;
    if (!report.isEmpty()) {
        const QString pdf = QFileInfo(report).absoluteFilePath();
        try {
            installCjkFontSubstitutions();
            QDir::setCurrent(folder); // the event's settings are the folder's
            draw_report::write(pdf, result,
                               draw_report::eventOfWorkingFolder(QDateTime::currentDateTime()));
        } catch (const AppError& error) {
            say(stderr, error.message());
            return 2;
        }
        say(stdout, verify_texts::reportWritten(pdf, chinese));
    }
    return 0;
}
