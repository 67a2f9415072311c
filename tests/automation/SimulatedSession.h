#pragma once

#include "automation/Task.h"
#include "automation/VirtualScheduler.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace keyferry::testing {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;
using Event = SimulatedDesktop::PostedEvent;
using Kind = SimulatedDesktop::PostedEvent::Kind;

/// A simulated desktop on virtual time with a target application holding a form of
/// Name and City, and Keyferry's own window; a plain object, so that a test can make one
/// afresh for each replay.
struct TargetDesktop {
    TargetDesktop() {
        keyferry = desktop.addApplication("keyferry", "Keyferry");
        desktop.setOwnApplication(keyferry);
        desktop.addWindow(keyferry, {900, 100, 300, 200});
        target = desktop.addApplication("Yad", "Yad");
        desktop.addWindow(target, {100, 100, 400, 300});
        desktop.addForm(target, {SimulatedDesktop::Field::named("Name"),
                                 SimulatedDesktop::Field::named("City")});
        desktop.bringToFront(target);
    }

    VirtualScheduler clock;
    SimulatedDesktop desktop{clock};
    int keyferry = 0;
    int target = 0;
};

/// The same desktop as a test fixture.
class SimulatedSession : public ::testing::Test, public TargetDesktop {
protected:
    /// Runs a task to its end on virtual time and returns its result.
    template <class T>
    T finish(Task<T> task) {
        task.start();
        clock.runUntil([&] { return task.done(); });
        EXPECT_TRUE(task.done());
        if constexpr (!std::is_void_v<T>)
            return *task.result();
    }

    Ms now() const { return std::chrono::duration_cast<Ms>(clock.now()); }
    SimulatedDesktop::Form& form() { return *desktop.form(target); }
    static Ms at(const Event& event) { return std::chrono::duration_cast<Ms>(event.time); }
    std::vector<Ms> keyDownTimes(Key key) const {
        std::vector<Ms> times;
        for (const Event& event : desktop.postedEvents())
            if (event.kind == Kind::keyDown && event.key == key)
                times.push_back(at(event));
        return times;
    }
};

} // namespace keyferry::testing
