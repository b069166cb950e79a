// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Errors.h"
#include "framework/StringListFile.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace kestrava;

namespace {

// Builds bytes from a literal that may hold NULs.
template <std::size_t N>
QByteArray bytesOf(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

struct ParseCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

const ParseCase kParseCases[] = {
    {"empty file", "", {}},
    {"no final break", "1230", {"1230"}},
    {"CR LF", "1230\r\n77\r\n", {"1230", "77"}},
    {"lone CR", "a\rb\r", {"a", "b"}},
    {"lone LF", "a\nb\n", {"a", "b"}},
    {"mixed breaks", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
    {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
    {"LF CR at the end", "a\n\r", {"a", ""}},
    {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
    {"only a break", "\r\n", {""}},
    {"two breaks", "\r\n\r\n", {"", ""}},
    {"NUL at start", bytesOf("\0abc\r\n"), {}},
    {"NUL in a line", bytesOf("ab\0cd\r\nef\r\n"), {"ab"}},
    {"NUL after a break", bytesOf("ab\r\n\0cd"), {"ab"}},
    {"spaces and tabs kept", "  7 \r\n\t x\t\r\n", {"  7 ", "\t x\t"}},
    {"bytes above 127", "\xE9\xFF\x80\r\n", {QStringLiteral(u"\u00E9\u00FF\u0080")}},
};

TEST(ParseLines, SplitsAtEveryBreakForm) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseLines(c.bytes), c.lines);
    }
}

TEST(FormatLines, EndsEveryLineWithCrLf) {
    EXPECT_EQ(formatLines({}), QByteArray());
    EXPECT_EQ(formatLines({"0000"}), QByteArray("0000\r\n"));
    EXPECT_EQ(formatLines({"77", "", "0000"}), QByteArray("77\r\n\r\n0000\r\n"));
    EXPECT_EQ(formatLines({QStringLiteral(u" \u00E9 ")}), QByteArray(" \xE9 \r\n"));
}

TEST(FormatLines, EveryByteButBreaksAndNulRoundTrips) {
    QByteArray line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    }
    const QByteArray file = line + "\r\n" + line.left(10) + "\r\n";
    const QStringList lines = parseLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), line.size());
    EXPECT_EQ(formatLines(lines), file);
}

// Runs each test in a fresh folder made the working directory, as the game
// opens its files by relative name; the old working directory comes back after.
class InTemporaryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    static void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray readBytes(const QString& name) {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }
    // Everything in the folder, hidden files included, so a leftover
    // temporary file shows up.
    static QStringList entries() {
        return QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
    }

private:
    QString previous_ = QDir::currentPath();
    QTemporaryDir folder_;
};

template <typename Error, typename Action>
void expectError(Action action, const QString& className, const QString& message) {
    try {
        action();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.className(), className);
        EXPECT_EQ(error.message(), message);
    }
}

void expectOpenError(const QString& name) {
    expectError<EFOpenError>([&] { loadStringList(name); }, "EFOpenError",
                             "Cannot open file " + name);
}

void expectCreateError(const QString& name, const QStringList& lines) {
    expectError<EFCreateError>([&] { saveStringList(name, lines); }, "EFCreateError",
                               "Cannot create file " + name);
}

TEST_F(InTemporaryFolder, LoadOfAMissingFileNamesItAsPassed) {
    expectOpenError("score");
    expectOpenError("./score");
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(InTemporaryFolder, SaveThenLoadGivesTheSameLines) {
    saveStringList("score", {"77", "0000"});
    EXPECT_EQ(readBytes("score"), QByteArray("77\r\n0000\r\n"));
    EXPECT_EQ(loadStringList("score"), (QStringList{"77", "0000"}));
}

TEST_F(InTemporaryFolder, SaveOfAnEmptyListWritesAnEmptyFile) {
    writeBytes("score", "1230\r\n");
    saveStringList("score", {});
    EXPECT_EQ(readBytes("score"), QByteArray());
    EXPECT_EQ(loadStringList("score"), QStringList());
}

TEST_F(InTemporaryFolder, ADirectoryNamedScoreCanBeNeitherLoadedNorSaved) {
    ASSERT_TRUE(QDir::current().mkdir("score"));
    expectOpenError("score");
    expectCreateError("score", {"0000"});
    EXPECT_TRUE(QFileInfo("score").isDir());
    EXPECT_EQ(entries(), QStringList{"score"});
}

TEST_F(InTemporaryFolder, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile) {
    writeBytes("score", "123456789\r\nold second line\r\n");
    QFile oldFile("score");
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));

    saveStringList("score", {"0"});

    EXPECT_EQ(readBytes("score"), QByteArray("0\r\n"));
    // A reader that opened the file before the save still sees the old
    // content: the new file was renamed in, not written over the old one.
    EXPECT_EQ(oldFile.readAll(), QByteArray("123456789\r\nold second line\r\n"));
    EXPECT_EQ(entries(), QStringList{"score"});
}

