// Message boxes on QMessageBox, always captioned "Tintwatch".
#pragma once

#include "platform/message_box.h"

class QtMessageBox : public IMessageBox {
public:
    int MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) override;
    // From now on each text goes to standard error and the box answers OK (No for Yes/No) at
    // once: the display is gone, and a box's loop would only meet the end of the process.
    void WithoutDisplay() { m_bWithoutDisplay = true; }

private:
    bool m_bWithoutDisplay = false;
};
