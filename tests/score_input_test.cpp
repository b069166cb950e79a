// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Bad input and faults around the `score` file: whatever the file holds, or
// whatever stands in its place, the title window and the high-score watcher
// report it and go on, and the file changes only by a write the rules call
// for, always whole. Then the faults of a save itself: a full disk and a
// process killed in the middle of a save.

#include "app/Unit1.h"
#include "tests/GameFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTimer>
#include <QtTest/QTest>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrava::testing {
namespace {

const QString ScoreName = QStringLiteral("score");
const QString OpenFailure = QStringLiteral("EFOpenError: Cannot open file score");
const QString CreateFailure = QStringLiteral("EFCreateError: Cannot create file score");
const QString EmptyListFailure = QStringLiteral("EStringListError: List index out of bounds (0)");
const QByteArray ResetFile = "0000\r\n";
// The score the game reaches in every row: above most stored bests below.
constexpr int GameScore = 50;
const QByteArray GameScoreFile = "50\r\n";
// The watcher ticks once a second; this many idle ticks come before the game scores.
constexpr int IdleWatcherTicks = 3;
constexpr qint64 WatcherTickMs = 1000;

QString conversionFailure(const QString& text) {
    return QStringLiteral("EConvertError: '") + text +
           QStringLiteral("' is not a valid integer value");
}

constexpr qsizetype TenMiB = 10 << 20;
const QByteArray TenMiBOfDigits = QByteArray(TenMiB, '7') + "\r\n";
const QString TenMiBLine(TenMiB, QLatin1Char('7'));
const QByteArray BinaryGarbage = "\x89PNG\x1a\xff\xfe\x01\x02\x7f\r\n\x80\x81\x9b";
const QString BinaryGarbageLine1 = QString::fromLatin1("\x89PNG\x1a\xff\xfe\x01\x02\x7f");
const QString BinaryGarbageLine2 = QString::fromLatin1("\x80\x81\x9b");
const QByteArray InvalidUtf8 = "\xc3\x28\xe2\x82\xa0\xa1\r\n";
const QString InvalidUtf8Line = QString::fromLatin1("\xc3\x28\xe2\x82\xa0\xa1");

// What stands where the game looks for `score`.
enum class Entry {
    File,
    Directory,
    DanglingLink,
    UnreadableFile,  // mode 0200
    ReadOnlyFolder,  // a readable file in a folder of mode 0555
};

struct Row {
    const char* name;
    QByteArray bytes;  // the file's content, for the entries that are files
    QStringList shown;  // the title window's list after its creation and showing
    QString watcherReport = {};  // the watcher's one report, over all its ticks
    std::optional<QByteArray> afterScore = {};  // the file once the game scored; none: unchanged
    QByteArray afterReset = ResetFile;  // the file after "Reset score"
    Entry entry = Entry::File;
    QString loadReport = {};   // what each of the title window's two loads reports
    QString resetReport = {};  // what "Reset score" reports
};

const Row kRows[] = {
    {.name = "empty", .bytes = "", .shown = {}, .watcherReport = EmptyListFailure},
    {.name = "lone_NUL", .bytes = QByteArray(1, '\0'), .shown = {},
     .watcherReport = EmptyListFailure},
    {.name = "NUL_in_the_middle", .bytes = QByteArray("12\0" "99\r\n", 6), .shown = {"12"},
     .afterScore = GameScoreFile},
    {.name = "ten_MiB_of_digits", .bytes = TenMiBOfDigits, .shown = {TenMiBLine},
     .watcherReport = conversionFailure(TenMiBLine)},
    {.name = "binary_garbage", .bytes = BinaryGarbage,
     .shown = {BinaryGarbageLine1, BinaryGarbageLine2},
     .watcherReport = conversionFailure(BinaryGarbageLine1),
     .afterReset = "\x80\x81\x9b\r\n0000\r\n"},
    {.name = "invalid_UTF8", .bytes = InvalidUtf8, .shown = {InvalidUtf8Line},
     .watcherReport = conversionFailure(InvalidUtf8Line)},
    {.name = "CR_LF", .bytes = "120\r\n", .shown = {"120"}},
    {.name = "LF", .bytes = "30\n", .shown = {"30"}, .afterScore = GameScoreFile},
    {.name = "CR", .bytes = "30\r", .shown = {"30"}, .afterScore = GameScoreFile},
    {.name = "no_final_break", .bytes = "30", .shown = {"30"}, .afterScore = GameScoreFile},
    {.name = "LF_CR", .bytes = "30\n\r", .shown = {"30", ""}, .afterScore = "\r\n50\r\n",
     .afterReset = "\r\n0000\r\n"},
    {.name = "CR_CR_LF", .bytes = "30\r\r\n", .shown = {"30", ""},
     .afterScore = "\r\n50\r\n", .afterReset = "\r\n0000\r\n"},
    {.name = "break_first", .bytes = "\r\n30\r\n", .shown = {"", "30"},
     .watcherReport = conversionFailure(""), .afterReset = "30\r\n0000\r\n"},
    {.name = "two_lines", .bytes = "30\r\n77\r\n", .shown = {"30", "77"},
     .afterScore = "77\r\n50\r\n", .afterReset = "77\r\n0000\r\n"},
    {.name = "leading_spaces", .bytes = "  30\r\n", .shown = {"  30"},
     .afterScore = GameScoreFile},
    {.name = "trailing_spaces", .bytes = "30  \r\n", .shown = {"30  "},
     .watcherReport = conversionFailure("30  ")},
    {.name = "minus_zero", .bytes = "-0\r\n", .shown = {"-0"}, .afterScore = GameScoreFile},
    {.name = "plus_five", .bytes = "+5\r\n", .shown = {"+5"}, .afterScore = GameScoreFile},
    {.name = "largest_int", .bytes = "2147483647\r\n", .shown = {"2147483647"}},
    {.name = "largest_int_plus_one", .bytes = "2147483648\r\n", .shown = {"2147483648"},
     .watcherReport = conversionFailure("2147483648")},
    // -1: below the idle watcher's 0, but nothing is stored before the
    // game has written its score label.
    {.name = "hex_minus_one", .bytes = "$FFFFFFFF\r\n", .shown = {"$FFFFFFFF"},
     .afterScore = GameScoreFile},
    {.name = "hex_prefix_alone", .bytes = "0x\r\n", .shown = {"0x"},
     .watcherReport = conversionFailure("0x")},
    {.name = "sign_before_hex", .bytes = "-$10\r\n", .shown = {"-$10"},
     .watcherReport = conversionFailure("-$10")},
    {.name = "directory", .bytes = {}, .shown = {}, .watcherReport = OpenFailure,
     .afterReset = "<directory>", .entry = Entry::Directory, .loadReport = OpenFailure,
     .resetReport = CreateFailure},
    // Saving goes through the link and creates the file it names.
    {.name = "dangling_symlink", .bytes = {}, .shown = {}, .watcherReport = OpenFailure,
     .afterReset = "<link to> 0000\r\n", .entry = Entry::DanglingLink,
     .loadReport = OpenFailure},
    // The new file keeps the old one's permission bits, so it stays unreadable.
    {.name = "unreadable_file", .bytes = "30\r\n", .shown = {}, .watcherReport = OpenFailure,
     .entry = Entry::UnreadableFile, .loadReport = OpenFailure},
    {.name = "read_only_folder", .bytes = "30\r\n", .shown = {"30"},
     .watcherReport = CreateFailure, .afterReset = "30\r\n", .entry = Entry::ReadOnlyFolder,
     .resetReport = CreateFailure},
};

// Failure messages name the row, not its bytes.
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

bool needsUnprivilegedUser(const Row& row) {
    return row.entry == Entry::UnreadableFile || row.entry == Entry::ReadOnlyFolder;
}

// The unprivileged user the permission rows run as when the tests run as
// root, whom permission bits do not bind.
constexpr uid_t NobodyId = 65534;
// Set for the child: a child that is still root would otherwise start
// another child, and so on.
const QString ChildMarker = QStringLiteral("KESTRAVA_SCORE_INPUT_CHILD");
// A guard against a hung child, not a measure of speed.
constexpr int ChildLimitMs = 300000;

// Long texts (the 10 MiB line) are cut in failure messages.
constexpr qsizetype BriefLength = 60;
QString brief(const QString& text) {
    if (text.size() <= BriefLength)
        return text;
    return text.left(BriefLength) + QStringLiteral("... (%1 characters)").arg(text.size());
}
std::string brief(const QStringList& lines) {
    QStringList cut;
    for (const QString& line : lines)
        cut.append(QLatin1Char('"') + brief(line) + QLatin1Char('"'));
    return ("{" + cut.join(", ") + "}").toStdString();
}
std::string brief(const std::vector<QString>& reports) {
    return brief(QStringList(reports.begin(), reports.end()));
}
std::string brief(const QByteArray& bytes) {
    return brief(QString::fromLatin1(bytes.toPercentEncoding(" "))).toStdString();
}

std::vector<QString> reportsOf(const QString& report, std::size_t times = 1) {
    return report.isEmpty() ? std::vector<QString>{} : std::vector<QString>(times, report);
}

// The file's bytes even when its mode denies reading (the file's owner may
// lend itself the right for a moment); a stand-in entry is named instead.
QByteArray snapshot() {
    const QFileInfo info(ScoreName);
    if (info.isSymLink()) {
        if (!info.exists())
            return "<dangling link>";
        return "<link to> " + TemporaryWorkingDirectory::read(info.symLinkTarget());
    }
    if (!info.exists())
        return "<missing>";
    if (info.isDir())
        return "<directory>";
    const auto mode = QFile::permissions(ScoreName);
    QFile::setPermissions(ScoreName, mode | QFile::ReadOwner);
    const QByteArray bytes = TemporaryWorkingDirectory::read(ScoreName);
    QFile::setPermissions(ScoreName, mode);
    return bytes;
}

// Gives the folder back its write permission before it is removed.
struct FolderModeRestorer {
    QString path;
    ~FolderModeRestorer() {
        if (!path.isEmpty())
            ::chmod(QFile::encodeName(path).constData(), 0700);
    }
};

// The title window and the game window over whatever stands in the working
// directory as `score`; no file is written for them.
class ScoreFileFixture : public GameFixture {
protected:
    std::unique_ptr<TForm1> title;

