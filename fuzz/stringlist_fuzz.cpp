// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the string-list reader with arbitrary file bytes.
//
// Besides the sanitizers' own checks, every input is held to two oracles:
// - a second, deliberately naive reading of the same bytes (cut at the
//   first NUL, turn CR LF and then every lone CR into LF, split at LF, drop
//   the empty piece a final break leaves) must give the same lines;
// - writing the lines and reading them back must give them unchanged, so a
//   load followed by a save never alters what the player sees.
// A mismatch aborts, which libFuzzer reports as a finding.

#include "framework/StringListFile.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QStringList naiveReading(const QByteArray& bytes) {
    QByteArray text = bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0'));
    if (text.isEmpty())
        return {};
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> pieces = text.split('\n');
    if (text.endsWith('\n'))
        pieces.removeLast();
    QStringList lines;
    for (const QByteArray& piece : pieces)
        lines.append(QString::fromLatin1(piece));
    return lines;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "string-list reader: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = kestrava::parseLines(bytes);
    if (lines != naiveReading(bytes))
        fail("lines differ from the naive reading");
    for (const QString& line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')) ||
            line.contains(QChar(0)))
            fail("a line holds a break or a NUL");
    }
    if (kestrava::parseLines(kestrava::formatLines(lines)) != lines)
        fail("writing and reading back changed the lines");
    return 0;
}
