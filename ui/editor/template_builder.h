// Makes the widgets of a dialog template, in template order so that the focus chain follows
// the template's tab order.
#pragma once

#include "color_event_template.h"

#include <QHash>

#include <vector>

class QWidget;

struct PlacedControl {
    QWidget* widget;
    QRect dialogUnits;
};

struct BuiltControls {
    QHash<int, QWidget*> byId;         // every control that has an id
    std::vector<PlacedControl> placed; // every control, in template order
};

// Creates the controls as children of `dialog` (which owns them). Each control with an id
// carries it as its object name ("1004") and as the property "controlId"; every control carries
// its place in the template as the property "templateIndex".
BuiltControls BuildControls(QWidget* dialog, const std::vector<TemplateControl>& controls);
