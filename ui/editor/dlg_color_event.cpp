#include "dlg_color_event.h"

#include "data_exchange.h"
#include "dialog_unit_layout.h"
#include "editor_picking.h"
#include "model/event_info.h"
#include "platform/file_chooser.h"
#include "platform/folders.h"
#include "platform/hot_keys.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/screen.h"
#include "res/resource_ids.h"
#include "ui/overlay/pick_overlay.h"
#include "ui/overlay/show_location.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kModeEntry = QStringLiteral("m_bOnlySpecificColor");
const QString kPathEntry = QStringLiteral("m_sFilePath");
} // namespace

CDlgColorEvent::CDlgColorEvent(PlatformServices services, QWidget* parent)
    : QDialog(parent), m_services(services), m_toneWorkers(services.tone) {
    BuiltControls built = BuildControls(this, ColorEventTemplate());
    m_controls = std::move(built.byId);
    m_placed = std::move(built.placed);
    m_stcColorHint = qobject_cast<QLabel*>(Control(IDC_COLOR_HINT));
    m_stcLocationHint = qobject_cast<QLabel*>(Control(IDC_LOCATION_HINT));
    m_stcTargetColor = qobject_cast<CColorStatic*>(Control(IDC_TARGET_COLOR));
    m_stcMatchColor = qobject_cast<CColorStatic*>(Control(IDC_MATCH_COLOR));
    setWindowTitle(QStringLiteral("Dialog"));
    for (const int id : {IDC_LOCATION_UNDER_CURSOR, IDC_BROWSE_PATH, IDC_COLOR_UNDER_CURSOR,
                         IDC_SHOW_LOCATION, IDC_TEST_BEEP}) {
        auto* button = qobject_cast<QAbstractButton*>(Control(id));
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
    }
    connect(qobject_cast<QAbstractButton*>(Control(IDOK)), &QAbstractButton::clicked, this,
            &CDlgColorEvent::accept);
    connect(qobject_cast<QAbstractButton*>(Control(IDCANCEL)), &QAbstractButton::clicked, this,
            &CDlgColorEvent::reject);
    LayOut();
    m_picking = std::make_unique<EditorPicking>(
        services, *this, *m_stcLocationHint, *m_stcColorHint,
        [this](OverlayPick pick, QPoint location, COLORREF colour) {
            if (pick == OverlayPick::Location)
                TakeLocation(location, colour);
            else
                TakeTargetColor(location, colour);
        },
        [this] { LayOut(); });
}

CDlgColorEvent::~CDlgColorEvent() = default;

int CDlgColorEvent::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CDlgColorEvent::OnCommand(int id) {
    switch (id) {
    case IDC_LOCATION_UNDER_CURSOR:
        OnLocationUnderCursor();
        return true;
    case IDC_BROWSE_PATH:
        OnBrowsePath();
        return true;
    case IDC_COLOR_UNDER_CURSOR:
        OnColorUnderCursor();
        return true;
    case IDC_SHOW_LOCATION:
        OnShowLocation();
        return true;
    case IDC_TEST_BEEP:
        OnTestBeep();
        return true;
    default:
        return false;
    }
}

bool CDlgColorEvent::DoDataExchange(bool saveAndValidate) {
    CDataExchange dx(m_controls, m_services.messageBox, this, saveAndValidate);
    dx.Text(IDC_RED, m_nRed);
    dx.Text(IDC_GREEN, m_nGreen);
    dx.Text(IDC_BLUE, m_nBlue);
    dx.Text(IDC_COMMAND, m_sCommand);
    dx.Text(IDC_FILE_PATH, m_sFilePath);
    dx.Text(IDC_MAX_COUNT, m_nMaxCount);
    dx.Text(IDC_COMMENT, m_sComment);
    dx.Text(IDC_INTERVAL, m_nInterval);
    dx.Text(IDC_X, m_nX);
    dx.Text(IDC_Y, m_nY);
    dx.Check(IDC_ONLY_SPECIFIC_COLOR, m_bOnlySpecificColor);
    dx.Check(IDC_ENABLED, m_bEnabled);
    dx.Check(IDC_AUDIO_ALERT, m_bAudioAlert);
    dx.Text(IDC_FREQUENCY, m_nFrequency);
    dx.Text(IDC_DURATION, m_nDuration);
    dx.Check(IDC_EXECUTE, m_bExecute);
    return dx.Succeeded();
}

