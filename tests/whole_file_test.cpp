// A file is written whole or not at all: on a full disk, in a folder that is not there, over a
// folder or given up half-way, the old file stays as it was, nothing temporary is left, and the
// reason reads as the user's words.
#include "ui/paper/whole_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace kinri::ui {
namespace {

const QByteArray kOld = "the record saved before\n";

// What `dir` holds, hidden files included, and what its old file holds.
std::string left(const QDir& dir) {
    QFile old(dir.filePath(QStringLiteral("kiroku.txt")));
    old.open(QIODevice::ReadOnly);
    return dir.entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString() + " | " +
           old.readAll().toStdString();
}

// Below and above the 16 KiB a file device may keep in its buffer, where a full disk showed only
// once the buffer was flushed: a tmpfs of 64 KiB, filled to the brim, where mounting is allowed.
TEST(WholeFile, AFullDiskLeavesTheOldFileAndSaysSo) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    const auto run = [&dir](const char* command) {
        return std::system(QString::fromLatin1(command).arg(dir.path()).toLocal8Bit().constData()) == 0;
    };
#ifndef _WIN32
    if (!run("mount -t tmpfs -o size=64k tmpfs '%1' 2>/dev/null"))
#endif
        GTEST_SKIP() << "mounting a small file system is not allowed here";
    const std::shared_ptr<void> unmount(nullptr, [&run](void*) { run("umount '%1'"); });
    const QString path = dir.filePath(QStringLiteral("kiroku.txt"));
    ASSERT_EQ(writeWhole(path, kOld), QString());
    QFile filler(dir.filePath(QStringLiteral("filler")));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    while (filler.write(QByteArray(512, 'x')) == 512) {
    }
    for (const qsizetype size : {1200, 8 * 1024, 40 * 1024}) {
        EXPECT_EQ(writeWhole(path, QByteArray(size, 'y')).toStdString(), "空き容量が足りません") << size;
        EXPECT_EQ(left(dir), "filler kiroku.txt | " + kOld.toStdString()) << size;
    }
    filler.remove();
    EXPECT_EQ(writeWhole(path, QByteArray(40 * 1024, 'y')), QString()); // room again: replaced whole
    EXPECT_EQ(QFileInfo(path).size(), 40 * 1024);
}

TEST(WholeFile, WhereNoFileCanBeWrittenNothingIsLeft) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    const QString path = dir.filePath(QStringLiteral("kiroku.txt"));
    ASSERT_EQ(writeWhole(path, kOld), QString());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("folder")));
    EXPECT_EQ(writeWhole(dir.filePath(QStringLiteral("missing/kiroku.txt")), kOld).toStdString(),
              "保存先のフォルダが見つかりません");
    EXPECT_EQ(writeWhole(dir.filePath(QStringLiteral("folder")), kOld).toStdString(),
              "同じ名前のフォルダがあります");
    {
        WholeFile file(path); // given up after some of it was written
        ASSERT_TRUE(file.open());
        file.write("half of it");
    }
    EXPECT_EQ(left(dir), "kiroku.txt | " + kOld.toStdString());
}

} // namespace
} // namespace kinri::ui
