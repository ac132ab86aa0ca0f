// Where the event list is kept: one file in the user's local application-data folder.
#pragma once

#include <QString>

// Builds "<local application-data folder>/Tintwatch/Tintwatchv7.1.dat" into `path`, creating
// the data folder when missing and making it the current directory. Without a known
// application-data folder the path starts at "/Tintwatch/".
void GetDataFilePath(QString& path);
