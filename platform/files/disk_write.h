// Putting bytes on the disk through an open file, every one accounted for, and replacing a
// file so that the replacement survives a power cut.
#pragma once

#include <QByteArray>
#include <QString>

// Writes all of `bytes` to the open file `fd` and syncs them to the disk. Returns an empty
// string, else the reason it failed. A process file-size limit fails the write like any other
// reason, instead of ending the process.
QString WriteAllAndSync(int fd, const QByteArray& bytes);

// Puts the closed file `from` in the place of `to`, in one step, and syncs the change of
// names to the disk, so that after a power cut `to` is the new file, not an older one. Another
// program holding `to` open for a moment (a virus scanner) is waited for, a little. Returns an
// empty string, else the reason; `to` is then as it was.
QString ReplaceDurably(const QString& from, const QString& to);
