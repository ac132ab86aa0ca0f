#include "shared_monitors.h"

#include <QDBusArgument>
#include <algorithm>
#include <optional>

namespace {

std::optional<QPoint> PairOf(const QVariant& value) {
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    int first = 0, second = 0;
    const auto argument = value.value<QDBusArgument>();
    argument.beginStructure();
    argument >> first >> second;
    argument.endStructure();
    return QPoint(first, second);
}

} // namespace

std::vector<SharedMonitor> SharedMonitorsOf(const QVariant& streams) {
    std::vector<SharedMonitor> placed, unplaced;
    if (!streams.canConvert<QDBusArgument>())
        return placed;
    const auto argument = streams.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        SharedMonitor monitor;
        QVariantMap properties;
        argument.beginStructure();
        argument >> monitor.node >> properties;
        argument.endStructure();
        const QPoint size = PairOf(properties.value(QStringLiteral("size"))).value_or(QPoint());
        const std::optional<QPoint> position = PairOf(properties.value(QStringLiteral("position")));
        monitor.area = QRect(position.value_or(QPoint()), QSize(size.x(), size.y()));
        (position ? placed : unplaced).push_back(monitor);
    }
    argument.endArray();
    return PlaceStreams(std::move(placed), std::move(unplaced));
}

std::vector<SharedMonitor> PlaceStreams(std::vector<SharedMonitor> placed,
                                        std::vector<SharedMonitor> unplaced) {
    return placed.empty() && unplaced.size() == 1 ? unplaced : placed;
}

std::vector<QString> MonitorsLeftOut(const std::vector<SharedMonitor>& shared,
                                     const std::vector<KnownMonitor>& known) {
    std::vector<QString> left;
    for (const KnownMonitor& monitor : known) {
        const QPoint middle = monitor.area.center();
        if (std::none_of(shared.begin(), shared.end(),
                         [&](const SharedMonitor& one) { return one.area.contains(middle); }))
            left.push_back(monitor.name);
    }
    return left;
}