    void SetUp() override {}
    void TearDown() override {
        GameFixture::TearDown();
        title.reset();
    }

    // The title window as start-up builds and shows it, and the game window
    // with its watcher, which ticks from then on.
    void createWindows() {
        initAssets();
        registerFontSubstitutes();
        title = std::make_unique<TForm1>();
        title->Show();
        game = std::make_unique<TForm2>(sounds);
    }

    // The bus tick writes the score label; the watcher's next tick compares.
    void scoreAndLetTheWatcherTick(int score) {
        game->runningScore = score;
        game->Timer1Timer();
        clock.advance(WatcherTickMs);
    }

    static QStringList folderEntries() {
        return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot);
    }
};

class ScoreInputTest : public ScoreFileFixture, public ::testing::WithParamInterface<Row> {
protected:
    FolderModeRestorer folderMode;

    void makeEntry(const Row& row) {
        switch (row.entry) {
        case Entry::Directory:
            ASSERT_TRUE(QDir().mkdir(ScoreName));
            break;
        case Entry::DanglingLink:
            ASSERT_TRUE(QFile::link(QStringLiteral("gone"), ScoreName));
            break;
        case Entry::UnreadableFile:
            TemporaryWorkingDirectory::write(ScoreName, row.bytes);
            ASSERT_TRUE(QFile::setPermissions(ScoreName, QFile::WriteOwner));
            break;
        case Entry::ReadOnlyFolder:
            TemporaryWorkingDirectory::write(ScoreName, row.bytes);
            folderMode.path = workDir.path();
            ASSERT_EQ(::chmod(QFile::encodeName(workDir.path()).constData(), 0555), 0);
            break;
        case Entry::File:
            TemporaryWorkingDirectory::write(ScoreName, row.bytes);
            break;
        }
    }

