#include "data_file_io.h"

#include "exceptions.h"
#include "platform/files/disk_write.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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
    // Beside the file, so that putting it in place is a change of names on one disk; a new
    // name of its own, closed for good before that change (Windows refuses to rename an open
    // file, and QTemporaryFile keeps its file open after close()).
    QFile file(path + QStringLiteral(".%1.new").arg(QRandomGenerator::global()->generate64(), 16,
                                                    16, QLatin1Char('0')));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return file.errorString();
    if (QFile::exists(path))
        file.setPermissions(QFile::permissions(path));
    // Straight to the file, each byte accounted for (a buffered write would lose the reason
    // of one cut short), and on the disk before it replaces anything.
    QString reason = WriteAllAndSync(file.handle(), bytes);
    file.close();
    if (reason.isEmpty())
        reason = ReplaceDurably(file.fileName(), path);
    if (!reason.isEmpty())
        file.remove();
    return reason;
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
