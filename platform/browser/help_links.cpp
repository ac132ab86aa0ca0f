#include "help_links.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

namespace {

// Installed copies sit in <prefix>/share/tintwatch/docs, or in docs beside the executable of
// the Windows zip, found relative to the executable first so a moved installation still
// works; a program run from its build tree uses the build folder's copies.
QString DocsPage(const QString& name) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList folders{
        programFolder + QStringLiteral("/../share/tintwatch/docs"),
        programFolder + QStringLiteral("/docs"),
        QStringLiteral(TINTWATCH_DOCS_BUILD_DIR),
        QStringLiteral(TINTWATCH_DOCS_INSTALL_DIR),
    };
    for (const QString& folder : folders) {
        const QFileInfo page(folder + u'/' + name);
        if (page.isFile())
            return QUrl::fromLocalFile(page.canonicalFilePath()).toString();
    }
    return QUrl::fromLocalFile(folders.last() + u'/' + name).toString();
}

} // namespace

QString TutorialUrl() {
    return DocsPage(QStringLiteral("tutorial.html"));
}

QString WebsiteUrl() {
    const QString configured = QStringLiteral(TINTWATCH_WEBSITE_URL);
    return configured.isEmpty() ? DocsPage(QStringLiteral("home.html")) : configured;
}

QString WebsiteCaption() {
    return QStringLiteral("Tintwatch Home Page...");
}
