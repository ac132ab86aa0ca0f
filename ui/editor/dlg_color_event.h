// The modal dialog that adds or edits one colour-matching event, taking the location and the
// colours from the live screen by a global function key or the space bar on a pick button.
#pragma once

#include "color_static.h"
#include "engine/tone_workers.h"
#include "platform/cmd_target.h"
#include "platform/hot_keys.h"
#include "platform/services.h"
#include "template_builder.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QPoint>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CEventInfo;
class PickOverlay;
struct Frame;
class QLabel;
enum class OverlayPick;

class CDlgColorEvent : public QDialog, public CCmdTarget {
    Q_OBJECT
public:
    CDlgColorEvent(PlatformServices services, QWidget* parent);
    ~CDlgColorEvent() override;

    // Runs the dialog; IDOK after a successful OK (the record then written), else IDCANCEL.
    int DoModal();

    // Button clicks, direct or posted, by control id.
    bool OnCommand(int id) override;

    void OnLocationUnderCursor();
    void OnBrowsePath();
    void OnColorUnderCursor();
    void OnShowLocation();
    // A press of one of our function keys: posts the click of its pick button.
    void OnHotKey(std::uint16_t virtualKey);
    void OnTestBeep();
    void OnOK();

    // The control with template id `id`, or nullptr.
    QWidget* Control(int id) const { return m_controls.value(id); }

    std::uint16_t m_wLocationKey = 0;
    std::uint16_t m_wColorKey = 0;
    CEventInfo* m_pEvent = nullptr; // set by the caller; not owned
    QPoint m_ptLocation;
    COLORREF m_clrMatch = 0;
    COLORREF m_clrTarget = 0xFFFFFF;
    QString m_sTitle;
    int m_bEditMode = 0;
    QIcon m_hIcon;
    QLabel* m_stcColorHint = nullptr;
    QLabel* m_stcLocationHint = nullptr;
    CColorStatic* m_stcTargetColor = nullptr;
    CColorStatic* m_stcMatchColor = nullptr;
    int m_nRed = 0;
    int m_nGreen = 0;
    int m_nBlue = 0;
    QString m_sCommand = QStringLiteral("Open");
    QString m_sFilePath;
    int m_nMaxCount = 1;
    QString m_sComment;
    int m_nInterval = 1000;
    int m_nX = 0;
    int m_nY = 0;
    int m_bOnlySpecificColor = 1;
    int m_bEnabled = 1;
    int m_bAudioAlert = 0;
    std::uint32_t m_nFrequency = 0;
    std::uint32_t m_nDuration = 0;
    int m_bExecute = 0;

protected:
    // Moves the fields into the controls, or (saving) the controls into the fields; false when
    // a number was refused.
    bool DoDataExchange(bool saveAndValidate);
    void OnInitDialog();

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void accept() override;
    void done(int result) override;

private:
    // Whether a pick that read `colour` can be taken; shows in `hint` why not, else the key's
    // own hint again.
    bool TakePick(COLORREF colour, QLabel* hint, std::uint16_t key);
    std::uint16_t RegisterPickHotKey(QLabel* hint,
                                     std::unique_ptr<IHotKeyRegistration>& registration);
    // Where the desktop binds the keys itself (or binds none): asks it, and says how to pick.
    void BindDesktopPickKeys();
    void ShowDesktopPickHints();
    // Whether `action` is taken on the pick overlay rather than where the pointer is.
    bool PicksOnOverlay(PickAction action) const;
    // `waited`: turns already spent waiting for pictures newer than the last overlay.
    void OpenPickOverlay(OverlayPick clickPicks, int waited = 0);
    void PickLocationAtPointer();
    // The picks' common end: `seen` is the colour already read there, else it is read now.
    void TakeLocation(QPoint location, std::optional<COLORREF> seen);
    void TakeTargetColor(QPoint location, std::optional<COLORREF> seen);
    void LoadFromProfile();
    void LoadFromRecord();
    void StoreToRecord();
    void ShowError(const QString& text);
    void LayOut();

    PlatformServices m_services;
    ToneWorkers m_toneWorkers;
    QHash<int, QWidget*> m_controls;
    std::vector<PlacedControl> m_placed;
    std::unique_ptr<IHotKeyRegistration> m_locationKey;
    std::unique_ptr<IHotKeyRegistration> m_colorKey;
    // The picks' keys on a desktop that binds them itself, and the keys it named.
    std::unique_ptr<IHotKeyRegistration> m_desktopKeys;
    QString m_sLocationTrigger;
    QString m_sColorTrigger;
    std::unique_ptr<PickOverlay> m_overlay;
    // The pictures that were newest when the last overlay closed: they may show it.
    std::vector<std::shared_ptr<const Frame>> m_overlaidFrames;
    bool m_bInitialized = false;
};
