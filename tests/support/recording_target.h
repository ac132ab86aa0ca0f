// A command target that records what reaches it and claims only the commands it is told to.
#pragma once

#include "platform/cmd_target.h"

#include <set>
#include <vector>

class RecordingTarget : public CCmdTarget {
public:
    explicit RecordingTarget(std::set<int> handled = {}) : m_handled(std::move(handled)) {}
    bool OnCommand(int id) override {
        received.push_back(id);
        return m_handled.count(id) > 0;
    }
    std::vector<int> received;

private:
    std::set<int> m_handled;
};
