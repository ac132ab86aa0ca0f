// The single document: the event list snapshot and the data file it is read from and
// rewritten to, whole, at every save.
#pragma once

#include "data_file_path.h"
#include "event_info.h"
#include "platform/cmd_target.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

class CArchive;
class IEventRows;
class IMessageBox;
class IScreen;

class CTintwatchDoc : public CCmdTarget {
public:
    // How an opening that did not throw went.
    enum class OpenResult {
        Complete, // every counted record loaded (an empty file gives an empty list)
        Damaged,  // the complete records loaded, the load message shown once, a copy kept
    };

    // A failed save is tried again this long after, then twice as long after each further
    // failure, up to kMaxRetry, while the list has changes that are not on the disk.
    static constexpr std::chrono::milliseconds kFirstRetry{1000};
    static constexpr std::chrono::milliseconds kMaxRetry{60000};

    CTintwatchDoc(IScreen& screen, IMessageBox& messageBox);

    // The list whose rows each save writes, in row order. Not owned; nullptr: no view, and a
    // save writes the array as it is.
    void SetView(IEventRows* view) { m_pView = view; }

    // Told, while saves fail, what to show in the status bar (the path and the reason), and an
    // empty text once a save succeeds again.
    void SetSaveNoteHandler(std::function<void(const QString&)> handler) {
        m_onSaveNote = std::move(handler);
    }

    // ID_FILE_SAVE writes the data file; every other command is not the document's.
    bool OnCommand(int id) override;
    // Saves to the data file: the path given, else the data-file path, found once.
    void OnFileSave();
    void SetPathName(const QString& path) { m_strPathName = path; }
    const QString& GetPathName() const { return m_strPathName; }

    // Empties the event list; always succeeds.
    bool OnNewDocument();
    // Rebuilds the array from the view's rows and replaces the file at `path` with it in one
    // piece. On failure keeps the old file, marks the document modified, tries again later
    // (kFirstRetry) and returns false; it shows why in a box only for the first of a run of
    // failures, and never while that box is open. A damaged file at `path` that has no copy
    // yet is not replaced before one is made (or the user let it go).
    bool OnSaveDocument(const QString& path);
    // Appends the events of the file at `path`. Opened fully: Complete. Opened with damage
    // (bytes past the counted records, a record cut off, a text or a file too large): a copy
    // of the file kept (KeepDamaged), the message shown once, Damaged. The file itself cannot
    // be opened or read: throws CFileException, nothing shown, nothing loaded.
    OpenResult OnOpenDocument(const QString& path);
    // Loads the file's content as OnOpenDocument does, without touching the disk.
    OpenResult LoadFromBytes(const QByteArray& bytes);
    // Stores the header and every record of the array, or loads them (the header's
    // end-of-data error escapes; damage ends the loading with the message).
    void Serialize(CArchive& ar);
    // Keeps a copy of the damaged file at `path` (KeepDamagedCopy) and shows `text`. When no
    // copy can be made, the text says so and asks whether to go on without one; unless the
    // user says yes, saves leave the file alone until a copy can be made. Returns whether the
    // file may now be replaced or removed.
    bool KeepDamaged(const QString& path, const QString& text);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    int m_nEventCount = 0;
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    int m_nFileVersion = 0;
    std::vector<CEventInfo> m_arrEvents;

private:
    void StoreEvents(CArchive& ar);
    void LoadEvents(CArchive& ar);
    void RebuildFromView();
    void ShowError(const QString& text);
    void ReportDamage(const QString& text);
    QString CopyBeforeReplacing(const QString& path);
    void ReportSaveFailure(const QString& path, const QString& reason);

    IScreen& m_screen;
    IMessageBox& m_messageBox;
    IEventRows* m_pView = nullptr;
    QString m_strPathName;
    bool m_bModified = false;
    bool m_bLoadDamaged = false; // set by the last loading Serialize
    QString m_sLoadingPath;      // the file being opened, whose damage is kept in a copy
    QString m_sUncopiedPath;     // a damaged file with no copy yet, which no save may replace
    QTimer m_retry;              // the next try of a failed save, to m_sRetryPath
    QString m_sRetryPath;
    std::chrono::milliseconds m_retryDelay = kFirstRetry;
    std::function<void(const QString&)> m_onSaveNote;
    bool m_bSaveFailing = false;      // the last save failed, and that run has been reported
    bool m_bReportingFailure = false; // the box about it is open
};
