// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/StringListFile.h"

#include "framework/Errors.h"

#include <QFile>
#include <QSaveFile>

namespace kestrava {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kTextEnd = '\0';
const QByteArray kLineBreak = "\r\n";

EFOpenError openError(const QString& name) {
    return EFOpenError(QStringLiteral("Cannot open file ") + name);
}

// The disk itself. QSaveFile writes to a sibling temporary file, copies an
// existing target's permission bits onto it and renames it over the target
// on commit; a temporary file that is not committed is removed, leaving the
// target untouched.
class RealFileSystem : public FileSystem {
public:
    QByteArray readFile(const QString& name) override {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            throw openError(name);
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw openError(name);
        return bytes;
    }

    // The explicit flush matters: QSaveFile buffers the bytes, and a short
    // write during commit()'s own flush (a full disk) is not noticed there,
    // so the truncated file would be renamed over the old one.
    void writeFile(const QString& name, const QByteArray& bytes) override {
        QSaveFile file(name);
        const bool written = file.open(QIODevice::WriteOnly) &&
                             file.write(bytes) == bytes.size() && file.flush() &&
                             file.commit();
        if (!written)
            throw EFCreateError(QStringLiteral("Cannot create file ") + name);
    }
};

FileSystem* installed = nullptr;

bool isLineBreak(char c) { return c == kCarriageReturn || c == kLineFeed; }

// The position just past the break starting at `pos`: CR LF is one break,
// a lone CR or LF is one break, and LF CR is two (only the LF is taken).
qsizetype skipLineBreak(const QByteArray& text, qsizetype pos) {
    const bool crLf = text[pos] == kCarriageReturn && pos + 1 < text.size() &&
                      text[pos + 1] == kLineFeed;
    return pos + (crLf ? 2 : 1);
}

}  // namespace

FileSystem& fileSystem() {
    static RealFileSystem real;
    return installed ? *installed : real;
}

ScopedFileSystem::ScopedFileSystem(FileSystem& fs) : ScopedOverride(installed, &fs) {}

QStringList parseLines(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf(kTextEnd);
    const QByteArray text = end < 0 ? bytes : bytes.left(end);
    QStringList lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype start = pos;
        while (pos < text.size() && !isLineBreak(text[pos]))
            ++pos;
        lines.append(QString::fromLatin1(text.mid(start, pos - start)));
        if (pos < text.size())
            pos = skipLineBreak(text, pos);
    }
    return lines;
}

QByteArray formatLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += kLineBreak;
    }
    return bytes;
}

QStringList loadStringList(const QString& fileName) {
    return parseLines(fileSystem().readFile(fileName));
}

void saveStringList(const QString& fileName, const QStringList& lines) {
    fileSystem().writeFile(fileName, formatLines(lines));
}

}  // namespace kestrava
