#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "UiSession.h"
#include "ui/AccessibilityPrompt.h"
#include "ui/CapabilityNoticeView.h"
#include "ui/TemplateEditor.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

QStringList texts(const CapabilityNoticeView& view) {
    QStringList result;
    for (const QLabel* line : view.lines())
        result << line->text();
    return result;
}

} // namespace

TEST_F(UiSession, NoticeShowsOnlyWhatTheDesktopLacks) {
    open();
    EXPECT_FALSE(window->notice()->isVisible()) << "nothing to say when everything is there";

    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    desktop.setMissing(Capability::recordKeys, "keys typed elsewhere cannot be seen");
    window->hide();
    window->show(); // the desktop is described again when the window shows
    QApplication::processEvents();
    const CapabilityNoticeView& notice = *window->notice();
    ASSERT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.title()->text(), QStringLiteral("Not available on this desktop (simulated)"));
    EXPECT_EQ(texts(notice),
              (QStringList{QStringLiteral("Record keys: keys typed elsewhere cannot be seen. What "
                                          "you can do: use a desktop that offers it."),
                           QStringLiteral("See the user's clicks: clicks in other applications "
                                          "cannot be seen. What you can do: use a desktop that "
                                          "offers it.")}));
    for (const QLabel* line : notice.lines()) {
        SCOPED_TRACE(line->text().toStdString());
        EXPECT_FALSE(line->accessibleName().isEmpty());
        EXPECT_EQ(line->accessibleDescription(), line->text());
        EXPECT_TRUE(line->toolTip().startsWith(QStringLiteral("What you can do: ")));
        EXPECT_TRUE(line->focusPolicy() & Qt::TabFocus) << "reachable by keyboard";
    }
    EXPECT_FALSE(window->prompt()->isVisible()) << "typing works: nothing covers the window";

    QToolButton* hide = notice.hideButton();
    ASSERT_TRUE(hide);
    EXPECT_FALSE(hide->accessibleName().isEmpty());
    EXPECT_FALSE(hide->toolTip().isEmpty());
    hide->setFocus();
    QTest::keyClick(hide, Qt::Key_Space);
    EXPECT_FALSE(notice.isVisible()) << "the keyboard hides it";
}

TEST_F(UiSession, PromptListsWhatIsMissingAndNoLongerCallsWaylandUnsupported) {
    desktop.setTrusted(false);
    desktop.setMissing(Capability::typeLayoutText, "no virtual keyboard here");
    open();
    ASSERT_TRUE(window->prompt()->isVisible());
    EXPECT_FALSE(window->notice()->isVisible()) << "the prompt covers the window with the list";
    const CapabilityNoticeView& notice = *window->prompt()->notice();
    EXPECT_EQ(texts(notice), QStringList{QStringLiteral(
                                 "Type layout text: no virtual keyboard here. What you can do: "
                                 "use a desktop that offers it.")});
    for (const QLabel* label : window->prompt()->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QStringLiteral("not supported")))
            << label->text().toStdString();
    EXPECT_FALSE(window->prompt()->enableButton()->accessibleName().isEmpty());
    EXPECT_FALSE(window->prompt()->enableButton()->toolTip().isEmpty());
}

TEST_F(UiSession, StepsNeedingWhatIsMissingAreFlaggedInTheEditor) {
    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().editDraft([](Template& item) {
        item.steps = {Step::ofType(StepType::tab), Step::ofType(StepType::wait)};
    });
    QApplication::processEvents();
    TemplateEditor& editor = *detail().editor();
    const auto flag = [&](int row) {
        return editor.stepRow(row)->findChild<QToolButton*>(QStringLiteral("missingCapability"));
    };
    EXPECT_EQ(flag(0), nullptr) << "a Tab runs here";
    QToolButton* wait = flag(1);
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->accessibleName(), QStringLiteral("Step 2 cannot run on this desktop"));
    const QString why = QStringLiteral(
        "This step cannot run on this desktop (simulated). \u201Csee the user's clicks\u201D is "
        "missing: clicks in other applications cannot be seen. What you can do: use a desktop "
        "that offers it.");
    EXPECT_EQ(wait->toolTip(), why);
    EXPECT_EQ(wait->accessibleDescription(), why);
    EXPECT_TRUE(wait->focusPolicy() & Qt::TabFocus) << "reachable by keyboard";

    // Once the step is gone, so is the flag.
    detail().editDraft([](Template& item) { item.steps = {Step::ofType(StepType::returnKey)}; });
    QApplication::processEvents();
    EXPECT_EQ(flag(0), nullptr);
}