TEST_F(InTemporaryFolder, SaveKeepsTheFilesPermissionBits) {
    // The bits stored on disk; the "User" ones only tell what this process may do.
    const auto storedBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                            QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const auto ownerReadWriteGroupRead = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    writeBytes("score", "1230\r\n");
    ASSERT_TRUE(QFile::setPermissions("score", ownerReadWriteGroupRead));
    saveStringList("score", {"0000"});
    EXPECT_EQ(QFile::permissions("score") & storedBits, ownerReadWriteGroupRead);
}

// Lowers the largest file this process may write, so that writes past it fail
// as on a full disk. SIGXFSZ is ignored meanwhile, turning the signal into a
// plain write error. Both are restored on destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        applied_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool applied() const { return applied_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool applied_ = false;
};

TEST_F(InTemporaryFolder, AFullDiskLeavesTheOldFileByteIdentical) {
    const QByteArray old = "1230\r\nkept\r\n";
    writeBytes("score", old);
    QString message;
    {
        // Nothing is printed while the limit holds: test output going to a
        // file would hit it too. A failed ASSERT means no limit was set.
        FileSizeLimit limit(4);
        ASSERT_TRUE(limit.applied());
        try {
            saveStringList("score", {"a line longer than the limit"});
        } catch (const EFCreateError& error) {
            message = error.message();
        }
    }
    EXPECT_EQ(message, QStringLiteral("Cannot create file score"));
    EXPECT_EQ(readBytes("score"), old);
    EXPECT_EQ(entries(), QStringList{"score"});
}

bool runningAsRoot() { return geteuid() == 0; }

TEST_F(InTemporaryFolder, AReadOnlyFolderLeavesTheOldFileByteIdentical) {
    if (runningAsRoot())
        GTEST_SKIP() << "root ignores a folder's permission bits";
    const QByteArray old = "1230\r\n";
    writeBytes("score", old);
    const auto writable = QFile::permissions(".");
    ASSERT_TRUE(QFile::setPermissions(".", QFile::ReadOwner | QFile::ExeOwner));
    expectCreateError("score", {"0000"});
    QFile::setPermissions(".", writable);
    EXPECT_EQ(readBytes("score"), old);
    EXPECT_EQ(entries(), QStringList{"score"});
}

TEST_F(InTemporaryFolder, AnUnreadableFileCannotBeOpened) {
    if (runningAsRoot())
        GTEST_SKIP() << "root ignores a file's permission bits";
    writeBytes("score", "1230\r\n");
    ASSERT_TRUE(QFile::setPermissions("score", QFile::WriteOwner));
    expectOpenError("score");
}

// Stands in for the disk: remembers what it was asked and fails on request.
class FakeFileSystem : public FileSystem {
public:
    QByteArray readFile(const QString& name) override {
        readNames.append(name);
        if (failing)
            throw EFOpenError("Cannot open file " + name);
        return content;
    }
    void writeFile(const QString& name, const QByteArray& bytes) override {
        if (failing)
            throw EFCreateError("Cannot create file " + name);
        writtenName = name;
        content = bytes;
    }

    QByteArray content;
    QStringList readNames;
    QString writtenName;
    bool failing = false;
};

TEST(StringListFileSeam, LoadAndSaveGoThroughTheInstalledFileSystem) {
    FakeFileSystem fake;
    ScopedFileSystem installed(fake);
    fake.content = "1230\n\r77";
    EXPECT_EQ(loadStringList("score"), (QStringList{"1230", "", "77"}));
    EXPECT_EQ(fake.readNames, QStringList{"score"});

    saveStringList("score", {"77", "0000"});
    EXPECT_EQ(fake.writtenName, QStringLiteral("score"));
    EXPECT_EQ(fake.content, QByteArray("77\r\n0000\r\n"));
}

TEST(StringListFileSeam, FileSystemErrorsReachTheCaller) {
    FakeFileSystem fake;
    ScopedFileSystem installed(fake);
    fake.failing = true;
    expectOpenError("score");
    expectCreateError("score", {"0000"});
}

TEST(StringListFileSeam, TheScopeRestoresThePreviousFileSystem) {
    FileSystem& real = fileSystem();
    FakeFileSystem outer;
    {
        ScopedFileSystem outerScope(outer);
        FakeFileSystem inner;
        {
            ScopedFileSystem innerScope(inner);
            EXPECT_EQ(&fileSystem(), &inner);
        }
        EXPECT_EQ(&fileSystem(), &outer);
    }
    EXPECT_EQ(&fileSystem(), &real);
}

}  // namespace
