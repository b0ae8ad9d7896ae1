#include "ui/settings_window/import_gbk_check.h"

#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/characters_outside_gbk.h"
#include "ui/settings_window/import_texts.h"

bool confirmCharactersOutsideGbk(QWidget* parent, const QString& listText)
{
    const CharactersOutsideGbk found = findCharactersOutsideGbk(listText);
    if (found.count == 0)
        return true;
    const BoxRequest question = questionBox(
        import_texts::outsideGbkQuestion(found.count, found.lineCount, found.firstLines), true);
    return services().boxes->show(parent, question) == BoxAnswer::Yes;
}
