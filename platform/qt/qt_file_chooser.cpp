#include "qt_file_chooser.h"

#include <QFileDialog>

QString QtFileChooser::GetOpenFileName(QWidget* owner, const QString& startFolder,
                                       const QString& filter) {
    // getOpenFileName accepts existing files only.
    return QFileDialog::getOpenFileName(owner, QString(), startFolder, filter);
}
