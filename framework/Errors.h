// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Error objects and the one place that reports them.
//
// Every handler the toolkit calls (click, key, menu command, timer tick,
// create, show, hide) runs through dispatch(). An Exception escaping the
// handler is handed to the current ErrorReporter and the event loop goes on,
// so no C++ exception ever crosses Qt's event loop. Errors that escape the
// start-up sequence itself are reported by reportStartupFailure() instead.

#include "framework/ScopedOverride.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>

namespace kestrava {

class Exception : public std::exception {
public:
    Exception(QString className, QString message);
    const QString& className() const { return className_; }
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    QString className_;
    QString message_;
    std::string what_;
};

// The error classes the game can meet. Messages are filled in by the thrower.
#define KESTRAVA_ERROR_CLASS(Name)                                       \
    class Name : public Exception {                                      \
    public:                                                              \
        explicit Name(const QString& message) : Exception(#Name, message) {} \
    };
KESTRAVA_ERROR_CLASS(EFOpenError)
KESTRAVA_ERROR_CLASS(EFCreateError)
KESTRAVA_ERROR_CLASS(EStringListError)
KESTRAVA_ERROR_CLASS(EConvertError)
KESTRAVA_ERROR_CLASS(EMCIDeviceError)
KESTRAVA_ERROR_CLASS(EOutOfResources)
#undef KESTRAVA_ERROR_CLASS

// The text a reported error shows: the message, with a period added when the
// message is not empty and its last character sorts after '.'.
QString reportText(const QString& message);

// The text the error box shows: reportText(message), and when that is longer
// than MaxErrorBoxText characters, its start and its end with an ellipsis
// between. A box lays out its whole text before it appears, and a message
// quoting a huge `score` line (megabytes of digits) would freeze the game
// for minutes. The box shows it as plain text, never as markup.
inline constexpr qsizetype MaxErrorBoxText = 300;
QString errorBoxText(const QString& message);

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const Exception& error) = 0;
};

// The reporter used by dispatch(). Starts as the message-box reporter;
// tests install a recording one with ScopedErrorReporter.
ErrorReporter& errorReporter();

class ScopedErrorReporter : public ScopedOverride<ErrorReporter*> {
public:
    explicit ScopedErrorReporter(ErrorReporter& reporter);
};

// Runs one event handler. An error escaping it is reported and swallowed;
// the handler's remaining steps are skipped. Anything that is not one of our
// error objects is reported as a generic Exception with its what() text.
void dispatch(const std::function<void()>& handler);

// The application title: the program file's name without directory, cut at
// its first '.', with every character after the first in lower case.
QString applicationTitle(const QString& programPath);

// The "Application Error" text for an error that escaped start-up.
QString startupFailureText(const Exception& error, const QString& programPath,
                           const void* address);

// Shows the "Application Error" box for an error that escaped start-up.
// The caller then ends the process with exit code 1.
void reportStartupFailure(const Exception& error, const QString& programPath);

}  // namespace kestrava
