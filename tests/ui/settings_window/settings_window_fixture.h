#pragma once

#include "storage/program_settings.h"
#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"
#include "ui/main_window/cou.h"
#include "ui/settings_window/seti.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// The real settings window over a real main window, in a fresh working
// directory with a readable title picture, every box and dialog faked.
class SettingsWindowTest : public ::testing::Test
{
  protected:
    SettingsWindowTest()
    {
        writePicture("bg.jpg");
        mainWindow = std::make_unique<TForm1>();
        window = std::make_unique<TForm2>(mainWindow.get());
        mainWindow->setSettingsWindow(window.get());
        fakes.boxes.shown.clear();
    }

    void writePicture(const QString& name) const
    {
        QImage picture(700, 110, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        if (!picture.save(dir.filePath(name), "JPG"))
            ADD_FAILURE() << "cannot write a JPEG picture";
    }

    template <typename T> T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }

    template <typename T> T* mainControl(const char* name) const
    {
        return mainWindow->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    }

    // One typed character, as a keyboard layout delivers it: Chinese ones too.
    static void typeCharacter(QWidget* field, QChar character)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &release);
    }

    static void typeText(QWidget* field, const QString& text)
    {
        for (QChar character : text)
            typeCharacter(field, character);
    }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const BoxRequest& box : fakes.boxes.shown)
            texts << box.text;
        return texts;
    }

    QByteArray settingsFile() const { return dir.readFile("rafflixset.ini"); }

    // The file a first start writes, with some values replaced (keys are
    // unique across both sections).
    static QByteArray defaultFileWith(const std::map<QByteArray, QByteArray>& replaced = {})
    {
        QByteArray content;
        QByteArray section;
        for (const program_settings::SettingValue& setting : program_settings::defaultSettings()) {
            if (setting.section != section) {
                section = setting.section;
                content += '[' + section + "]\r\n";
            }
            const auto replacement = replaced.find(setting.key);
            content += setting.key + '=' +
                       (replacement == replaced.end() ? setting.value : replacement->second) +
                       "\r\n";
        }
        return content;
    }

    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    std::unique_ptr<TForm1> mainWindow;
    std::unique_ptr<TForm2> window; // a child of the main window, destroyed first
};
