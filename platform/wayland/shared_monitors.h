// The monitors a screen-cast share covers, and the ones it leaves out.
#pragma once

#include <QRect>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct SharedMonitor {
    std::uint32_t node = 0; // PipeWire node of the monitor's stream
    QRect area;             // where it lies on the desktop
};

// The monitors of a Start answer's `streams`, placed as PlaceStreams says.
std::vector<SharedMonitor> SharedMonitorsOf(const QVariant& streams);
// The monitors to read, of the streams that came with a position and those without: one of the
// latter can be placed only when it is the only stream (at the origin); among several it is
// left out, since no point of the desktop can be said to lie on it.
std::vector<SharedMonitor> PlaceStreams(std::vector<SharedMonitor> placed,
                                        std::vector<SharedMonitor> unplaced);

struct KnownMonitor {
    QString name;
    QRect area; // the desktop's units, as the streams' areas
};

// The names of the `known` monitors whose middle no shared area covers: the desktop left them
// out of the share (the user ticked only some, or the portal shares one output), so none of
// their points can be read.
std::vector<QString> MonitorsLeftOut(const std::vector<SharedMonitor>& shared,
                                     const std::vector<KnownMonitor>& known);
