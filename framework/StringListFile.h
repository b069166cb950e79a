// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The string-list file: plain 8-bit text, one value per line.
//
// Reading: a line ends at CR, LF or CR LF (an LF followed by a CR is two
// breaks, so an empty line lies between); a break after the last line adds
// no empty line; a NUL byte ends the text; spaces stay in the line.
// Writing: every line, the last one included, is followed by CR LF; an empty
// list writes an empty file. Bytes map to characters one to one (Latin-1), so
// any file round-trips unchanged.
//
// All file access goes through FileSystem, so tests can run in a temporary
// folder or inject faults.

#include "framework/ScopedOverride.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestrava {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file. Throws EFOpenError "Cannot open file <name>" when the
    // file cannot be opened or read (missing, a directory, no permission).
    virtual QByteArray readFile(const QString& name) = 0;
    // Replaces the file with `bytes`. The new content is written to a
    // temporary file in the same folder and renamed over `name`, so the file
    // always holds either its old or its new content, whole. Throws
    // EFCreateError "Cannot create file <name>" when that fails; the old file
    // then stays as it was.
    virtual void writeFile(const QString& name, const QByteArray& bytes) = 0;
};

// The file system the string-list operations use; the real one unless a test
// installed another with ScopedFileSystem.
FileSystem& fileSystem();

class ScopedFileSystem : public ScopedOverride<FileSystem*> {
public:
    explicit ScopedFileSystem(FileSystem& fs);
};

QStringList parseLines(const QByteArray& bytes);
QByteArray formatLines(const QStringList& lines);

// Reads `fileName` (relative names resolve against the working directory).
QStringList loadStringList(const QString& fileName);
// Writes `lines` to `fileName`, replacing it.
void saveStringList(const QString& fileName, const QStringList& lines);

}  // namespace kestrava
