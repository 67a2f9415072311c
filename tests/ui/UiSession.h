#pragma once

#include <QApplication>
#include <QTest>

#include "automation/AccessibilityChecker.h"
#include "automation/VirtualScheduler.h"
#include "model/TemplateJson.h"
#include "platform/sim/SimulatedDesktop.h"
#include "support/TemporaryFolder.h"
#include "ui/MainWindow.h"
#include "ui/TemplateDetailView.h"
#include "ui/TemplateSidebar.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace keyferry::testing {

using namespace std::chrono_literals;

/// The main window on a simulated desktop, a store in a temporary folder and virtual time.
class UiSession : public ::testing::Test {
protected:
    UiSession() {
        const int own = desktop.addApplication("keyferry", "Keyferry");
        desktop.setOwnApplication(own);
        target = desktop.addApplication("Yad", "Yad");
        desktop.addWindow(target, {100, 100, 400, 300});
        desktop.addForm(target, {SimulatedDesktop::Field::named("Name"),
                                 SimulatedDesktop::Field::named("City")});
        desktop.bringToFront(target);
    }
    void open() {
        store = std::make_unique<TemplateStore>(temp.path(), diagnostics);
        checker = std::make_unique<AccessibilityChecker>(desktop, clock);
        runner = std::make_unique<RunnerEngine>(desktop, clock, checker.get());
        recorder = std::make_unique<RecorderService>(desktop, clock);
        window = std::make_unique<MainWindow>(*store, *checker, desktop, clock, *runner, *recorder);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), 1000));
        QApplication::processEvents();
    }
    /// The templates as the file holds them now.
    std::vector<Template> onDisk() const {
        const auto read = TemplateStore::readFile(temp.path() / "templates.json");
        EXPECT_TRUE(read.hasValue());
        return read.hasValue() ? *read : std::vector<Template>{};
    }
    void advance(std::chrono::milliseconds duration) {
        clock.advance(duration);
        QApplication::processEvents();
    }
    TemplateDetailView& detail() { return *window->detail(); }

    TemporaryFolder temp;
    VirtualScheduler clock;
    SimulatedDesktop desktop{clock};
    int target = 0;
    std::ostringstream diagnostics;
    std::unique_ptr<TemplateStore> store;
    std::unique_ptr<AccessibilityChecker> checker;
    std::unique_ptr<RunnerEngine> runner;      ///< the window's one runner
    std::unique_ptr<RecorderService> recorder; ///< the window's one recorder
    std::unique_ptr<MainWindow> window;
};

} // namespace keyferry::testing
