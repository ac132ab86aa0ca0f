#include "open_url.h"

#include "platform/launcher.h"

void OpenUrlInDefaultBrowser(ILauncher& launcher, const QString& url) {
    // The shell knows the user's browser and starts it without waiting; a page that cannot
    // open is a silent no-op.
    launcher.OpenUrl(url, {});
}
