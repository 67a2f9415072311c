#pragma once

#include "Desktop.h"
#include "JsonLines.h"
#include "TrustDesktop.h"
#include "model/Template.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// gtk4_form.py, native on Wayland: a run types Name, City and Code and clicks Submit, whose
// place the form reports relative to its window.

namespace keyferry::testing {

class Gtk4Form {
public:
    /// The Wayland app_id, which is the target's identity on sway and GNOME alike.
    static constexpr const char* appID = "org.keyferry.Gtk4Form";

    explicit Gtk4Form(std::filesystem::path log)
        : log_(std::move(log)), process_({"env", "GDK_BACKEND=wayland", "/usr/bin/python3",
                                          KEYFERRY_GTK4_FORM, log_.string()}) {}

    bool ready() const { return waitForRecord(log_, "ready"); }
    pid_t pid() const { return process_.pid(); }

    /// Submit's centre relative to the window's top left corner, as the form reports it.
    std::optional<std::pair<double, double>> submitCentre() const {
        const std::size_t asked = recordsOf(log_, "layout").size();
        ::kill(process_.pid(), SIGUSR1);
        if (!waitForRecord(log_, "layout", asked + 1, std::chrono::seconds(5)))
            return std::nullopt;
        const auto box = recordsOf(log_, "layout").back()["submit"];
        if (box[2].get<double>() <= 0)
            return std::nullopt;
        return std::pair{box[0].get<double>() + box[2].get<double>() / 2,
                         box[1].get<double>() + box[3].get<double>() / 2};
    }

    /// Name, City and Code, then a click at `submit`.
    static Template clickingTemplate(std::pair<double, double> submit) {
        Template form;
        form.name = "GTK 4 form";
        form.targetAppBundleID = appID;
        form.settings.countdownSeconds = 1;
        form.settings.interCharDelay = 0;
        for (const char* label : {"Name", "City", "Code"})
            form.steps.push_back(makeStep(StepType::textInput, label, 0.1));
        Step click = makeStep(StepType::mouseClick, "", 0.5);
        click.mouseButton = MouseButton::left;
        click.mouseClickType = MouseClickType::single;
        std::tie(click.mousePositionX, click.mousePositionY) = submit;
        form.steps.push_back(click);
        return form;
    }

    /// Expects the form to have received `rows` byte for byte, each sent by a click.
    void expectRowsSentByClick(const std::vector<std::vector<std::string>>& rows,
                               const std::string& runOutput) const {
        const auto received = recordsOf(log_, "row");
        ASSERT_EQ(received.size(), rows.size()) << runOutput;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(received[i]["by"].get<std::string>(), "click") << "row " << i + 1;
            const auto values = received[i]["values"].get<std::vector<std::string>>();
            ASSERT_EQ(values.size(), rows[i].size()) << "row " << i + 1;
            for (std::size_t field = 0; field < values.size(); ++field)
                EXPECT_EQ(escaped(values[field]), escaped(rows[i][field]))
                    << "row " << i + 1 << " field " << field + 1;
        }
    }

private:
    std::filesystem::path log_;
    Process process_;
};

} // namespace keyferry::testing
