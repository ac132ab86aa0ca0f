// The pointer as a screen-cast stream tells it in each buffer's cursor metadata
// (SPA_META_Cursor), where the desktop offers that (cursor_mode 4): its place in the frame.
#pragma once

#include <QPoint>
#include <optional>

#include <spa/buffer/buffer.h>
#include <spa/pod/builder.h>

struct CursorReport {
    bool overThisMonitor = false; // else the pointer is over another monitor, or hidden
    QPoint inFrame;               // the pointer's tip, in the frame's pixels
};

// Asks the producer for cursor metadata, with room for the pointer's picture: producers write
// the place and the picture into one block and send none when the picture does not fit.
const spa_pod* CursorMetaParam(spa_pod_builder& builder);

// What `buffer` says of the pointer; nullopt when it carries no cursor metadata.
std::optional<CursorReport> CursorReportOf(const spa_buffer& buffer);
