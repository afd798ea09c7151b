// A file is written whole or not at all: on a full disk, in a folder that is not there, over a
// folder, the old file stays as it was, no temporary file is left behind, and the reason reads as
// the user's words.
#include "ui/paper/whole_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// Texts in failure messages as a reader writes them.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
void PrintTo(const QByteArray& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace kinri::ui {
namespace {

constexpr char kOld[] = "the record saved before\n";

// A tiny file system of its own at `dir` (tmpfs, so a write beyond it fails at once), unmounted
// at the end; it needs the right to mount.
struct TinyDisk {
    QString dir;
    bool mounted = false;
    explicit TinyDisk(const QString& at) : dir(at) {
        const QString command = QStringLiteral("mount -t tmpfs -o size=64k tmpfs '%1' 2>/dev/null").arg(dir);
        mounted = std::system(command.toLocal8Bit().constData()) == 0;
    }
    ~TinyDisk() {
        if (mounted) std::system(QStringLiteral("umount '%1'").arg(dir).toLocal8Bit().constData());
    }
    // Fills it to the last byte.
    void fill() const {
        QFile filler(QDir(dir).filePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
};

QStringList namesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Below and above the 16 KiB a file device may keep in its buffer, where a full disk showed only
// once the buffer was flushed.
TEST(WholeFile, AFullDiskLeavesTheOldFileAndSaysSo) {
#ifdef _WIN32
    GTEST_SKIP() << "no file system to mount here";
#else
    QTemporaryDir scratch;
    const TinyDisk disk(scratch.path());
    if (!disk.mounted) GTEST_SKIP() << "mounting a small file system is not allowed here";
    const QString path = QDir(disk.dir).filePath(QStringLiteral("kiroku.txt"));
    ASSERT_TRUE(writeWhole(path, kOld).isEmpty());
    disk.fill();
    for (const qsizetype size : {qsizetype{1200}, qsizetype{8 * 1024}, qsizetype{40 * 1024}}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(writeWhole(path, QByteArray(size, 'y')), QStringLiteral("空き容量が足りません"));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray(kOld));
        EXPECT_EQ(namesIn(disk.dir), (QStringList{"filler", "kiroku.txt"}));
    }
    QFile::remove(QDir(disk.dir).filePath(QStringLiteral("filler")));
    EXPECT_TRUE(writeWhole(path, QByteArray(40 * 1024, 'y')).isEmpty()); // room again: replaced whole
    EXPECT_EQ(QFileInfo(path).size(), 40 * 1024);
#endif
}

TEST(WholeFile, WhereNoFileCanBeWrittenNothingIsLeft) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("folder")));
    const struct {
        QString path;
        QString why;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing/kiroku.txt")),
         QStringLiteral("保存先のフォルダが見つかりません")},
        {dir.filePath(QStringLiteral("folder")), QStringLiteral("同じ名前のフォルダがあります")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(writeWhole(c.path, kOld), c.why) << c.path.toStdString();
        EXPECT_EQ(namesIn(dir.path()), QStringList{});
    }
    // Given up after some of it was written: the old file as it was, nothing else.
    const QString path = dir.filePath(QStringLiteral("kiroku.txt"));
    ASSERT_TRUE(writeWhole(path, kOld).isEmpty());
    {
        WholeFile file(path);
        ASSERT_TRUE(file.open());
        file.write("half of it");
    }
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray(kOld));
    EXPECT_EQ(namesIn(dir.path()), QStringList{"kiroku.txt"});
}

} // namespace
} // namespace kinri::ui
