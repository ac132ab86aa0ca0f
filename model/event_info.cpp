#include "event_info.h"

#include "archive.h"

CEventInfo::CEventInfo(const CEventInfo& other) {
    *this = other;
}

CEventInfo& CEventInfo::operator=(const CEventInfo& other) {
    m_clrMatch = other.m_clrMatch;
    m_sCommand = other.m_sCommand;
    m_sFilePath = other.m_sFilePath;
    m_nMaxCount = other.m_nMaxCount;
    m_ptLocation = other.m_ptLocation;
    m_sComment = other.m_sComment;
    m_nInterval = other.m_nInterval;
    m_bOnlySpecificColor = other.m_bOnlySpecificColor;
    m_clrTarget = other.m_clrTarget;
    m_bEnabled = other.m_bEnabled;
    m_nDetectCount = other.m_nDetectCount;
    m_bAudioAlert = other.m_bAudioAlert;
    m_nFrequency = other.m_nFrequency;
    m_nDuration = other.m_nDuration;
    m_bExecute = other.m_bExecute;
    return *this;
}

namespace {

void StoreColor(CArchive& ar, COLORREF color) {
    ar << GetRValue(color) << GetGValue(color) << GetBValue(color);
}

COLORREF LoadColor(CArchive& ar) {
    std::uint32_t red = 0, green = 0, blue = 0;
    ar >> red >> green >> blue;
    return RGB(red, green, blue);
}

void LoadPoint(CArchive& ar, QPoint& point) {
    std::int32_t x = 0, y = 0;
    ar >> x;
    point.setX(x);
    ar >> y;
    point.setY(y);
}

} // namespace

void CEventInfo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        StoreColor(ar, m_clrMatch);
        StoreColor(ar, m_clrTarget);
        ar << m_bOnlySpecificColor << static_cast<std::int32_t>(m_ptLocation.x())
           << static_cast<std::int32_t>(m_ptLocation.y()) << m_nMaxCount << m_nDetectCount
           << m_nInterval << m_bEnabled << m_bAudioAlert << m_nFrequency << m_nDuration
           << m_bExecute;
        ar.WriteString(m_sCommand);
        ar.WriteString(m_sFilePath);
        ar.WriteString(m_sComment);
        return;
    }
    m_clrMatch = LoadColor(ar);
    m_clrTarget = LoadColor(ar);
    ar >> m_bOnlySpecificColor;
    LoadPoint(ar, m_ptLocation);
    ar >> m_nMaxCount >> m_nDetectCount >> m_nInterval >> m_bEnabled >> m_bAudioAlert >>
        m_nFrequency >> m_nDuration >> m_bExecute;
    ar.ReadString(m_sCommand);
    ar.ReadString(m_sFilePath);
    ar.ReadString(m_sComment);
}
