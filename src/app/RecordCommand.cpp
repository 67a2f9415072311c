#include <QCoreApplication>

#include "app/Commands.h"
#include "app/InterruptWatch.h"
#include "app/StoredTemplate.h"
#include "model/TemplateStore.h"
#include "platform/DesktopServicesLoader.h"
#include "recording/RecorderService.h"
#include "ui/QtScheduler.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace keyferry {

namespace {

std::string describeStep(const Step& step, std::size_t number) {
    std::string line =
        "Step " + std::to_string(number) + ": " + std::string(displayName(step.type));
    if (!step.label.empty())
        line += " \"" + step.label + "\"";
    if (step.type == StepType::arrowKey && step.repeatCount > 1)
        line += " x" + std::to_string(step.repeatCount);
    return line;
}

// Why the desktop cannot record at all, or nothing: keys (X11) or fields (Wayland) will do.
std::optional<std::string> recordingRefusal(const DesktopDescription& description) {
    const auto* keys = findCapability(description, Capability::recordKeys);
    const auto* fields = findCapability(description, Capability::recordFields);
    if ((keys && keys->available) || (fields && fields->available))
        return std::nullopt;
    const CapabilityState* missing = fields ? fields : keys;
    std::string why = "This desktop cannot record";
    if (missing)
        why += ": " + missing->why + ". What you can do: " + missing->remedy;
    return why;
}

} // namespace

int runRecordCommand(const std::string& templateNameOrID, std::ostream& out, std::ostream& err) {
    int argc = 1;
    char name[] = "keyferry";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    // The store first: a file that cannot be read must not cost the user a recording.
    std::ostringstream storeDiagnostics;
    TemplateStore store(storeDiagnostics);
    if (const auto& failure = store.loadFailure()) {
        err << "Error loading: " << failure->error << '\n';
        return 1;
    }
    QtScheduler scheduler;
    auto desktop = loadDesktopServices(scheduler);
    if (!desktop) {
        err << desktop.error() << '\n';
        return 1;
    }
    if (const auto refusal = recordingRefusal(describeDesktop(**desktop))) {
        err << *refusal << '\n';
        return 1;
    }

    RecorderService recorder(**desktop, scheduler);
    // Each step is printed when it comes and again when it changes (Alt+Space, a repeated
    // arrow key).
    std::vector<std::string> printed;
    bool interrupted = false;
    recorder.changed.connect([&] {
        const auto& steps = recorder.recordedSteps();
        printed.resize(std::min(printed.size(), steps.size()));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::string line = describeStep(steps[i], i + 1);
            if (i < printed.size() && printed[i] == line)
                continue;
            out << line << '\n' << std::flush;
            if (i < printed.size())
                printed[i] = std::move(line);
            else
                printed.push_back(std::move(line));
        }
        if (recorder.state() == RecorderState::idle)
            QCoreApplication::exit(0);
    });
    InterruptWatch interrupts([&] {
        interrupted = true;
        QCoreApplication::exit(0);
    });
    out << "Recording the form in the window that has the focus, or in the next one you go "
           "to: the field you are in is the first step; move through the form with Tab "
           "(Alt+Space switches the last step between Tab and Text Input). Esc ends the "
           "recording; Ctrl+C cancels it.\n"
        << std::flush;
    // A template recorded again starts in a field of its own target only.
    std::optional<std::string> target;
    if (const auto known = findTemplate(store.templates(), templateNameOrID))
        target = store.templates()[*known].targetAppBundleID;
    recorder.startRecording(target);
    if (recorder.state() != RecorderState::recording) {
        err << "The recording could not start: Keyferry cannot watch the keyboard or the focus "
               "here (see keyferry desktop).\n";
        return 1;
    }
    QCoreApplication::exec();
    if (interrupted) {
        out << "Cancelled; nothing saved.\n";
        return 1;
    }
    const auto& steps = recorder.recordedSteps();
    if (steps.empty()) {
        out << "Nothing recorded; nothing saved.\n";
        return 1;
    }

    std::vector<Template> templates = store.templates();
    auto index = findTemplate(templates, templateNameOrID);
    const bool created = !index;
    if (created) {
        Template item;
        item.name = templateNameOrID;
        templates.push_back(std::move(item));
        index = templates.size() - 1;
    }
    Template* found = &templates[*index];
    found->steps = steps;
    if (recorder.detectedBundleID())
        found->targetAppBundleID = recorder.detectedBundleID();
    if (std::ranges::any_of(steps, [](const Step& step) { return step.field.has_value(); }))
        found->settings.waitForNextField = true;
    const Template saved = *found;
    store.setTemplates(std::move(templates));
    if (!store.save()) {
        err << "Error saving: " << store.lastSaveError().value_or("unknown") << '\n';
        return 1;
    }
    out << (created ? "Created" : "Replaced the steps of") << " \"" << saved.name
        << "\": " << steps.size() << " steps, target "
        << saved.targetAppBundleID.value_or("none (no window had the focus)") << ".\n";
    return 0;
}

} // namespace keyferry
