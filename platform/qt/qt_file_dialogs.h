#pragma once

#include "platform/file_dialogs.h"

// Qt's own file dialogs, so they look and behave the same on every desktop.
class QtFileDialogs : public FileDialogs
{
  public:
    std::optional<QString> openFile(QWidget* parent, const QString& nameFilter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& proposedName,
                                    const QStringList& nameFilters) override;
    // Asks before replacing an existing file.
    std::optional<SaveChoice> saveFileOfType(QWidget* parent, const QString& proposedName,
                                             const QStringList& nameFilters) override;
};
