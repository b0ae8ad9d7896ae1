#pragma once

#include "base/line_splitting.h"
#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"
#include "ui/main_window/cou.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

// A real main window in a fresh working folder with a title picture, fake
// platform services and a fixed clock.
class MainWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QImage picture(700, 110, QImage::Format_RGB888);
        picture.fill(Qt::red);
        picture.save(dir.filePath("bg.jpg"), "JPG");
    }

    TForm1& window()
    {
        if (!window_)
            window_ = std::make_unique<TForm1>();
        return *window_;
    }
    template <typename T> T* control(const char* name)
    {
        T* found = window().findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }
    QString startStopText() { return button("btn3")->text(); }

    // One Start/Stop pair, one second after the previous one.
    void drawOne()
    {
        fakes.clock.time = fakes.clock.time.addSecs(1);
        button("btn3")->click();
        button("btn3")->click();
    }
    std::vector<QByteArray> results() { return splitIntoLines(dir.readFile("retotal.txt")); }

    void writeParticipants(int count)
    {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += G("员工") + QByteArray::number(i) + "\r\n";
        dir.writeFile("rafflixlist.txt", bytes);
    }

    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    std::unique_ptr<TForm1> window_;
};
