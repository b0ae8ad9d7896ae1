#pragma once

#include "ui/settings_window/seti_rules.h"

#include <QWidget>

class ButtonEdit;
class ImportField;
class FileImportControls;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TForm1;

// The settings window with its four pages: basic settings, prizes,
// participant import and information. It is created hidden once, after the
// main window, fills its fields from the settings file then, and only hides
// when closed, so the fields keep their texts until the program ends.
class TForm2 : public QWidget
{
    Q_OBJECT
  public:
    explicit TForm2(TForm1* mainWindow);

    // Handlers; each throws on failure, the connections guard them.
    void FormCreate();
    void btn7Click(); // save the basic page
    void btn8Click(); // save the prize page
    void btn1Click(); // import participants
    void btn4PropertiesButtonClick();
    void btn5PropertiesButtonClick();
    void btn6PropertiesButtonClick();

  private:
    // After a save: says so when it ended a round holding winners, and how
    // to take it back.
    void tellIfTheRoundEnded();
    // Page layouts (seti_layout.cpp).
    void createWindow();
    void createBasicPage(QWidget* page);
    void createPrizePage(QWidget* page);
    void createImportPage(QWidget* page);
    void createInformationPage(QWidget* page);
    void setTabOrders();

    void installKeyFilters();
    void connectHandlers();
    void showPopupMenu(QWidget* source, const QPoint& at);
    bool cxtxtdt1KeyPress(QChar character);
    bool countFieldKeyPress(QLineEdit* field, QChar character);
    void choosePath(ButtonEdit* field, const QString& nameFilter);
    void mmo1Click();
    // A save would empty the results and the lists under a running draw.
    bool refusedWhileDrawing();
    program_settings::BasicSettings basicPage() const;
    program_settings::PrizeSettings prizePage() const;
    void showNotice(const QString& text, bool topMost = false);

    TForm1* mainWindow_;

    QTabWidget* pgc1 = nullptr;
    QWidget* ts1 = nullptr;
    QWidget* ts2 = nullptr;
    QWidget* ts3 = nullptr;
    QWidget* ts4 = nullptr;

    // Basic page.
    QLabel* lbl1 = nullptr;
    QLineEdit* cxtxtdt1 = nullptr;
    QLabel* lbl14 = nullptr;
    ButtonEdit* btn4 = nullptr;
    QLabel* lbl15 = nullptr;
    ButtonEdit* btn5 = nullptr;
    QLabel* lbl16 = nullptr;
    ButtonEdit* btn6 = nullptr;
    QPushButton* btn7 = nullptr;

    // Prize page: one count and one prize field per level, grand prize first.
    std::array<QLineEdit*, 6> countFields{};
    std::array<QLineEdit*, 6> prizeFields{};
    QLabel* lbl17 = nullptr;
    QComboBox* cbb1 = nullptr;
    QLabel* lbl18 = nullptr;
    QComboBox* cbb2 = nullptr;
    QLabel* lbl19 = nullptr;
    QPushButton* btn8 = nullptr;

    // Import and information pages.
    ImportField* mmo1 = nullptr;
    QLabel* lbl20 = nullptr;
    QPushButton* btn1 = nullptr;
    FileImportControls* fileImport_ = nullptr; // file button, participant count
    QPlainTextEdit* mmo2 = nullptr;
};
