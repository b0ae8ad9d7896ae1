#pragma once

#include "base/app_error.h"

#include <QString>
#include <exception>

class QWidget;

inline constexpr char kApplicationTitle[] = "Prizmora";

// The error box text: the message, with "." appended when it is not empty and
// its last character sorts after ".".
QString errorReportText(const QString& message);

// Shows the error box: caption "Prizmora", critical icon, one OK button.
void reportError(QWidget* parent, const QString& message);

// Every handler runs through this, so an error it does not handle is reported
// and never crosses Qt's event loop; the program goes on with the next event.
template <typename Handler> void guarded(QWidget* parent, Handler&& handler)
{
    try {
        handler();
    } catch (const AppError& error) {
        reportError(parent, error.message());
    } catch (const std::exception& error) {
        reportError(parent, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportError(parent, QStringLiteral("Unknown error"));
    }
}
