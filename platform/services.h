// The platform services one running program uses, handed down from the application so that
// tests can hand down fakes instead.
#pragma once

#include <memory>

class IScreen;
class ITone;
class ILauncher;
class IProfile;
class IMessageBox;
class IHotKeys;
class IFileChooser;
class IFolders;

struct PlatformServices {
    IScreen& screen;
    std::shared_ptr<ITone> tone; // shared with tones still sounding
    ILauncher& launcher;
    IProfile& profile;
    IMessageBox& messageBox;
    IHotKeys& hotKeys;
    IFileChooser& fileChooser;
    IFolders& folders;
};
