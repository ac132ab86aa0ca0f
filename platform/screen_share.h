// A screen the desktop shows a program only with the user's consent (Wayland's screen-cast
// portal): what became of the share, and asking for it again.
#pragma once

#include <functional>

enum class ShareProblem {
    NoPortal, // the desktop offers no way to share the screen
    Refused,  // the user (or the desktop) said no
    Stopped,  // a running share was ended from the desktop
    Failed,   // the share was granted but its pictures could not be received
    Error,    // the desktop's screen-sharing service failed the request
};

class IScreenShare {
public:
    virtual ~IScreenShare() = default;
    // Asks the desktop to share the screen again, after a problem; does nothing while a share
    // is being asked for or runs.
    virtual void ShareAgain() = 0;
    // `onProblem` runs on the UI thread each time a share fails or ends.
    virtual void SetOnProblem(std::function<void(ShareProblem)> onProblem) = 0;
};
