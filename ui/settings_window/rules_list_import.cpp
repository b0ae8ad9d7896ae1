#include "ui/settings_window/rules_list_import.h"

#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/list_file_reader.h"
#include "ui/guard/guarded_connect.h"
#include "ui/settings_window/import_field_edits.h"
#include "ui/settings_window/import_texts.h"
#include "ui/settings_window/seti_file_import.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTextCursor>

namespace rules_list_import {

QPushButton* addButton(QWidget* tab, QPlainTextEdit* field, Into into)
{
    auto* button = new QPushButton(QStringLiteral("导入..."), tab);
    button->setObjectName(field->objectName() + QStringLiteral("Import"));
    button->setGeometry(field->x() + field->width() - 75, 4, 75, 24);
    button->setAutoDefault(false);
    connectGuarded(button, &QPushButton::clicked, field, tab,
                   [field, into] { importInto(*field, into); });
    return button;
}

void importInto(QPlainTextEdit& field, Into into)
{
    QWidget* window = field.window();
    const std::optional<QString> chosen =
        services().dialogs->openFile(window, import_texts::openFilters());
    if (!chosen)
        return;
    list_file_reader::ListFile file = list_file_reader::read(*chosen);
    if (file.problem == list_file_reader::Problem::None && file.firstLineLooksLikeTitles) {
        const BoxRequest question =
            questionBox(import_texts::titleRowQuestion(file.lines.first()), false);
        if (services().boxes->show(window, question) == BoxAnswer::Yes)
            file.lines.removeFirst();
        if (file.lines.isEmpty())
            file.problem = list_file_reader::Problem::Empty;
    }
    if (file.problem != list_file_reader::Problem::None) {
        services().boxes->show(
            window, warningNoticeBox(listFileProblemText(file, QFileInfo(*chosen).fileName())));
        return;
    }
    const QStringList lines = file.lines.toList();
    if (into == Into::Replace) {
        import_field_edits::replaceUndoably(field, lines.join(QLatin1Char('\n')));
        return;
    }
    const QString text = field.toPlainText();
    QSet<QString> present;
    for (const QString& line : text.split(QLatin1Char('\n')))
        present.insert(line.trimmed());
    QString added; // each line after a break
    for (const QString& line : lines) {
        if (present.contains(line.trimmed()))
            continue;
        present.insert(line.trimmed());
        added += QLatin1Char('\n') + line;
    }
    if (added.isEmpty())
        return;
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        added.remove(0, 1);
    QTextCursor end(field.document());
    end.movePosition(QTextCursor::End);
    end.insertText(added); // one step Ctrl+Z takes back
    field.setTextCursor(end);
}

} // namespace rules_list_import
