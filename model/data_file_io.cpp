#include "data_file_io.h"

#include "exceptions.h"

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
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
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
