#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// Modal file dialogs; nothing when the operator cancels.
class FileDialogs
{
  public:
    virtual ~FileDialogs() = default;
    // nameFilter as Qt writes it, e.g. "*.jpg (*.jpg)".
    virtual std::optional<QString> openFile(QWidget* parent, const QString& nameFilter) = 0;
    // The first filter is selected; no default suffix is added to the name.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& proposedName,
                                            const QStringList& nameFilters) = 0;
};
