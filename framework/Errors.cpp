// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Errors.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

namespace kestrava {

Exception::Exception(QString className, QString message)
    : className_(std::move(className)),
      message_(std::move(message)),
      what_((className_ + QStringLiteral(": ") + message_).toStdString()) {}

QString reportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString errorBoxText(const QString& message) {
    const QString text = reportText(message);
    if (text.size() <= MaxErrorBoxText)
        return text;
    const qsizetype half = MaxErrorBoxText / 2;
    return text.left(half) + QChar(u'\u2026') + text.right(half);
}

namespace {

class MessageBoxReporter : public ErrorReporter {
public:
    void report(const Exception& error) override {
        // A modal box runs its own loop: timers keep ticking behind it, so a
        // handler that keeps failing can put up one more box per tick.
        QMessageBox box(QMessageBox::Critical,
                        applicationTitle(QCoreApplication::applicationFilePath()),
                        errorBoxText(error.message()), QMessageBox::Ok,
                        QApplication::activeWindow());
        // Messages quote file content: "<b>7</b>" must read as it stands.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
};

MessageBoxReporter& messageBoxReporter() {
    static MessageBoxReporter reporter;
    return reporter;
}

ErrorReporter* currentReporter = nullptr;

}  // namespace

ErrorReporter& errorReporter() {
    return currentReporter ? *currentReporter : messageBoxReporter();
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter& reporter)
    : ScopedOverride(currentReporter, &reporter) {}

void dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Exception& error) {
        errorReporter().report(error);
    } catch (const std::exception& error) {
        errorReporter().report(Exception(QStringLiteral("Exception"),
                                         QString::fromLocal8Bit(error.what())));
    }
}

QString applicationTitle(const QString& programPath) {
    QString name = QFileInfo(programPath).fileName();
    name = name.section(QLatin1Char('.'), 0, 0);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString startupFailureText(const Exception& error, const QString& programPath,
                           const void* address) {
    const QString module = QFileInfo(programPath).fileName();
    const QString message = error.message();
    const QString tail =
        (!message.isEmpty() && !message.endsWith(QLatin1Char('.'))) ? QStringLiteral(".")
                                                                    : QString();
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4%5")
        .arg(error.className(), module,
             QStringLiteral("%1").arg(reinterpret_cast<quintptr>(address), 8, 16,
                                      QLatin1Char('0')).toUpper(),
             message, tail);
}

void reportStartupFailure(const Exception& error, const QString& programPath) {
    const QString text = startupFailureText(error, programPath, &error);
    // The box is for the player at the desktop; the same line on stderr is
    // for whoever started the game from a terminal or a script.
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), text,
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace kestrava
