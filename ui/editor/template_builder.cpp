#include "template_builder.h"

#include "color_static.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {
// Hides the frame line behind its box and caption only, not across its whole width.
class TitleCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(QRect(0, 0, qMin(sizeHint().width(), width()), height()),
                                palette().window());
        QCheckBox::paintEvent(event);
    }
};

QWidget* MakeEdit(QWidget* dialog, unsigned style) {
    auto* edit = new QLineEdit(dialog);
    edit->setReadOnly(style & kReadOnly);
    if (style & kCentered)
        edit->setAlignment(Qt::AlignCenter);
    if (style & kDigitsOnly)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QWidget* MakeButton(QWidget* dialog, const QString& text, bool isDefault) {
    auto* button = new QPushButton(text, dialog);
    // Enter presses the focused button, else the default one.
    button->setAutoDefault(true);
    button->setDefault(isDefault);
    return button;
}

QWidget* MakeControl(QWidget* dialog, const TemplateControl& entry) {
    switch (entry.kind) {
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(entry.text, dialog);
        // Controls are the dialog's children laid over the box, as in a template; the box
        // must not take their clicks.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        return box;
    }
    case ControlKind::Label:
        return new QLabel(entry.text, dialog);
    case ControlKind::Hint: {
        auto* hint = new QLabel(entry.text, dialog);
        hint->setTextFormat(Qt::PlainText);
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return hint;
    }
    case ControlKind::Swatch:
        return new CColorStatic(dialog);
    case ControlKind::Edit:
        return MakeEdit(dialog, entry.style);
    case ControlKind::PushButton:
        return MakeButton(dialog, entry.text, false);
    case ControlKind::DefaultButton:
        return MakeButton(dialog, entry.text, true);
    case ControlKind::CheckBox:
        if (entry.style & kBoxTitle)
            return new TitleCheckBox(entry.text, dialog);
        return new QCheckBox(entry.text, dialog);
    }
    return nullptr;
}

void ApplyTabStop(QWidget* control, const TemplateControl& entry) {
    if (entry.style & kNoTabStop)
        control->setFocusPolicy(Qt::ClickFocus);
}
} // namespace

BuiltControls BuildControls(QWidget* dialog, const std::vector<TemplateControl>& controls) {
    BuiltControls built;
    QLabel* pendingBuddy = nullptr;
    for (const TemplateControl& entry : controls) {
        QWidget* control = MakeControl(dialog, entry);
        control->setProperty("templateIndex", static_cast<int>(built.placed.size()));
        ApplyTabStop(control, entry);
        if (entry.id >= 0) {
            control->setObjectName(QString::number(entry.id));
            control->setProperty("controlId", entry.id);
            built.byId.insert(entry.id, control);
        }
        // A label's mnemonic moves the focus to the control that follows it.
        if (pendingBuddy)
            pendingBuddy->setBuddy(control);
        const bool hasMnemonic = entry.text.contains(QLatin1Char('&'));
        pendingBuddy = entry.kind == ControlKind::Label && hasMnemonic
                           ? static_cast<QLabel*>(control)
                           : nullptr;
        built.placed.push_back({control, entry.dialogUnits});
    }
    // Group boxes are painted beneath the controls laid over them.
    for (const PlacedControl& placed : built.placed) {
        if (qobject_cast<QGroupBox*>(placed.widget))
            placed.widget->lower();
    }
    return built;
}
