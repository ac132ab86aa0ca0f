// Moving the data file to and from the disk in one piece.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// No list of events comes near this; a larger file is damaged, and is not read at all.
inline constexpr qint64 kMaxDataFileBytes = 64 * 1024 * 1024;

// The whole content of `path`; nullopt, with nothing read, when it is larger than
// kMaxDataFileBytes. Throws CFileException, naming the path and the reason, when the file
// cannot be opened or read.
std::optional<QByteArray> ReadWholeFile(const QString& path);

// Replaces `path` with `bytes` through a temporary file put in its place, so that a crash, a
// kill, a full disk or a power cut leaves either the old file or the new one, never a part.
// Returns an empty string on success, else the reason; the old file is then as it was. A
// process file-size limit fails it too: from the first call on, SIGXFSZ is ignored by the
// process, so the limit fails writes instead of ending it.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// Copies the data file at `dataFilePath`, as it is on the disk, beside it under the first free
// name of "<name>.bad", "<name>.bad.1", "<name>.bad.2"... so that no earlier copy is ever
// replaced. Returns an empty string once the copy is on the disk, else the reason.
QString KeepDamagedCopy(const QString& dataFilePath);
