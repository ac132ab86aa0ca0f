// Modal message boxes, captioned with the application title.
#pragma once

#include <QString>

class QWidget;

enum class MbButtons { Ok, YesNo };
enum class MbIcon { Information, Error, Question };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows `text` modally over `owner` (nullptr: no owner) and returns the button pressed:
    // IDOK, IDYES or IDNO (closing a Yes/No box counts as IDNO).
    virtual int MessageBox(QWidget* owner, const QString& text, MbButtons buttons,
                           MbIcon icon) = 0;
};
