#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// A saved file's name and the type chosen for it in the dialog.
struct SaveChoice
{
    QString path;
    int filterIndex = -1; // into the name filters; -1 when the dialog does not tell
};

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
    // The same, telling which of the filters the operator left chosen.
    virtual std::optional<SaveChoice> saveFileOfType(QWidget* parent, const QString& proposedName,
                                                     const QStringList& nameFilters)
    {
        const std::optional<QString> path = saveFile(parent, proposedName, nameFilters);
        if (!path)
            return std::nullopt;
        return SaveChoice{*path, -1};
    }
};
