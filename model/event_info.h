// One colour-matching event: where to look, what colour to compare, how often, how many
// detections to act on and what to do on each.
#pragma once

#include "platform/types.h"

#include <QPoint>
#include <QString>

class CArchive;

// The record's schema number; it also heads the data file.
inline constexpr std::int32_t kEventSchema = 786;

class CEventInfo {
public:
    CEventInfo() = default;
    // A copy has every stored field of `other`; its colour text starts empty.
    CEventInfo(const CEventInfo& other);
    // Copies every stored field and keeps this record's own colour text.
    CEventInfo& operator=(const CEventInfo& other);
    virtual ~CEventInfo() = default;

    // Stores or loads the record in the archive's layout. Loading throws CArchiveException
    // when the data ends inside the integers; fields read before that keep their new values.
    virtual void Serialize(CArchive& ar);

    // Target mode (act when the pixel equals m_clrTarget) only when the flag is exactly 1.
    bool IsTargetMode() const { return m_bOnlySpecificColor == 1; }

    int m_nInterval = 1000;
    int m_nMaxCount = 0;
    int m_nDetectCount = 0;
    QPoint m_ptLocation;
    COLORREF m_clrMatch = 0;
    COLORREF m_clrTarget = 0;
    int m_bEnabled = 1;
    QString m_sColorText; // display text of m_clrMatch; never copied, never stored
    QString m_sCommand = QStringLiteral("Open");
    QString m_sFilePath;
    QString m_sComment;
    int m_bOnlySpecificColor = 1;
    int m_bAudioAlert = 1;
    std::uint32_t m_nFrequency = 2000;
    std::uint32_t m_nDuration = 5000;
    int m_bExecute = 1;
};
