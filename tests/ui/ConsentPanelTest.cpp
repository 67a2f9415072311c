#include <QLabel>
#include <QPushButton>

#include "UiSession.h"
#include "ui/CSVPanel.h"
#include "ui/RunnerPanel.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class ConsentPanel : public UiSession {
protected:
    /// A template of one Name field into Yad, with names.csv imported and the runner open.
    RunnerPanel* openRunner(const std::string& csv);
};

RunnerPanel* ConsentPanel::openRunner(const std::string& csv) {
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().editDraft([](Template& item) {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        Step name = Step::ofType(StepType::textInput);
        name.label = "Name";
        item.steps = {name};
    });
    writeText(temp.path() / "names.csv", csv);
    detail().csvPanel()->loadFile(QString::fromStdString((temp.path() / "names.csv").string()));
    detail().toggleRunner();
    return detail().runnerPanel();
}

} // namespace

// Where the desktop asks the user before Keyferry may type, the runner says so while it waits
// and types once the user has allowed it.
TEST_F(ConsentPanel, RunnerSaysItWaitsForTheDesktopsQuestionUntilTheUserAnswers) {
    desktop.setInputConsent({}, std::chrono::seconds(5));
    RunnerPanel* runner = openRunner("Name\nAda\n");
    ASSERT_TRUE(runner);
    QPushButton* start = runner->button(QStringLiteral("Start"));
    ASSERT_TRUE(start && start->isEnabled());
    start->click();
    advance(std::chrono::milliseconds(2000));
    EXPECT_TRUE(runner->statusLabel()->isVisible());
    EXPECT_EQ(runner->statusLabel()->text().toStdString(), RunnerEngine::askingMessage);
    EXPECT_TRUE(desktop.postedEvents().empty());
    advance(std::chrono::milliseconds(8000));
    EXPECT_EQ(desktop.form(target)->submissions.size(), 0u) << "no Return in this template";
    EXPECT_EQ(desktop.form(target)->fields[0].text, "Ada");
}

// Characters the desktop cannot type: Start refuses, naming them and their entries.
TEST_F(ConsentPanel, RunnerRefusesRowsWithCharactersTheDesktopCannotTypeNamingThem) {
    desktop.setUntypable({"\u00FC"});
    RunnerPanel* runner = openRunner("Name\nAda\nJ\u00FCrgen\n");
    ASSERT_TRUE(runner);
    runner->button(QStringLiteral("Start"))->click();
    advance(std::chrono::milliseconds(2000));
    EXPECT_EQ(runner->pageName(), QStringLiteral("idle"));
    EXPECT_TRUE(desktop.postedEvents().empty());
    EXPECT_TRUE(runner->statusLabel()->text().startsWith(QStringLiteral(
        "1 character cannot be typed on this desktop: \u201C\u00FC\u201D (in entry 2)")))
        << runner->statusLabel()->text().toStdString();
}
