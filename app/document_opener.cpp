#include "document_opener.h"

#include "model/exceptions.h"

#include <QFile>

StartDocument OpenEventDocument(const QString& path,
                                const std::function<void(const QString&)>& open,
                                const std::function<void()>& startNew,
                                const KeepDamagedFunction& keepDamaged) {
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly)) {
        startNew();
        return StartDocument::New;
    }
    try {
        open(path);
        return StartDocument::Opened;
    } catch (const CException&) {
        if (keepDamaged(path, QString::fromLatin1(kMismatchText)))
            QFile::remove(path);
        return StartDocument::Mismatch;
    } catch (...) {
        return StartDocument::Opened;
    }
}
