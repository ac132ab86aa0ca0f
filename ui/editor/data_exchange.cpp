#include "data_exchange.h"

#include "platform/message_box.h"

#include <QCheckBox>
#include <QLineEdit>

#include <limits>

namespace {
// Decimal digits only, at least one; nullopt beyond 64 bits of magnitude.
std::optional<std::uint64_t> ParseMagnitude(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 19)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
    }
    return value;
}
} // namespace

std::optional<std::int32_t> ParseInt32(const QString& text) {
    const QString trimmed = text.trimmed();
    QStringView digits(trimmed);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    const std::optional<std::uint64_t> magnitude = ParseMagnitude(digits);
    if (!magnitude)
        return std::nullopt;
    const auto limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1u : 0u);
    if (*magnitude > limit)
        return std::nullopt;
    const auto signedValue = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

std::optional<std::uint32_t> ParseUInt32(const QString& text) {
    const std::optional<std::uint64_t> magnitude = ParseMagnitude(text.trimmed());
    if (!magnitude || *magnitude > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*magnitude);
}

void CDataExchange::Text(int id, std::int32_t& value) {
    Number(id, value, ParseInt32, QStringLiteral("Please enter an integer."));
}

void CDataExchange::Text(int id, std::uint32_t& value) {
    Number(id, value, ParseUInt32, QStringLiteral("Please enter a positive integer."));
}

template <typename Int>
void CDataExchange::Number(int id, Int& value, std::optional<Int> (*parse)(const QString&),
                           const QString& refusal) {
    if (m_bFailed)
        return;
    if (!m_bSaveAndValidate) {
        SetControlText(id, QString::number(value));
        return;
    }
    if (const std::optional<Int> parsed = parse(ControlText(id)))
        value = *parsed;
    else
        Refuse(id, refusal);
}

void CDataExchange::Text(int id, QString& value) {
    if (m_bFailed)
        return;
    if (m_bSaveAndValidate)
        value = ControlText(id);
    else
        SetControlText(id, value);
}

void CDataExchange::Check(int id, int& value) {
    auto* box = qobject_cast<QCheckBox*>(m_controls.value(id));
    if (m_bFailed || !box)
        return;
    if (m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

QString CDataExchange::ControlText(int id) const {
    const auto* edit = qobject_cast<const QLineEdit*>(m_controls.value(id));
    return edit ? edit->text() : QString();
}

void CDataExchange::SetControlText(int id, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(m_controls.value(id)))
        edit->setText(text);
}

void CDataExchange::Refuse(int id, const QString& message) {
    m_bFailed = true;
    m_messageBox.MessageBox(m_owner, message, MbButtons::Ok, MbIcon::Error);
    if (auto* edit = qobject_cast<QLineEdit*>(m_controls.value(id))) {
        edit->setFocus();
        edit->selectAll();
    }
}
