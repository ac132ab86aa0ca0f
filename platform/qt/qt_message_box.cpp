#include "qt_message_box.h"

#include "res/resource_ids.h"

#include <QMessageBox>

#include <cstdio>

namespace {

QMessageBox::Icon QtIcon(MbIcon icon) {
    switch (icon) {
    case MbIcon::Information:
        return QMessageBox::Information;
    case MbIcon::Error:
        return QMessageBox::Critical;
    case MbIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtMessageBox::MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) {
    const bool yesNo = buttons == MbButtons::YesNo;
    if (m_bWithoutDisplay) {
        std::fprintf(stderr, "Tintwatch: %s\n", qPrintable(text));
        return yesNo ? IDNO : IDOK;
    }
    QMessageBox box(QtIcon(icon), QStringLiteral("Tintwatch"), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    // Closing the box or pressing Escape answers No.
    box.setEscapeButton(yesNo ? QMessageBox::No : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yesNo)
        return IDOK;
    return pressed == QMessageBox::Yes ? IDYES : IDNO;
}