    void runRow(const Row& row);
    void rerunAsNobody();
};

void ScoreInputTest::runRow(const Row& row) {
    ASSERT_NO_FATAL_FAILURE(makeEntry(row));
    const QByteArray before = snapshot();
    createWindows();
    EXPECT_EQ(title->ListBox1->Items(), row.shown) << brief(title->ListBox1->Items());
    EXPECT_EQ(reporter.reports, reportsOf(row.loadReport, 2)) << brief(reporter.reports);
    reporter.reports.clear();

    clock.advance(IdleWatcherTicks * WatcherTickMs);
    EXPECT_EQ(snapshot(), before) << "reading wrote: " << brief(snapshot());
    scoreAndLetTheWatcherTick(GameScore);
    EXPECT_EQ(reporter.reports, reportsOf(row.watcherReport)) << brief(reporter.reports);
    EXPECT_EQ(snapshot(), row.afterScore.value_or(before)) << brief(snapshot());
    reporter.reports.clear();

    QTest::mouseClick(title->Button1, Qt::LeftButton);
    EXPECT_EQ(reporter.reports, reportsOf(row.resetReport)) << brief(reporter.reports);
    EXPECT_EQ(snapshot(), row.afterReset) << brief(snapshot());

    // No temporary file of an interrupted or refused save is left behind.
    const QStringList expectedEntries = row.entry == Entry::DanglingLink
                                            ? QStringList{"gone", "score"}
                                            : QStringList{"score"};
    EXPECT_EQ(folderEntries(), expectedEntries);
}

