#include "ui/paper/whole_file.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace kinri::ui {
namespace {

#ifdef _WIN32
int createExclusive(const QString& path) {
    int fd = -1;
    const errno_t e = _wsopen_s(&fd, reinterpret_cast<const wchar_t*>(path.utf16()),
                                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (e != 0) errno = e;
    return e == 0 ? fd : -1;
}
int writeSome(int fd, const char* data, qint64 size) {
    return _write(fd, data, static_cast<unsigned>(std::min<qint64>(size, 1 << 30)));
}
int syncFile(int fd) {
    return _commit(fd);
}
int closeFile(int fd) {
    return _close(fd);
}
void removeFile(const QString& path) {
    _wunlink(reinterpret_cast<const wchar_t*>(path.utf16()));
}
// The system's reason for a failed rename, as an error number.
int renameOver(const QString& from, const QString& to) {
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                    reinterpret_cast<const wchar_t*>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    switch (GetLastError()) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EIO;
    }
}
void keepMode(int, const QString&) {}
void syncFolder(const QString&) {}
#else
int createExclusive(const QString& path) {
    // 0666 less the user's umask, as any new file of theirs.
    return ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
ssize_t writeSome(int fd, const char* data, qint64 size) {
    return ::write(fd, data, static_cast<std::size_t>(size));
}
int syncFile(int fd) {
    return ::fsync(fd);
}
int closeFile(int fd) {
    return ::close(fd);
}
void removeFile(const QString& path) {
    ::unlink(QFile::encodeName(path).constData());
}
int renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0
                                                                                                    : errno;
}
// A file saved over keeps who may read it.
void keepMode(int fd, const QString& target) {
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}
// The rename itself reaches the disk with its folder; where that cannot be had, the file is
// still whole under one of its two names.
void syncFolder(const QString& folder) {
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}
#endif

} // namespace

WholeFile::WholeFile(QString path) : path_(std::move(path)) {}

WholeFile::~WholeFile() {
    discard();
}

bool WholeFile::open(OpenMode mode) {
    if (fd_ >= 0 || (mode & ReadOnly) != 0) return false;
    const QFileInfo target(path_);
    if (target.isDir()) {
        fail(EISDIR);
        return false;
    }
    // Hidden beside the target, so that the rename stays on one file system.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = target.absolutePath() + QStringLiteral("/.") + target.fileName() + u'.' +
                QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".part");
        fd_ = createExclusive(temp_);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temp_.clear();
        fail(errno);
        return false;
    }
    keepMode(fd_, path_);
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 WholeFile::writeData(const char* data, qint64 size) {
    if (fd_ < 0 || error_ != 0) return -1;
    qint64 done = 0;
    while (done < size) {
        const auto n = writeSome(fd_, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fail(n < 0 ? errno : ENOSPC); // a write of nothing is a disk with no room left
            return -1;
        }
        done += n;
    }
    return done;
}

bool WholeFile::commit() {
    if (fd_ < 0 || error_ != 0) {
        discard();
        return false;
    }
    QIODevice::close();
    if (syncFile(fd_) != 0) fail(errno);
    if (closeFile(fd_) != 0 && error_ == 0) fail(errno);
    fd_ = -1;
    if (error_ == 0) {
        if (const int e = renameOver(temp_, path_); e != 0) fail(e);
    }
    if (error_ != 0) {
        removeFile(temp_);
        temp_.clear();
        return false;
    }
    temp_.clear();
    syncFolder(QFileInfo(path_).absolutePath());
    return true;
}

void WholeFile::discard() {
    if (isOpen()) QIODevice::close();
    if (fd_ >= 0) closeFile(fd_);
    fd_ = -1;
    if (!temp_.isEmpty()) removeFile(temp_);
    temp_.clear();
}

void WholeFile::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    setErrorString(why());
}

QString WholeFile::why() const {
    return error_ == 0 ? QString() : fileErrorText(error_);
}

QString writeWhole(const QString& path, const QByteArray& data) {
    WholeFile file(path);
    if (!file.open() || file.write(data) != data.size() || !file.commit()) return file.why();
    return {};
}

QString fileErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("空き容量が足りません");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限に達しています");
#endif
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込む権限がありません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所には保存できません");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("保存先のフォルダが見つかりません");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました");
    default:
        return QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral("（エラー番号 %1）").arg(error);
    }
}

} // namespace kinri::ui
