#include "ui/settings_window/seti.h"

#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "draw/round_recovery.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/program_settings.h"
#include "ui/guard/guarded_connect.h"
#include "ui/input/first_line_only.h"
#include "ui/input/typed_character_filter.h"
#include "ui/main_window/cou.h"
#include "ui/main_window/round_controls.h"
#include "ui/settings_window/button_edit.h"
#include "ui/settings_window/import_field_edits.h"
#include "ui/settings_window/import_gbk_check.h"
#include "ui/settings_window/import_text.h"
#include "ui/settings_window/seti_file_import.h"
#include "ui/settings_window/seti_import_field.h"
#include "ui/settings_window/seti_stage_page.h"
#include "ui/settings_window/seti_texts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

using namespace seti_rules;
using program_settings::BasicSettings;
using program_settings::PrizeSettings;

TForm2::TForm2(TForm1* mainWindow) : QWidget(mainWindow, Qt::Window), mainWindow_(mainWindow)
{
    createWindow();
    installKeyFilters();
    connectHandlers();
    guarded(this, [this] { FormCreate(); });
}

void TForm2::installKeyFilters()
{
    cxtxtdt1->installEventFilter(new TypedCharacterFilter(
        this, [this](QObject*, QChar character) { return cxtxtdt1KeyPress(character); }));

    auto* digitsOnly = new TypedCharacterFilter(this, [this](QObject* field, QChar character) {
        return countFieldKeyPress(static_cast<QLineEdit*>(field), character);
    });
    for (QLineEdit* field : countFields)
        field->installEventFilter(digitsOnly);

    for (QLineEdit* field : findChildren<QLineEdit*>())
        FirstLineOnly::install(field);

    auto* discardTyping = new TypedCharacterFilter(this);
    for (QObject* field : {static_cast<QObject*>(btn4), static_cast<QObject*>(btn5),
                           static_cast<QObject*>(btn6), static_cast<QObject*>(cbb1),
                           static_cast<QObject*>(cbb1->lineEdit()), static_cast<QObject*>(mmo2)})
        field->installEventFilter(discardTyping);
}

void TForm2::connectHandlers()
{
    auto bind = [this](auto* sender, auto signal, void (TForm2::*handler)()) {
        connectGuarded(sender, signal, this, this, [this, handler] { (this->*handler)(); });
    };
    bind(btn7, &QPushButton::clicked, &TForm2::btn7Click);
    bind(btn8, &QPushButton::clicked, &TForm2::btn8Click);
    bind(btn1, &QPushButton::clicked, &TForm2::btn1Click);
    bind(btn4, &ButtonEdit::buttonClicked, &TForm2::btn4PropertiesButtonClick);
    bind(btn5, &ButtonEdit::buttonClicked, &TForm2::btn5PropertiesButtonClick);
    bind(btn6, &ButtonEdit::buttonClicked, &TForm2::btn6PropertiesButtonClick);
    bind(mmo1, &ImportField::clicked, &TForm2::mmo1Click);
}

void TForm2::FormCreate()
{
    auto fill = [](QLineEdit* field, const QByteArray& value) {
        field->setText(gbk::decode(value));
    };
    const BasicSettings basic = program_settings::readBasic();
    fill(cxtxtdt1, basic.title);
    fill(btn4, basic.picture);
    fill(btn5, basic.startMusic);
    fill(btn6, basic.stopMusic);
    const PrizeSettings prizes = program_settings::readPrizes();
    for (size_t index = 0; index < countFields.size(); ++index)
        fill(countFields[index], prizes.counts[index]);
    for (size_t index = 0; index < prizeFields.size(); ++index)
        fill(prizeFields[index], prizes.prizes[index]);
    cbb1->setCurrentIndex(yesNoIndex(prizes.repeat));
    cbb2->setCurrentIndex(yesNoIndex(prizes.showPrizes));
}

BasicSettings TForm2::basicPage() const
{
    return BasicSettings{gbk::encode(cxtxtdt1->text()), gbk::encode(btn4->text()),
                         gbk::encode(btn5->text()), gbk::encode(btn6->text())};
}

PrizeSettings TForm2::prizePage() const
{
    PrizeSettings page;
    for (size_t index = 0; index < countFields.size(); ++index) {
        page.counts[index] = gbk::encode(countFields[index]->text());
        page.prizes[index] = gbk::encode(prizeFields[index]->text());
    }
    page.repeat = gbk::encode(cbb1->currentText());
    page.showPrizes = gbk::encode(cbb2->currentText());
    return page;
}

