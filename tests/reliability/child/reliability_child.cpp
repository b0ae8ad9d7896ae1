// A helper process for the reliability tests. Each mode works in the folder
// it is given and does one kind of write in an endless loop, as the program
// would, until the test kills it; "ready" on stdout says the loop has begun.
//
//   results <folder>           records winners through the draw command
//   settings <folder> <next>   writes the two value sets of crash_sets.h one
//                              key at a time, starting at write <next>
//   import <folder>            replaces the participant file with the two
//                              lists of crash_sets.h in turn
//   write-probe <folder>       tries each kind of write once and prints the
//                              outcome (run as an unprivileged user)
//   settings-probe <folder>    writes one key to the settings file there and
//                              prints the outcome (run as an unprivileged user)

#include "../crash_sets.h"
#include "base/app_error.h"
#include "base/atomic_file.h"
#include "draw/draw_command.h"
#include "draw/fake_draw_surface.h"
#include "storage/settings_file.h"
#include "storage/text_line_list.h"
#include "support/fake_services.h"

#include <QDir>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void announceReady()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

[[noreturn]] void recordWinnersForever()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    ScopedFakeServices fakes;
    FakeDrawSurface surface;
    DrawSettings settings = crash_sets::drawSettings();
    TextLineList participants;
    TextLineList results;
    TextLineList levelPrefixes;
    QByteArray currentWinner;
    DrawContext context{surface, settings, participants, results, levelPrefixes, currentWinner};
    announceReady();
    for (;;) {
        runStartStop(context); // Start: loads the results recorded so far
        fakes.clock.time = crash_sets::pickTimeForWinner(results.count());
        runStartStop(context); // Stop: records the next winner
        // Keep the fakes' records from growing without end.
        fakes.sound.played.clear();
        surface.notices.clear();
        surface.resultLines.clear();
    }
}

[[noreturn]] void writeSettingsForever(int next)
{
    const std::vector<crash_sets::SettingsWrite> writes = crash_sets::settingsWrites();
    announceReady();
    for (size_t i = static_cast<size_t>(next);; i = (i + 1) % writes.size())
        writeSetting(writes[i].section, writes[i].key, writes[i].value);
}

[[noreturn]] void importForever()
{
    const QByteArray lists[2] = {crash_sets::participantList(0), crash_sets::participantList(1)};
    announceReady();
    for (int i = 0;; i = 1 - i) {
        if (!writeFileAtomically(QLatin1String(working_files::kParticipants), lists[i]).ok())
            std::abort();
    }
}

template <typename Write> void probe(const char* name, Write&& write)
{
    try {
        write();
        std::printf("%s: ok\n", name);
    } catch (const AppError& error) {
        std::printf("%s: %s\n", name, error.message().toUtf8().constData());
    }
}

int writeProbe()
{
    probe("new settings", [] { writeSetting("s", "k", "v"); });
    probe("existing settings",
          [] { SettingsFile(QStringLiteral("existing.ini")).write("s", "k", "v"); });
    probe("new results", [] { TextLineList().save(QStringLiteral("retotal.txt")); });
    probe("existing results", [] { TextLineList().save(QStringLiteral("existing.txt")); });
    probe("participants", [] {
        TextLineList list;
        list.load(QStringLiteral("existing.txt"));
    });
    return 0;
}

int settingsProbe()
{
    probe("settings", [] { writeSetting("s", "k", "v"); });
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || !QDir::setCurrent(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "usage: %s results|settings|import|write-probe <folder> [next]\n",
                     argv[0]);
        return 2;
    }
    const char* mode = argv[1];
    if (std::strcmp(mode, "results") == 0)
        recordWinnersForever();
    if (std::strcmp(mode, "settings") == 0)
        writeSettingsForever(argc > 3 ? std::atoi(argv[3]) : 0);
    if (std::strcmp(mode, "import") == 0)
        importForever();
    if (std::strcmp(mode, "write-probe") == 0)
        return writeProbe();
    if (std::strcmp(mode, "settings-probe") == 0)
        return settingsProbe();
    return 2;
}
