#include "tintwatch_doc.h"

#include "archive.h"
#include "data_file_io.h"
#include "event_rows.h"
#include "exceptions.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "res/resource_ids.h"

#include <QFile>

namespace {

const QString kExceptionLoading = QStringLiteral(
    "There was an Exception Loading the Script File, seems like something went wrong with the "
    "software.\n\nThere are really good chances that if you create a new script, it would work "
    "fine.");
const QString kUnidentifiedLoading = QStringLiteral(
    "There was an UnIdentified Exception Loading the Script File, seems like something went "
    "wrong with the software.\n\nThere are really good chances that if you create a new script, "
    "it would work fine.");
// Added to a message about a damaged file when it could not be kept.
const QString kNoCopy = QStringLiteral(
    "\n\nThe damaged file %1 could not be kept as a copy beside it: %2\n\nGo on without a "
    "copy? Yes: the next save replaces the file. No: the file stays as it is, and the list is "
    "saved only once a copy can be made.");

// A text field ending in U+000D cannot be written back as read: the line end that follows it
// on saving would swallow it. Dropping it here keeps what is shown equal to what is saved.
void DropTrailingCarriageReturns(QString& text) {
    while (text.endsWith(u'\r'))
        text.chop(1);
}

} // namespace

CTintwatchDoc::CTintwatchDoc(IScreen& screen, IMessageBox& messageBox)
    : m_screen(screen), m_messageBox(messageBox) {
    m_retry.setSingleShot(true);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] {
        if (IsModified())
            OnSaveDocument(m_sRetryPath);
    });
}

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
    QString reason = CopyBeforeReplacing(path);
    if (reason.isEmpty())
        reason = WriteWholeFile(path, bytes);
    if (!reason.isEmpty()) {
        ReportSaveFailure(path, reason);
        return false;
    }
    SetModifiedFlag(false);
    m_retry.stop();
    m_retryDelay = kFirstRetry;
    if (m_bSaveFailing && m_onSaveNote)
        m_onSaveNote(QString());
    m_bSaveFailing = false;
    return true;
}

QString CTintwatchDoc::CopyBeforeReplacing(const QString& path) {
    if (path != m_sUncopiedPath)
        return {};
    if (QFile::exists(path)) {
        if (const QString reason = KeepDamagedCopy(path); !reason.isEmpty())
            return QStringLiteral("the damaged file there has no copy yet (%1)").arg(reason);
    }
    m_sUncopiedPath.clear();
    return {};
}

void CTintwatchDoc::ReportSaveFailure(const QString& path, const QString& reason) {
    // The rows now hold what the disk does not: tried again, later and later, until it is.
    SetModifiedFlag();
    m_sRetryPath = path;
    m_retry.start(m_retryDelay);
    m_retryDelay = std::min(m_retryDelay * 2, kMaxRetry);
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
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    // Damage found while loading is kept in a copy of this file before it is told about.
    m_sLoadingPath = path;
    OpenResult result = OpenResult::Damaged;
    if (bytes)
        result = LoadFromBytes(*bytes);
    else
        ReportDamage(kExceptionLoading); // too large to be a list of events
    m_sLoadingPath.clear();
    SetModifiedFlag(false);
    return result;
}

bool CTintwatchDoc::KeepDamaged(const QString& path, const QString& text) {
    const QString reason = KeepDamagedCopy(path);
    if (reason.isEmpty()) {
        ShowError(text);
        return true;
    }
    // Before the box: a save delivered by its event loop must not replace the file.
    m_sUncopiedPath = path;
    if (m_messageBox.MessageBox(nullptr, text + kNoCopy.arg(path, reason), MbButtons::YesNo,
                                MbIcon::Error) != IDYES)
        return false;
    m_sUncopiedPath.clear();
    return true;
}

void CTintwatchDoc::ReportDamage(const QString& text) {
    if (m_sLoadingPath.isEmpty())
        ShowError(text);
    else
        KeepDamaged(m_sLoadingPath, text);
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
        ReportDamage(kExceptionLoading);
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
    // Records past the count (or after a count of 0 or less) would be lost by the next save.
    if (problem.isEmpty() && ar.Remaining() > 0)
        problem = kExceptionLoading;
    m_bLoadDamaged = !problem.isEmpty();
    if (m_bLoadDamaged)
        ReportDamage(problem);
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