// The environment of the child that reruns a test as "nobody".
QProcessEnvironment nobodyEnvironment(const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), home);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(ChildMarker, QStringLiteral("1"));
    return environment;
}

// Runs this one test again in a child process as "nobody". The child gets a
// copy of this program and a folder for its temporary files, both its own,
// since the build tree may lie where "nobody" cannot reach.
void ScoreInputTest::rerunAsNobody() {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ASSERT_EQ(::chown(QFile::encodeName(home.path()).constData(), NobodyId, NobodyId), 0);
    const QString program = home.filePath(QStringLiteral("score_input_test"));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), program));

    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2")
                               .arg(QString::fromUtf8(test->test_suite_name()),
                                    QString::fromUtf8(test->name()));
    QProcess child;
    child.setProcessEnvironment(nobodyEnvironment(home.path()));
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=%1").arg(NobodyId),
                 QStringLiteral("--regid=%1").arg(NobodyId), QStringLiteral("--clear-groups"),
                 program, filter});
    ASSERT_TRUE(child.waitForFinished(ChildLimitMs)) << "the child did not end";
    const QString output = QString::fromLocal8Bit(child.readAll());
    // A filter that matched nothing would pass too, so the count matters.
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                        output.contains(QStringLiteral("[  PASSED  ] 1 test."));
    EXPECT_TRUE(passed) << output.toStdString();
}

TEST_P(ScoreInputTest, IsReportedAndChangesTheFileOnlyByTheWritesTheRulesCallFor) {
    const Row& row = GetParam();
    if (needsUnprivilegedUser(row) && ::geteuid() == 0) {
        ASSERT_FALSE(qEnvironmentVariableIsSet(qPrintable(ChildMarker)));
        rerunAsNobody();
        return;
    }
    runRow(row);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScoreInputTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

// What the error box shows, read off the box itself while it is up; the box
// is then closed. Looks again on the next turn of the box's loop until the
// box is there.
struct ShownBox {
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};
void readAndCloseErrorBox(ShownBox& shown) {
    QTimer::singleShot(0, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                shown = {box->text(), box->textFormat()};
                box->accept();
                return;
            }
        }
        readAndCloseErrorBox(shown);
    });
}
ShownBox showErrorBox(const Exception& error) {
    ShownBox shown;
    readAndCloseErrorBox(shown);
    errorReporter().report(error);
    return shown;
}

// The box lays out its whole text before it appears: with the 10 MiB line in
// it the game froze for minutes, a blank box on the screen.
TEST(ErrorBoxTest, AMessageQuotingTheTenMiBLineIsShownCutInTheMiddle) {
    const ShownBox shown = showErrorBox(EConvertError(
        QLatin1Char('\'') + TenMiBLine + QStringLiteral("' is not a valid integer value")));
    EXPECT_EQ(shown.text.size(), MaxErrorBoxText + 1);
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("'777"))) << brief(shown.text).toStdString();
    EXPECT_TRUE(shown.text.endsWith(QStringLiteral("7' is not a valid integer value.")))
        << brief(shown.text).toStdString();
    EXPECT_TRUE(shown.text.contains(QChar(u'\u2026')));
}

