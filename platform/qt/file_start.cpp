#include "file_start.h"

#include <QFile>

#include <array>
#include <string_view>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

bool IsElf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArrayLiteral("\x7f"
                                                                               "ELF");
}

} // namespace

QString FilesystemTypeOf(const QString& path) {
    struct stat info {};
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !table.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw": the device,
    // then the type after the lone dash.
    const QByteArray device =
        QByteArray::number(major(info.st_dev)) + ':' + QByteArray::number(minor(info.st_dev));
    // Read to the end, never to the size: the kernel's tables report none.
    for (QByteArray line = table.readLine(); !line.isEmpty(); line = table.readLine()) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = line.indexOf(" - ");
        if (fields.size() > 2 && fields[2] == device && dash >= 0)
            return QString::fromLatin1(line.mid(dash + 3).split(' ').first());
    }
    return {};
}

bool KeepsExecuteBits(const QString& type) {
    // FAT, exFAT, NTFS (in the kernel or through FUSE, "fuseblk") and SMB shares.
    static constexpr std::array<std::string_view, 9> kWithout{
        "vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "cifs", "smb3", "smbfs"};
    const QByteArray name = type.toLatin1();
    for (std::string_view without : kWithout)
        if (name == QByteArray::fromRawData(without.data(), static_cast<qsizetype>(without.size())))
            return false;
    return true;
}

FileStart ChooseFileStart(bool executableFile, bool elf, bool bitsKept) {
    return executableFile && (elf || bitsKept) ? FileStart::Run : FileStart::Opener;
}

FileStart ChooseFileStart(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    const bool executableFile = ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
                                ::access(name.constData(), X_OK) == 0;
    return ChooseFileStart(executableFile, executableFile && IsElf(path),
                           executableFile && KeepsExecuteBits(FilesystemTypeOf(path)));
}
