#pragma once

#include "platform/clock.h"
#include "platform/desktop_environment.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "platform/sound_player.h"

#include <QByteArray>
#include <QDateTime>
#include <deque>
#include <functional>
#include <vector>

// Records every box; answers Yes/No questions from a queue (No when empty).
class RecordingMessageBoxes : public MessageBoxes
{
  public:
    BoxAnswer show(QWidget* parent, const BoxRequest& request) override;

    std::vector<BoxRequest> shown;
    std::deque<BoxAnswer> answers;
    // Runs inside the box, as a modal loop would let other events run.
    std::function<void(const BoxRequest&)> whileShown;
};

// Answers each dialog from a queue of chosen paths; a null string cancels.
class ScriptedFileDialogs : public FileDialogs
{
  public:
    std::optional<QString> openFile(QWidget* parent, const QString& nameFilter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& proposedName,
                                    const QStringList& nameFilters) override;

    std::deque<QString> answers;
    QStringList filtersSeen;
    QStringList proposedNames;
};

struct PlayedSound
{
    QByteArray path;
    unsigned flags;
};

class RecordingSoundPlayer : public SoundPlayer
{
  public:
    void play(const QByteArray& storedPath, unsigned flags) override;
    std::vector<PlayedSound> played;
};

class FixedClock : public Clock
{
  public:
    QDateTime now() const override { return time; }
    std::optional<quint64> performanceCounter() const override { return counter; }
    quint32 tickCount() const override { return ticks; }

    QDateTime time = QDateTime(QDate(2011, 1, 30), QTime(14, 30, 5));
    std::optional<quint64> counter = 12345;
    quint32 ticks = 678;
};

class FakeDesktopEnvironment : public DesktopEnvironment
{
  public:
    QString desktopFolder() const override { return folder; }
    QString executablePath() const override { return executable; }

    QString folder;
    QString executable = QStringLiteral("/opt/prizmora/bin/prizmora");
};

// Installs the fakes for the lifetime of the object and restores the
// previous services afterwards.
class ScopedFakeServices
{
  public:
    ScopedFakeServices();
    ~ScopedFakeServices();

    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    RecordingSoundPlayer sound;
    FixedClock clock;
    FakeDesktopEnvironment desktop;

  private:
    Services previous_;
};
