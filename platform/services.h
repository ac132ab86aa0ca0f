// The platform services one running program uses, handed down from the application so that
// tests can hand down fakes instead.
#pragma once

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
    ITone& tone;
    ILauncher& launcher;
    IProfile& profile;
    IMessageBox& messageBox;
    IHotKeys& hotKeys;
    IFileChooser& fileChooser;
    IFolders& folders;
};