// A line that looks like markup would otherwise be drawn as markup.
TEST(ErrorBoxTest, AMessageQuotingMarkupIsShownAsItStands) {
    const QString message = QStringLiteral("'<b>7</b><img src=x>' is not a valid integer value");
    ASSERT_TRUE(Qt::mightBeRichText(message)) << "the box would take it for markup";
    const ShownBox shown = showErrorBox(EConvertError(message));
    EXPECT_EQ(shown.text, message + QLatin1Char('.'));
    EXPECT_EQ(shown.format, Qt::PlainText);
}

// A disk that can be made full. Where this process may mount (root with the
// right capability) it is a real tmpfs of a few pages mounted in the test's
// folder, which becomes the working directory, and filling it leaves no free
// page; elsewhere a file system seam refuses every write while "full".
class FillableDisk : public FileSystem {
public:
    explicit FillableDisk(const QString& folder)
        : mountPoint_(folder + QStringLiteral("/disk")), outside_(folder) {
        QDir().mkdir(mountPoint_);
        mounted_ = ::mount("kestrava-test", QFile::encodeName(mountPoint_).constData(), "tmpfs",
                           MS_NOSUID | MS_NODEV | MS_NOEXEC, TmpfsOptions) == 0;
        if (mounted_) {
            QDir::setCurrent(mountPoint_);
        } else {
            QDir().rmdir(mountPoint_);
            seam_.emplace(*this);
        }
    }
    ~FillableDisk() override {
        if (!mounted_)
            return;
        QDir::setCurrent(outside_);
        ::umount2(QFile::encodeName(mountPoint_).constData(), MNT_DETACH);
    }
    FillableDisk(const FillableDisk&) = delete;
    FillableDisk& operator=(const FillableDisk&) = delete;

    const char* kind() const { return mounted_ ? "tmpfs" : "seam"; }

    // Takes every page that is left; returns whether the disk is full.
    bool fill() {
        if (!mounted_) {
            full_ = true;
            return true;
        }
        const int fd = ::open(FillerName, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const QByteArray page(PageBytes, 'f');
        while (fd >= 0 && ::write(fd, page.constData(), page.size()) > 0) {
        }
        const bool noSpace = errno == ENOSPC;
        ::close(fd);
        return fd >= 0 && noSpace;
    }
    void free() {
        full_ = false;
        if (mounted_)
            ::unlink(FillerName);
    }
    // The filler, when there is one, is no entry of the game's.
    QStringList gameEntries() const {
        QStringList entries = QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
        entries.removeAll(QLatin1String(FillerName));
        return entries;
    }

    QByteArray readFile(const QString& name) override { return real_.readFile(name); }
    void writeFile(const QString& name, const QByteArray& bytes) override {
        if (full_)
            throw EFCreateError(QStringLiteral("Cannot create file ") + name);
        real_.writeFile(name, bytes);
    }

private:
    static constexpr const char* TmpfsOptions = "size=64k,mode=0700";
    static constexpr const char* FillerName = "filler";
    static constexpr qsizetype PageBytes = 4096;

    QString mountPoint_;
    QString outside_;
    bool mounted_ = false;
    bool full_ = false;
    FileSystem& real_ = fileSystem();
    std::optional<ScopedFileSystem> seam_;
};

using SaveFaultTest = ScoreFileFixture;

TEST_F(SaveFaultTest, AFullDiskKeepsTheOldBestWholeAndTheFirstTickWithRoomStoresTheNewOne) {
    FillableDisk disk(workDir.path());
    RecordProperty("full_disk", disk.kind());
    TemporaryWorkingDirectory::write(ScoreName, "30\r\n");
    createWindows();
    ASSERT_TRUE(disk.fill());

    scoreAndLetTheWatcherTick(GameScore);
    QTest::mouseClick(title->Button1, Qt::LeftButton);
    clock.advance(WatcherTickMs);
    EXPECT_EQ(reporter.reports, std::vector<QString>(2, CreateFailure))
        << "the watcher once, the reset once; disk: " << disk.kind();
    EXPECT_EQ(snapshot(), "30\r\n");
    EXPECT_EQ(disk.gameEntries(), QStringList{ScoreName});

    disk.free();
    clock.advance(WatcherTickMs);
    EXPECT_EQ(snapshot(), GameScoreFile) << "the best reached while the disk was full is lost";
    EXPECT_EQ(disk.gameEntries(), QStringList{ScoreName});
    EXPECT_EQ(reporter.reports.size(), 2u);
}

// The kill test: a helper process saves `score` over and over and is killed
// with SIGKILL at a random moment, many times. Each save writes a different
// content, so after each kill the file must hold exactly the content of the
// last save the helper finished or of the one it was in the middle of.
constexpr int Kills = 200;
constexpr int MaxLines = 4000;          // a save's lines: 1 to this many
constexpr int MaxSavesBeforeKill = 4;   // finished saves seen before the kill: 0 to 3
constexpr int MaxKillDelayUs = 3000;    // then this long at most, so kills fall all over a save
constexpr quint32 KillSeed = 20260;

// Busy for `us` microseconds. Only places the kill at a random point of the
// save in progress; nothing waits on it, so a slow machine changes nothing
// but where the kills fall.
void spinFor(int us) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::microseconds(us);
    while (std::chrono::steady_clock::now() < end) {
    }
}

