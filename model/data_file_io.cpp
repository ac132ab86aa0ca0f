#include "data_file_io.h"

#include "exceptions.h"
#include "platform/files/disk_write.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// Copies of damaged files past this many are not worth keeping apart.
constexpr int kMaxDamagedCopies = 1000;

[[noreturn]] void ThrowFileError(const char* what, const QFile& file) {
    throw CFileException(QStringLiteral("Cannot %1 %2: %3")
                             .arg(QLatin1String(what), file.fileName(), file.errorString())
                             .toStdString());
}

} // namespace

std::optional<QByteArray> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        ThrowFileError("open", file);
    if (file.size() > kMaxDataFileBytes)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        ThrowFileError("read", file);
    return bytes;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    // Beside the file, so that putting it in place is a change of names on one disk.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return file.errorString();
    if (QFile::exists(path))
        file.setPermissions(QFile::permissions(path));
    // Straight to the file, each byte accounted for (a buffered write would lose the reason
    // of one cut short), and on the disk before it replaces anything.
    if (const QString reason = WriteAllAndSync(file.handle(), bytes); !reason.isEmpty())
        return reason;
    file.close();
    if (const QString reason = ReplaceDurably(file.fileName(), path); !reason.isEmpty())
        return reason;
    file.setAutoRemove(false);
    return {};
}

QString KeepDamagedCopy(const QString& dataFilePath) {
    QFile source(dataFilePath);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    QFile copy;
    for (int number = 0;; ++number) {
        copy.setFileName(dataFilePath + QStringLiteral(".bad") +
                         (number ? QStringLiteral(".%1").arg(number) : QString()));
        // Created new or not at all: an older copy, or anything else by that name, stays.
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        // A name taken is passed over; any other failure (no room, no right) is the reason.
        if (!QFileInfo::exists(copy.fileName()) || number + 1 == kMaxDamagedCopies)
            return copy.errorString();
    }
    QString reason;
    while (reason.isEmpty() && !source.atEnd()) {
        const QByteArray piece = source.read(1 << 20);
        reason = source.error() != QFileDevice::NoError ? source.errorString()
                                                        : WriteAllAndSync(copy.handle(), piece);
    }
    if (!reason.isEmpty())
        copy.remove();
    return reason;
}
