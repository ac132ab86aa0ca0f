// Moving values between a dialog's controls and its fields, in either direction. Saving
// converts each control's text; the first that does not convert is reported, gets the focus,
// and stops the exchange, so the fields after it keep their values.
#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>

class IMessageBox;
class QWidget;

// Signed 32-bit decimal, blanks around it allowed; nullopt for anything else or out of range.
std::optional<std::int32_t> ParseInt32(const QString& text);
// Unsigned 32-bit decimal, blanks around it allowed, no sign; nullopt otherwise.
std::optional<std::uint32_t> ParseUInt32(const QString& text);

class CDataExchange {
public:
    // `controls` maps ids to line edits and check boxes; `owner` owns the refusal messages.
    CDataExchange(const QHash<int, QWidget*>& controls, IMessageBox& messageBox, QWidget* owner,
                  bool saveAndValidate)
        : m_controls(controls), m_messageBox(messageBox), m_owner(owner),
          m_bSaveAndValidate(saveAndValidate) {}

    void Text(int id, std::int32_t& value);
    void Text(int id, std::uint32_t& value);
    void Text(int id, QString& value);
    // Checked is 1, clear is 0; any non-zero value shows checked.
    void Check(int id, int& value);

    // False once a value was refused; nothing more is exchanged after that.
    bool Succeeded() const { return !m_bFailed; }

private:
    template <typename Int>
    void Number(int id, Int& value, std::optional<Int> (*parse)(const QString&),
                const QString& refusal);
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);
    void Refuse(int id, const QString& message);

    const QHash<int, QWidget*>& m_controls;
    IMessageBox& m_messageBox;
    QWidget* m_owner;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};
