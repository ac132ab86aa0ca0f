// Moving the data file to and from the disk in one piece.
#pragma once

#include <QByteArray>
#include <QString>

// The whole content of `path`. Throws CFileException, naming the path and the reason, when
// the file cannot be opened or read.
QByteArray ReadWholeFile(const QString& path);

// Replaces `path` with `bytes` through a temporary file renamed over it, so that a crash, a
// kill or a full disk leaves either the old file or the new one, never a part. The new one is
// on the disk before it replaces the old. Returns an empty string on success, else the reason;
// the old file is then as it was. A process file-size limit fails it too: from the first call
// on, SIGXFSZ is ignored by the process, so the limit fails writes instead of ending it.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// The name under which a data file that could not be loaded whole is kept.
QString DamagedCopyPath(const QString& dataFilePath);

// Keeps `bytes`, the content of the data file at `dataFilePath`, beside it under
// DamagedCopyPath, replacing an older copy. Returns whether the copy was written.
bool KeepDamagedCopy(const QString& dataFilePath, const QByteArray& bytes);
// The same for the file as it is on the disk now; false when it cannot be read or copied.
bool KeepDamagedCopy(const QString& dataFilePath);
