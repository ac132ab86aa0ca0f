// A command target that records what reaches it, posted or sent, and claims only the commands it
// is told to, or hands each to `forward`.
#pragma once

#include "platform/cmd_target.h"

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

class RecordingTarget : public QObject, public CCmdTarget {
public:
    explicit RecordingTarget(std::set<int> handled = {}) : m_handled(std::move(handled)) {}
    bool OnCommand(int id) override {
        received.push_back(id);
        return forward ? forward(id) : m_handled.count(id) > 0;
    }
    bool event(QEvent* e) override { return DispatchPostedCommand(*this, e) || QObject::event(e); }
    int Count(int id) const {
        return static_cast<int>(std::count(received.begin(), received.end(), id));
    }
    std::vector<int> received;
    std::function<bool(int)> forward;

private:
    std::set<int> m_handled;
};
