#include "document_opener.h"

#include "model/data_file_io.h"
#include "model/exceptions.h"
#include "platform/message_box.h"

#include <QFile>

StartDocument OpenEventDocument(const QString& path,
                                const std::function<void(const QString&)>& open,
                                const std::function<void()>& startNew, IMessageBox& messageBox) {
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly)) {
        startNew();
        return StartDocument::New;
    }
    try {
        open(path);
        return StartDocument::Opened;
    } catch (const CException&) {
        messageBox.MessageBox(nullptr, QString::fromLatin1(kMismatchText), MbButtons::Ok,
                              MbIcon::Error);
        if (KeepDamagedCopy(path))
            QFile::remove(path);
        return StartDocument::Mismatch;
    } catch (...) {
        return StartDocument::Opened;
    }
}
