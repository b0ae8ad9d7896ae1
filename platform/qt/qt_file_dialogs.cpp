#include "platform/qt/qt_file_dialogs.h"

#include "platform/qt/box_owner.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

// Puts the chosen type's ending on a name typed without one before the
// dialog looks for a file of that name, so replacing one is always asked.
class SaveOfTypeDialog : public QFileDialog
{
  public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        static const QRegularExpression ending(QStringLiteral("\\*\\.(\\w+)"));
        setDefaultSuffix(ending.match(selectedNameFilter()).captured(1));
        QFileDialog::accept();
    }
};

void prepareSaveDialog(QFileDialog& dialog, const QString& name, const QStringList& nameFilters)
{
    dialog.setObjectName(name);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.value(0));
}

std::optional<QString> runDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // In front of the settings window too, like the boxes.
    if (ownerStaysOnTop(dialog.parentWidget()))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& nameFilter)
{
    QFileDialog dialog(boxOwner(parent));
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter);
    return runDialog(dialog);
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& proposedName,
                                               const QStringList& nameFilters)
{
    QFileDialog dialog(boxOwner(parent));
    prepareSaveDialog(dialog, QStringLiteral("saveDialog"), nameFilters);
    // The name is used exactly as the operator leaves it; replacing an
    // existing file asks nothing.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
    return runDialog(dialog);
}

std::optional<SaveChoice> QtFileDialogs::saveFileOfType(QWidget* parent,
                                                        const QString& proposedName,
                                                        const QStringList& nameFilters)
{
    SaveOfTypeDialog dialog(boxOwner(parent));
    prepareSaveDialog(dialog, QStringLiteral("saveTypeDialog"), nameFilters);
    dialog.selectFile(proposedName);
    const std::optional<QString> path = runDialog(dialog);
    if (!path)
        return std::nullopt;
    return SaveChoice{*path, static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter()))};
}
