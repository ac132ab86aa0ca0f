// Opening the event editor over the fakes, and reaching its controls by id.
#pragma once

#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "ui/editor/dlg_color_event.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <memory>

class EditorHarness {
public:
    // Shows the dialog non-modally, as its modal run would, and lets posted work run.
    CDlgColorEvent& Open(CEventInfo& event, bool editMode) {
        dialog = std::make_unique<CDlgColorEvent>(fakes.Services(), nullptr);
        dialog->m_pEvent = &event;
        dialog->m_bEditMode = editMode ? 1 : 0;
        dialog->show();
        QCoreApplication::processEvents();
        return *dialog;
    }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(dialog->Control(id)); }
    QCheckBox* Check(int id) const { return qobject_cast<QCheckBox*>(dialog->Control(id)); }
    QString Text(int id) const { return Edit(id)->text(); }
    void Type(int id, const QString& text) const { Edit(id)->setText(text); }

    FakePlatform fakes;
    std::unique_ptr<CDlgColorEvent> dialog;
};
