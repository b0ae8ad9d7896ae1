#pragma once

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/line_splitting.h"
#include "base/working_files.h"
#include "draw/draw_harness.h"
#include "ui/main_window/main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <gtest/gtest.h>
#include <unistd.h>

// The message a step fails with; a null string when it succeeds.
template <typename Step> QString errorOf(Step&& step)
{
    try {
        step();
    } catch (const AppError& error) {
        return error.message();
    }
    return QString();
}

// "Cannot open file "<full path>". <system reason>" with a reason given.
inline ::testing::AssertionResult isOpenError(const QString& message, const QString& path)
{
    const QString prefix =
        QStringLiteral("Cannot open file \"%1\". ").arg(file_paths::fullPath(path));
    if (message.startsWith(prefix) && message.size() > prefix.size())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << message.toStdString();
}

inline ::testing::AssertionResult isCreateError(const QString& message, const QString& path)
{
    const QString prefix =
        QStringLiteral("Cannot create file \"%1\". ").arg(file_paths::fullPath(path));
    if (message.startsWith(prefix) && message.size() > prefix.size())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << message.toStdString();
}

inline std::vector<QByteArray> numbered(int count, const QByteArray& stem = "P")
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(stem + QByteArray::number(i));
    return lines;
}

inline void makeReadOnlyFolder(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                    QFileDevice::ReadOther | QFileDevice::ExeOther);
}

// A real main window in a fresh folder holding a title picture.
class StartUpTest : public MainWindowTest
{
  protected:
    // The texts of the boxes shown so far.
    QStringList boxTexts() const
    {
        QStringList texts;
        for (const BoxRequest& box : fakes.boxes.shown)
            texts << box.text;
        return texts;
    }
};
