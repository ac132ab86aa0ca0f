// Whether "open" runs a local file or hands it to the desktop's opener. A FAT, NTFS or SMB
// mount shows every file as executable, so there the execute bit says nothing: a document
// must not be run, nor a text that happens to start with "#!".
#pragma once

#include <QString>

enum class FileStart { Run, Opener };

// The type of the filesystem holding `path` as the mount table names it ("ext4", "vfat");
// empty when it cannot be told.
QString FilesystemTypeOf(const QString& path);

// Whether files on a filesystem of `type` keep execute bits of their own; one that cannot be
// told is taken to keep them.
bool KeepsExecuteBits(const QString& type);

// Run: an executable regular file that is a program (ELF), or that carries the execute bit on
// a filesystem that keeps it (a script; exec judges the rest, and one it refuses as no program
// goes to the opener). Everything else: the opener.
FileStart ChooseFileStart(bool executableFile, bool elf, bool bitsKept);

// The same for the file at `path`, as it is on the disk now.
FileStart ChooseFileStart(const QString& path);
