// Event records and data-file bytes built independently of the document, and the one
// field-by-field comparison of stored fields.
#pragma once

#include "model/event_info.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <optional>
#include <vector>

// An event whose every stored field depends on `seed`, so that two seeds never look alike.
CEventInfo NumberedEvent(int seed, int commentLength = 8);
void ExpectSameStoredFields(const CEventInfo& a, const CEventInfo& b);

// What the end-to-end runs watch: a window of blue over kWatchedArea, and an event that opens
// `file`, silently, while its point in that window differs from the blue, every 300 ms, up to
// 3 times.
inline const QRect kWatchedArea(1080, 820, 160, 160);
inline const QString kWatchedBlue = QStringLiteral("#2040c0");
CEventInfo WatchingEvent(const QString& file);

// Little-endian 32-bit words written byte by byte, independent of the archive.
QByteArray Words(std::initializer_list<std::int64_t> words);
// A record in the archive's layout, as the event writes it.
QByteArray RecordBytes(CEventInfo event);
// A whole data file holding `events`, for a 1280 x 1024 screen.
QByteArray DataFileBytes(const std::vector<CEventInfo>& events);
// The events of a data file's bytes; nullopt when they do not load whole.
std::optional<std::vector<CEventInfo>> EventsOf(const QByteArray& bytes);
