// The controls of the event editor (dialog template 131) in template order, which is also the
// tab order: kind, id, text and place in dialog units.
#pragma once

#include <QRect>
#include <QString>

#include <vector>

enum class ControlKind { GroupBox, Label, Hint, Swatch, Edit, PushButton, DefaultButton, CheckBox };

// Edit and button styles beyond the kind.
enum ControlStyle : unsigned {
    kPlain = 0,
    kReadOnly = 1u << 0,
    kCentered = 1u << 1,
    kDigitsOnly = 1u << 2,
    kNoTabStop = 1u << 3,
    kBoxTitle = 1u << 4, // a check box standing on a group box's top edge as its title
};

struct TemplateControl {
    int id; // -1 for labels and group boxes, which nothing refers to
    ControlKind kind;
    QString text;
    QRect dialogUnits;
    unsigned style = kPlain;
};

// Size of the whole dialog in dialog units.
inline constexpr int kColorEventWidthDu = 395;
inline constexpr int kColorEventHeightDu = 345;

const std::vector<TemplateControl>& ColorEventTemplate();
