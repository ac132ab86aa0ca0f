// The file-open dialog on QFileDialog.
#pragma once

#include "platform/file_chooser.h"

class QtFileChooser : public IFileChooser {
public:
    QString GetOpenFileName(QWidget* owner, const QString& startFolder,
                            const QString& filter) override;
};
