// Message boxes on QMessageBox, always captioned "Tintwatch".
#pragma once

#include "platform/message_box.h"

class QtMessageBox : public IMessageBox {
public:
    int MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) override;
};
