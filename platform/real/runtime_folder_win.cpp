#include "runtime_folder.h"

QString PrivateRuntimeFolder() {
    // Pipe names are not paths: the one named after the data folder always fits.
    return {};
}
