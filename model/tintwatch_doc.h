// The single document: the event list snapshot and the data file it is read from and
// rewritten to, whole, at every save.
#pragma once

#include "event_info.h"
#include "platform/cmd_target.h"

#include <QString>
#include <vector>

class CArchive;
class IEventRows;
class IMessageBox;
class IScreen;

// Builds "<local application-data folder>/Tintwatch/Tintwatchv7.1.dat" into `path`, creating
// the data folder when missing and making it the current directory.
void GetDataFilePath(QString& path);

class CTintwatchDoc : public CCmdTarget {
public:
    CTintwatchDoc(IScreen& screen, IMessageBox& messageBox);

    // The list whose rows each save writes, in row order. Not owned.
    void SetView(IEventRows* view) { m_pView = view; }

    // ID_FILE_SAVE writes the data file; every other command is not the document's.
    bool OnCommand(int id) override;
    void OnFileSave();

    bool OnNewDocument();
    bool OnSaveDocument(const QString& path);
    bool OnOpenDocument(const QString& path);
    void Serialize(CArchive& ar);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    int m_nEventCount = 0;
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    int m_nFileVersion = 0;
    std::vector<CEventInfo> m_arrEvents;

private:
    IScreen& m_screen;
    IMessageBox& m_messageBox;
    IEventRows* m_pView = nullptr;
    bool m_bModified = false;
};
