#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace kinri::ui {

// A file that is written whole or not at all. What is written goes, unbuffered and every write
// checked, to a temporary file beside the target; commit() syncs it to the disk and renames it
// over the target. Until then the target is untouched, and whatever fails on the way — a write
// (a full disk), the sync, the close, the rename — or is given up leaves the target as it was and
// the temporary file removed; why() says why in the user's words.
//
// A file system may accept a write into its cache and fail it only when the data reach the disk:
// that is why nothing counts as written before the sync has succeeded.
class WholeFile : public QIODevice {
public:
    explicit WholeFile(QString path);
    ~WholeFile() override; // discards what was not committed
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Creates the temporary file; WriteOnly is the only mode.
    bool open(OpenMode mode = WriteOnly) override;
    // The target replaced by everything written; false (with why()) when it could not be.
    bool commit();
    // Gives up: the temporary file goes, the target stays as it was.
    void discard();

    // Why the file could not be written: 「空き容量が足りません」 and the like; empty when nothing
    // failed.
    QString why() const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void fail(int error);

    QString path_;
    QString temp_;
    int fd_ = -1;
    int error_ = 0; // the system's error number of the first failure
};

// `data` as the whole of `path`: empty when written, else why not.
QString writeWhole(const QString& path, const QByteArray& data);

// The system's error number as the user reads it: 「空き容量が足りません」 for a full disk, the
// system's own words for what has no text of ours.
QString fileErrorText(int error);

} // namespace kinri::ui