void CDlgColorEvent::LoadFromRecord() {
    const CEventInfo& event = *m_pEvent;
    m_nRed = static_cast<int>(GetRValue(event.m_clrMatch));
    m_nGreen = static_cast<int>(GetGValue(event.m_clrMatch));
    m_nBlue = static_cast<int>(GetBValue(event.m_clrMatch));
    m_clrMatch = event.m_clrMatch;
    m_sCommand = event.m_sCommand;
    m_sFilePath = event.m_sFilePath;
    m_nMaxCount = event.m_nMaxCount;
    m_sComment = event.m_sComment;
    m_nInterval = event.m_nInterval;
    m_ptLocation = event.m_ptLocation;
    m_bOnlySpecificColor = event.m_bOnlySpecificColor;
    m_clrTarget = event.m_clrTarget;
    m_bEnabled = event.m_bEnabled;
    m_nX = m_ptLocation.x();
    m_nY = m_ptLocation.y();
}

void CDlgColorEvent::LoadFromProfile() {
    IProfile& profile = m_services.profile;
    m_bOnlySpecificColor = profile.GetProfileInt(kSettings, kModeEntry, 0);
    m_sFilePath =
        profile.GetProfileString(kSettings, kPathEntry, m_services.folders.DefaultEditorPath());
}

void CDlgColorEvent::OnInitDialog() {
    if (m_bEditMode && m_pEvent)
        LoadFromRecord();
    else if (!m_bEditMode)
        LoadFromProfile();
    if (m_pEvent) {
        m_bAudioAlert = m_pEvent->m_bAudioAlert;
        m_nFrequency = m_pEvent->m_nFrequency;
        m_nDuration = m_pEvent->m_nDuration;
        m_bExecute = m_pEvent->m_bExecute;
    }
    DoDataExchange(false);
    m_picking->Start();
    LayOut(); // the hints' new texts must fit too
    m_hIcon = QApplication::windowIcon();
    setWindowIcon(m_hIcon);
    const QString title = QString::fromLatin1(kAppTitle);
    if (m_bEditMode) {
        m_sTitle = QStringLiteral("Edit Color Matching Event - %1").arg(title);
        m_stcMatchColor->SetColor(m_clrMatch);
    } else {
        m_sTitle = QStringLiteral("Add Color Matching Event - %1").arg(title);
        // Runs once the dialog's loop starts: the point under the pointer at opening, where the
        // pointer can be read. The overlay is never opened unasked.
        if (!m_picking->PicksOnOverlay(PickAction::Location)) {
            PostCommand(this, IDC_LOCATION_UNDER_CURSOR);
        } else if (m_services.screen.Mechanisms().position != PointerPosition::Overlay) {
            // A stream that has not told where the pointer is yet leaves the fields as they are.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (const std::optional<QPoint> cursor = m_services.screen.GetCursorPos())
                        TakeLocation(*cursor, std::nullopt);
                },
                Qt::QueuedConnection);
        }
    }
    setWindowTitle(m_sTitle);
    m_stcTargetColor->SetColor(m_clrTarget);
    Control(IDC_LOCATION_UNDER_CURSOR)->setFocus();
}

void CDlgColorEvent::ShowError(const QString& text) {
    m_services.messageBox.MessageBox(this, text, MbButtons::Ok, MbIcon::Error);
}

void CDlgColorEvent::OnLocationUnderCursor() {
    if (m_picking->PicksOnOverlay(PickAction::Location))
        m_picking->OpenPickOverlay(OverlayPick::Location);
    else
        PickLocationAtPointer();
}

void CDlgColorEvent::PickLocationAtPointer() {
    const std::optional<QPoint> cursor = m_services.screen.GetCursorPos();
    if (!cursor) {
        ShowError(QStringLiteral("Could not get Current Mouse Curor Position."));
        return;
    }
    TakeLocation(*cursor, std::nullopt);
}

void CDlgColorEvent::TakeLocation(QPoint location, std::optional<COLORREF> seen) {
    const COLORREF colour = seen ? *seen : m_services.screen.GetPixel(location.x(), location.y());
    if (!m_picking->TakePick(colour, PickAction::Location))
        return;
    m_ptLocation = location;
    // Typed text survives the refill below; a refused number keeps its previous value.
    DoDataExchange(true);
    m_clrMatch = colour;
    m_nRed = static_cast<int>(GetRValue(m_clrMatch));
    m_nGreen = static_cast<int>(GetGValue(m_clrMatch));
    m_nBlue = static_cast<int>(GetBValue(m_clrMatch));
    m_stcMatchColor->SetColor(m_clrMatch);
    m_nX = m_ptLocation.x();
    m_nY = m_ptLocation.y();
    DoDataExchange(false);
}

