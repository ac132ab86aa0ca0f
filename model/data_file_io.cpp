#include "data_file_io.h"

#include "exceptions.h"
#include "platform/files/disk_write.h"

#include <QFile>
#include <QSaveFile>

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CFileException(
            QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()).toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CFileException(
            QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()).toStdString());
    return bytes;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // Qt 6.4's QSaveFile keeps small writes in a buffer, and its commit() renames the
    // temporary file even when flushing that buffer failed, so a full disk would leave an
    // empty data file; its own writes also lose the reason of a write cut short. So the bytes
    // go straight to the file, each one accounted for, and are on the disk before any rename.
    if (const QString reason = WriteAllAndSync(file.handle(), bytes); !reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString DamagedCopyPath(const QString& dataFilePath) {
    return dataFilePath + QStringLiteral(".bad");
}

bool KeepDamagedCopy(const QString& dataFilePath, const QByteArray& bytes) {
    return WriteWholeFile(DamagedCopyPath(dataFilePath), bytes).isEmpty();
}

bool KeepDamagedCopy(const QString& dataFilePath) {
    try {
        return KeepDamagedCopy(dataFilePath, ReadWholeFile(dataFilePath));
    } catch (const CFileException&) {
        return false;
    }
}
