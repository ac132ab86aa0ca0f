// The modal dialog that adds or edits one colour-matching event: its form. The location and the
// colours come from the live screen through its picking (editor_picking.h).
#pragma once

#include "color_static.h"
#include "engine/tone_workers.h"
#include "platform/cmd_target.h"
#include "platform/services.h"
#include "template_builder.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QPoint>

#include <memory>
#include <optional>
#include <vector>

class CEventInfo;
class EditorPicking;
class QLabel;

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
    void OnTestBeep();
    void OnOK();

    // The control with template id `id`, or nullptr.
    QWidget* Control(int id) const { return m_controls.value(id); }

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
    // The pick keys, their hints and the pick overlay.
    std::unique_ptr<EditorPicking> m_picking;
    bool m_bInitialized = false;
};
