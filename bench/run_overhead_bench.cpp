// Engine overhead: runs a template over many rows on the simulated desktop in real time
// (Qt event loop), and compares the wall time with the waits the template prescribes,
// which a run of the same template on virtual time measures exactly.
//
// Usage: run_overhead_bench [ROWS_WITH_WAITS] [ROWS_WITHOUT_WAITS]

#include <QCoreApplication>

#include "automation/RunnerEngine.h"
#include "automation/VirtualScheduler.h"
#include "platform/sim/SimulatedDesktop.h"
#include "ui/QtScheduler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace keyferry;

namespace {

Template templateWithWaits() {
    Template item;
    item.targetAppBundleID = "Yad";
    item.settings.countdownSeconds = 0;
    item.settings.interCharDelay = 0.001;
    auto add = [&](StepType type, double delay, std::string label = {}) {
        Step step = Step::ofType(type);
        step.postDelay = delay;
        step.label = std::move(label);
        item.steps.push_back(step);
    };
    add(StepType::textInput, 0.01, "Name");
    add(StepType::textInput, 0.01, "City");
    add(StepType::tab, 0.005);
    add(StepType::skipTabs, 0.005);
    add(StepType::arrowKey, 0.005);
    add(StepType::pause, 0.01);
    add(StepType::selectAllClear, 0);
    add(StepType::mouseClick, 0.005);
    add(StepType::tab, 0);
    add(StepType::returnKey, 0.01);
    return item;
}

Template templateWithoutWaits() {
    Template item = templateWithWaits();
    for (Step& step : item.steps) {
        step.type = StepType::pause;
        step.postDelay = 0;
    }
    return item;
}

CSVData rows(std::size_t count) {
    std::vector<std::vector<std::string>> cells(count, {"Erika Mustermann", "K\xC3\xB6ln"});
    return CSVData({"Name", "City"}, cells);
}

void setUp(SimulatedDesktop& desktop) {
    const int own = desktop.addApplication("keyferry", "Keyferry");
    desktop.setOwnApplication(own);
    const int target = desktop.addApplication("Yad", "Yad");
    desktop.addWindow(target, {100, 100, 400, 300});
    desktop.addForm(
        target, {SimulatedDesktop::Field::named("Name"), SimulatedDesktop::Field::named("City")});
    desktop.bringToFront(target);
}

// The waits a run prescribes: the same run on virtual time, where only waits take time.
double prescribedSeconds(const Template& item, std::size_t count) {
    VirtualScheduler clock;
    SimulatedDesktop desktop(clock);
    setUp(desktop);
    RunnerEngine runner(desktop, clock);
    runner.start(item, rows(count), 0, std::nullopt);
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    return std::chrono::duration<double>(clock.now()).count();
}

double wallSeconds(const Template& item, std::size_t count) {
    QtScheduler scheduler;
    SimulatedDesktop desktop(scheduler);
    setUp(desktop);
    RunnerEngine runner(desktop, scheduler);
    const auto start = std::chrono::steady_clock::now();
    runner.stateChanged.connect([&] {
        if (std::holds_alternative<runner_state::Finished>(runner.state()))
            QCoreApplication::quit();
    });
    runner.start(item, rows(count), 0, std::nullopt);
    QCoreApplication::exec();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::size_t withWaits = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const std::size_t withoutWaits = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000;

    const Template waiting = templateWithWaits();
    const double prescribed = prescribedSeconds(waiting, withWaits);
    const double wall = wallSeconds(waiting, withWaits);
    std::printf("%zu rows x %zu steps with waits: wall %.3f s, prescribed waits %.3f s, "
                "overhead %.3f s = %.2f %%\n",
                withWaits, waiting.steps.size(), wall, prescribed, wall - prescribed,
                100 * (wall - prescribed) / prescribed);

    const Template instant = templateWithoutWaits();
    const double zeroWall = wallSeconds(instant, withoutWaits);
    const double steps = static_cast<double>(withoutWaits * instant.steps.size());
    std::printf("%zu rows x %zu steps without waits: wall %.3f s = %.1f us per step\n",
                withoutWaits, instant.steps.size(), zeroWall, 1e6 * zeroWall / steps);
    return 0;
}