QByteArray contentOfSave(int number, int lines) {
    return formatLines(QStringList(lines, QString::number(number)));
}

// Reads the helper's "n" lines as they come; returns the last n.
class SaveCounter {
public:
    explicit SaveCounter(QProcess& helper) : helper_(helper) {}
    bool waitForSaves(int count) {
        while (last_ < count) {
            if (!helper_.canReadLine() && !helper_.waitForReadyRead(ChildLimitMs))
                return false;
            readLines();
        }
        return true;
    }
    // A line the kill cut short (none seen so far: each is one small write)
    // would not count, as the helper had not said the save was done.
    int readRest() {
        readLines();
        return last_;
    }

private:
    void readLines() {
        while (helper_.canReadLine())
            last_ = helper_.readLine().trimmed().toInt();
    }
    QProcess& helper_;
    int last_ = 0;
};

TEST(SaveKillTest, AProcessKilledInTheMiddleOfASaveLeavesTheOldOrTheNewContentWhole) {
    TemporaryWorkingDirectory folder;
    QRandomGenerator random(KillSeed);
    int keptOld = 0, foundNew = 0, leftTemporaryFiles = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const int lines = 1 + static_cast<int>(random.bounded(MaxLines));
        TemporaryWorkingDirectory::write(ScoreName, contentOfSave(0, lines));
        QProcess helper;
        helper.setWorkingDirectory(folder.path());
        helper.start(QStringLiteral(KESTRAVA_SAVE_LOOP_HELPER), {QString::number(lines)});
        ASSERT_TRUE(helper.waitForStarted(ChildLimitMs));
        SaveCounter saves(helper);
        ASSERT_TRUE(saves.waitForSaves(static_cast<int>(random.bounded(MaxSavesBeforeKill))))
            << QString::fromLocal8Bit(helper.readAllStandardError()).toStdString();
        spinFor(static_cast<int>(random.bounded(MaxKillDelayUs)));
        ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
        ASSERT_TRUE(helper.waitForFinished(ChildLimitMs));
        ASSERT_EQ(helper.exitStatus(), QProcess::CrashExit) << "the helper stopped by itself";

        const int lastFinished = saves.readRest();
        const QByteArray found = TemporaryWorkingDirectory::read(ScoreName);
        const bool old = found == contentOfSave(lastFinished, lines);
        const bool fresh = found == contentOfSave(lastFinished + 1, lines);
        ASSERT_TRUE(old || fresh) << "kill " << kill << " after save " << lastFinished
                                  << ": " << found.size() << " bytes, " << lines << " lines each";
        keptOld += old;
        foundNew += fresh;
        for (const QString& entry : QDir().entryList(QDir::Files | QDir::Hidden)) {
            if (entry != ScoreName) {
                ++leftTemporaryFiles;
                QFile::remove(entry);
            }
        }
    }
    // How the kills fell: between saves or before a save's rename (old
    // content) and after the rename but before the helper said so (new).
    RecordProperty("kills", Kills);
    RecordProperty("old_content_kept", keptOld);
    RecordProperty("new_content_found", foundNew);
    RecordProperty("temporary_files_left", leftTemporaryFiles);
    std::printf("kills %d: old content kept %d, new content found %d, temporary files left %d\n",
                Kills, keptOld, foundNew, leftTemporaryFiles);
}

}  // namespace
}  // namespace kestrava::testing
