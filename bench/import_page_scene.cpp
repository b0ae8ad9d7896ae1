#include "import_page_scene.h"

#include "ui/settings_window/seti_file_import.h"
#include "ui/settings_window/seti_import_field.h"

#include <QCoreApplication>

ImportPageScene::ImportPageScene()
{
    page_.resize(470, 230);
    field_ = new ImportField(&page_);
    field_->setGeometry(18, 24, 425, 153);
    field_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    field_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    importButton_ = new QPushButton(QStringLiteral("确定导入"), &page_);
    importButton_->setGeometry(368, 192, 75, 25);
    controls_ = new FileImportControls(&page_, field_, importButton_);
    resetField();
    page_.show();
    QCoreApplication::processEvents();
}

ImportPageScene::~ImportPageScene() = default;

void ImportPageScene::resetField()
{
    field_->setPlainText(QStringLiteral("每行一条数据，不能有空行（推荐格式:姓名 身份证号码）"));
    QCoreApplication::processEvents();
}

void ImportPageScene::importFile(const QString& path)
{
    fakes_.dialogs.answers.push_back(path);
    fakes_.boxes.answers.push_back(BoxAnswer::Yes); // a title row is left out
    page_.findChild<QPushButton*>(QStringLiteral("btnImportFile"))->click();
    while (controls_->isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Painted as the operator sees it.
    QCoreApplication::processEvents();
    fakes_.boxes.answers.clear();
}