bool TForm2::refusedWhileDrawing()
{
    if (!mainWindow_ || !mainWindow_->isDrawRunning())
        return false;
    services().boxes->show(this, noticeBox(settings_texts::drawRunning()));
    return true;
}

void TForm2::btn7Click()
{
    if (refusedWhileDrawing())
        return;
    const BasicSettings page = basicPage();
    if (const std::optional<QString> problem = basicPageProblem(page)) {
        services().boxes->show(this, warningBox(*problem));
        return;
    }
    program_settings::writeBasic(page);
    mainWindow_->loadMainWindowState();
    services().boxes->show(this, noticeBox(settings_texts::saved()));
    tellIfTheRoundEnded();
}

void TForm2::btn8Click()
{
    if (refusedWhileDrawing())
        return;
    const PrizeSettings page = prizePage();
    if (const std::optional<QString> problem = prizePageProblem(page)) {
        services().boxes->show(this, warningBox(*problem));
        return;
    }
    program_settings::writePrizes(page);
    mainWindow_->loadMainWindowState();
    services().boxes->show(this, noticeBox(settings_texts::saved()));
    tellIfTheRoundEnded();
}

void TForm2::tellIfTheRoundEnded()
{
    if (const int winners = mainWindow_->roundControls()->winnersEndedBySave(); winners > 0)
        services().boxes->show(this, noticeBox(round_recovery::roundEndedBySave(winners)));
}

void TForm2::btn1Click()
{
    if (mmo1->document()->isEmpty()) {
        services().boxes->show(this, warningNoticeBox(settings_texts::importEmpty()));
        return;
    }
    const bool fileListUnchanged = fileImport_->fieldHoldsFileList();
    import_text::removeEmptyLines(*mmo1->document());
    const QString cleaned = mmo1->toPlainText();
    if (!confirmCharactersOutsideGbk(this, cleaned))
        return;

    // Written beside the old list and renamed over it, so a failed import
    // leaves the earlier participants exactly as they were.
    bool written = false;
    try {
        written = writeFileAtomically(QLatin1String(working_files::kParticipants),
                                      import_text::participantFileBytes(cleaned))
                      .ok();
    } catch (const std::exception&) {
        written = false;
    }
    fileImport_->refreshCount();
    if (!written) {
        services().boxes->show(this, warningNoticeBox(settings_texts::importFailed()));
        return;
    }
    fileImport_->listSaved(fileListUnchanged);
    services().boxes->show(this, noticeBox(settings_texts::importDone()));
    askToHidePersonalNumbers(this, mainWindow_, gbk::encode(cleaned));
}

void TForm2::choosePath(ButtonEdit* field, const QString& nameFilter)
{
    const std::optional<QString> chosen = services().dialogs->openFile(this, nameFilter);
    if (chosen)
        field->setText(file_paths::fullPath(*chosen));
}

void TForm2::btn4PropertiesButtonClick()
{
    choosePath(btn4, QStringLiteral("*.jpg (*.jpg)"));
}

void TForm2::btn5PropertiesButtonClick()
{
    choosePath(btn5, settings_texts::musicFilter());
}

void TForm2::btn6PropertiesButtonClick()
{
    choosePath(btn6, settings_texts::musicFilter());
}

bool TForm2::cxtxtdt1KeyPress(QChar character)
{
    if (titleAcceptsCharacter(gbk::encode(cxtxtdt1->text()), character))
        return true;
    showNotice(settings_texts::titleFull(), true);
    return false;
}

bool TForm2::countFieldKeyPress(QLineEdit* field, QChar character)
{
    const int caret = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
    const CountCharacter decision = countFieldDecision(caret, character);
    if (decision == CountCharacter::Accepted)
        return true;
    showNotice(countFieldRefusalText(decision), true);
    return false;
}

void TForm2::showNotice(const QString& text, bool topMost)
{
    guarded(this, [&] { services().boxes->show(this, noticeBox(text, topMost)); });
}

void TForm2::mmo1Click()
{
    // Ctrl+Z brings back a list cleared by a click meant to scroll.
    import_field_edits::clearUndoably(*mmo1);
}

void TForm2::showPopupMenu(QWidget* source, const QPoint& at)
{
    // Through the main window, so the menu knows no results line is meant.
    if (mainWindow_)
        mainWindow_->showPopupMenu(source->mapToGlobal(at));
}
