// Putting bytes on the disk through an open file, every one accounted for.
#pragma once

#include <QByteArray>
#include <QString>

// Writes all of `bytes` to the open file `fd` and syncs them to the disk. Returns an empty
// string, else the reason it failed. A process file-size limit fails the write like any other
// reason, instead of ending the process.
QString WriteAllAndSync(int fd, const QByteArray& bytes);
