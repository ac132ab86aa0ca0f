#include "tintwatch_doc.h"

#include "archive.h"
#include "data_file_io.h"
#include "event_rows.h"
#include "exceptions.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "res/resource_ids.h"

namespace {

const QString kExceptionLoading = QStringLiteral(
    "There was an Exception Loading the Script File, seems like something went wrong with the "
    "software.\n\nThere are really good chances that if you create a new script, it would work "
    "fine.");
const QString kUnidentifiedLoading = QStringLiteral(
    "There was an UnIdentified Exception Loading the Script File, seems like something went "
    "wrong with the software.\n\nThere are really good chances that if you create a new script, "
    "it would work fine.");

// A text field ending in U+000D cannot be written back as read: the line end that follows it
// on saving would swallow it. Dropping it here keeps what is shown equal to what is saved.
void DropTrailingCarriageReturns(QString& text) {
    while (text.endsWith(u'\r'))
        text.chop(1);
}

} // namespace

CTintwatchDoc::CTintwatchDoc(IScreen& screen, IMessageBox& messageBox)
    : m_screen(screen), m_messageBox(messageBox) {}

bool CTintwatchDoc::OnCommand(int id) {
    if (id != ID_FILE_SAVE)
        return false;
    OnFileSave();
    return true;
}

void CTintwatchDoc::OnFileSave() {
    if (m_strPathName.isEmpty())
        GetDataFilePath(m_strPathName);
    OnSaveDocument(m_strPathName);
}

bool CTintwatchDoc::OnNewDocument() {
    m_arrEvents.clear();
    SetModifiedFlag(false);
    return true;
}

bool CTintwatchDoc::OnSaveDocument(const QString& path) {
    RebuildFromView();
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    Serialize(ar);
    const QString reason = WriteWholeFile(path, bytes);
    if (!reason.isEmpty()) {
        ReportSaveFailure(path, reason);
        return false;
    }
    SetModifiedFlag(false);
    if (m_bSaveFailing && m_onSaveNote)
        m_onSaveNote(QString());
    m_bSaveFailing = false;
    return true;
}

void CTintwatchDoc::ReportSaveFailure(const QString& path, const QString& reason) {
    if (m_onSaveNote)
        m_onSaveNote(QStringLiteral("Not saved to %1: %2").arg(path, reason));
    // Detections keep asking for saves while the disk stays full: one box for the whole run,
    // and none inside another, whose event loop runs those detections.
    const bool reported = m_bSaveFailing || m_bReportingFailure;
    m_bSaveFailing = true;
    if (reported)
        return;
    m_bReportingFailure = true;
    ShowError(QStringLiteral("The event list could not be saved to %1:\n%2\n\nThe events are "
                             "still in the list, and the file keeps what it held before.")
                  .arg(path, reason));
    m_bReportingFailure = false;
}

CTintwatchDoc::OpenResult CTintwatchDoc::OnOpenDocument(const QString& path) {
    const QByteArray bytes = ReadWholeFile(path);
    const OpenResult result = LoadFromBytes(bytes);
    // Kept before any save can replace it; the bytes are the file's exactly.
    if (result == OpenResult::Damaged)
        KeepDamagedCopy(path, bytes);
    SetModifiedFlag(false);
    return result;
}

CTintwatchDoc::OpenResult CTintwatchDoc::LoadFromBytes(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return OpenResult::Complete;
    QByteArray data = bytes;
    CArchive ar(data, CArchive::load);
    try {
        Serialize(ar);
    } catch (const CArchiveException&) {
        // Shorter than its header: nothing to load, but not a reason to stop the program.
        ShowError(kExceptionLoading);
        return OpenResult::Damaged;
    }
    return m_bLoadDamaged ? OpenResult::Damaged : OpenResult::Complete;
}

void CTintwatchDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        StoreEvents(ar);
    else
        LoadEvents(ar);
}

void CTintwatchDoc::StoreEvents(CArchive& ar) {
    m_nEventCount = static_cast<int>(m_arrEvents.size());
    const QSize screen = m_screen.VirtualScreenSize();
    ar << kEventSchema << static_cast<std::int32_t>(screen.width())
       << static_cast<std::int32_t>(screen.height()) << m_nEventCount;
    for (CEventInfo& event : m_arrEvents)
        event.Serialize(ar);
}

void CTintwatchDoc::LoadEvents(CArchive& ar) {
    ar >> m_nFileVersion >> m_nScreenWidth >> m_nScreenHeight >> m_nEventCount;
    // Loaded into a list of its own and taken only after the message: the message box runs an
    // event loop, and a save delivered there rebuilds the array from the rows shown.
    std::vector<CEventInfo> events = m_arrEvents;
    QString problem;
    try {
        // The count bounds the loop but never sizes anything: a damaged count must not
        // reserve memory, and every record read consumes data, so the loop ends with it.
        for (int i = 0; i < m_nEventCount; ++i) {
            CEventInfo event;
            event.Serialize(ar);
            DropTrailingCarriageReturns(event.m_sCommand);
            DropTrailingCarriageReturns(event.m_sFilePath);
            DropTrailingCarriageReturns(event.m_sComment);
            events.emplace_back() = event;
        }
    } catch (const CException&) {
        problem = kExceptionLoading;
    } catch (...) {
        problem = kUnidentifiedLoading;
    }
    m_bLoadDamaged = !problem.isEmpty();
    if (m_bLoadDamaged)
        ShowError(problem);
    m_arrEvents = std::move(events);
}

void CTintwatchDoc::RebuildFromView() {
    if (!m_pView)
        return;
    m_arrEvents.clear();
    const int rows = m_pView->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (const CEventInfo* event = m_pView->GetItemData(row))
            m_arrEvents.emplace_back() = *event;
    }
}

void CTintwatchDoc::ShowError(const QString& text) {
    m_messageBox.MessageBox(nullptr, text, MbButtons::Ok, MbIcon::Error);
}