void CDlgColorEvent::OnColorUnderCursor() {
    if (m_picking->PicksOnOverlay(PickAction::Color)) {
        m_picking->OpenPickOverlay(OverlayPick::Color);
        return;
    }
    const std::optional<QPoint> cursor = m_services.screen.GetCursorPos();
    if (!cursor) {
        ShowError(QStringLiteral("Could not get Current Mouse Curor Position."));
        return;
    }
    TakeTargetColor(*cursor, std::nullopt);
}

void CDlgColorEvent::TakeTargetColor(QPoint location, std::optional<COLORREF> seen) {
    const COLORREF colour = seen ? *seen : m_services.screen.GetPixel(location.x(), location.y());
    if (!m_picking->TakePick(colour, PickAction::Color))
        return;
    DoDataExchange(true);
    m_clrTarget = colour;
    m_stcTargetColor->SetColor(m_clrTarget);
}

void CDlgColorEvent::OnShowLocation() {
    ShowLocation(m_services.screen, m_ptLocation, this);
}

void CDlgColorEvent::OnBrowsePath() {
    // "*" rather than "*.*": on this desktop programs and many files have no extension.
    const QString path = m_services.fileChooser.GetOpenFileName(
        this, m_services.folders.DesktopFolder(), QStringLiteral("All Files (*)"));
    if (path.isEmpty())
        return;
    DoDataExchange(true);
    m_sFilePath = path;
    DoDataExchange(false);
}

void CDlgColorEvent::OnTestBeep() {
    DoDataExchange(true);
    m_toneWorkers.Start(m_nFrequency, m_nDuration);
}

void CDlgColorEvent::StoreToRecord() {
    CEventInfo& event = *m_pEvent;
    event.m_clrMatch = m_clrMatch;
    event.m_sCommand = m_sCommand;
    event.m_sFilePath = m_sFilePath;
    event.m_nMaxCount = m_nMaxCount;
    event.m_sComment = m_sComment;
    event.m_nInterval = m_nInterval;
    event.m_ptLocation = m_ptLocation;
    event.m_bOnlySpecificColor = m_bOnlySpecificColor;
    event.m_clrTarget = m_clrTarget;
    event.m_bEnabled = m_bEnabled;
    if (m_bEnabled)
        event.m_nDetectCount = 0;
    event.m_bAudioAlert = m_bAudioAlert;
    event.m_nFrequency = m_nFrequency;
    event.m_nDuration = m_nDuration;
    event.m_bExecute = m_bExecute;
}

void CDlgColorEvent::OnOK() {
    if (!DoDataExchange(true))
        return;
    m_sCommand = m_sCommand.trimmed();
    if (m_bExecute && m_sCommand.isEmpty()) {
        ShowError(QStringLiteral(
            "Please Specify the Command to be Executed.\n\nThe Command is a String which is "
            "displayed when you Right Click on the Specified File.\n\nExamples of Command are "
            "Open, Print, Edit, etc, Specify it as Open if you are unsure about it."));
        return;
    }
    if (m_bExecute && m_sFilePath.isEmpty()) {
        ShowError(QStringLiteral("Please Specify the File or Application Path to Continue.\n\n"
                                 "This File Path will be executed when Color Change is "
                                 "Detected."));
        return;
    }
    if (m_pEvent)
        StoreToRecord();
    if (!m_bEditMode) {
        m_services.profile.WriteProfileInt(kSettings, kModeEntry, m_bOnlySpecificColor);
        m_services.profile.WriteProfileString(kSettings, kPathEntry, m_sFilePath);
    }
    QDialog::accept();
}

void CDlgColorEvent::accept() {
    OnOK();
}

void CDlgColorEvent::done(int result) {
    // The keys go back to the desktop however the dialog ends, and the overlay goes with it.
    m_picking->Stop();
    m_bInitialized = false;
    QDialog::done(result);
}

bool CDlgColorEvent::event(QEvent* event) {
    if (DispatchPostedCommand(*this, event))
        return true;
    return QDialog::event(event);
}

void CDlgColorEvent::showEvent(QShowEvent* event) {
    // Each opening starts from the record or the profile, as a freshly made dialog would.
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CDlgColorEvent::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        LayOut();
    QDialog::changeEvent(event);
}

void CDlgColorEvent::LayOut() {
    DialogUnitLayout::Apply(this, QSize(kColorEventWidthDu, kColorEventHeightDu), m_placed);
}
