#include "support/fake_services.h"

namespace {

std::optional<QString> nextAnswer(std::deque<QString>& answers)
{
    if (answers.empty())
        return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    return answer;
}

} // namespace

BoxAnswer RecordingMessageBoxes::show(QWidget*, const BoxRequest& request)
{
    shown.push_back(request);
    if (whileShown)
        whileShown(request);
    if (!request.yesNo)
        return BoxAnswer::Ok;
    if (answers.empty())
        return BoxAnswer::No;
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedFileDialogs::openFile(QWidget*, const QString& nameFilter)
{
    filtersSeen << nameFilter;
    return nextAnswer(answers);
}

std::optional<QString> ScriptedFileDialogs::saveFile(QWidget*, const QString& proposedName,
                                                     const QStringList& nameFilters)
{
    proposedNames << proposedName;
    filtersSeen << nameFilters.join(QStringLiteral(";;"));
    return nextAnswer(answers);
}

void RecordingSoundPlayer::play(const QByteArray& storedPath, unsigned flags)
{
    played.push_back({storedPath, flags});
}

ScopedFakeServices::ScopedFakeServices() : previous_(services())
{
    Services& current = services();
    current.boxes = &boxes;
    current.dialogs = &dialogs;
    current.sound = &sound;
    current.clock = &clock;
    current.desktop = &desktop;
}

ScopedFakeServices::~ScopedFakeServices()
{
    services() = previous_;
}
