#include "ui/RecorderView.h"

#include <QLabel>
#include <QListWidget>

#include "UiSession.h"
#include "support/FocusOnlyDesktop.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

FocusedElement field(std::string title) {
    FocusedElement element;
    element.role = ElementRole::textField;
    element.title = std::move(title);
    element.processID = 200;
    return element;
}

/// Every label and list of the view, with what is missing of its name and tooltip.
std::vector<std::string> unnamedControls(const RecorderView& view) {
    std::vector<std::string> unnamed;
    std::vector<QWidget*> controls;
    for (QLabel* label : view.findChildren<QLabel*>())
        controls.push_back(label);
    for (QListWidget* list : view.findChildren<QListWidget*>())
        controls.push_back(list);
    for (const QWidget* control : controls) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const std::string what = control->metaObject()->className() + std::string(" \"") +
                                 (label ? label->text().toStdString() : std::string()) + "\"";
        if (control->accessibleName().isEmpty())
            unnamed.push_back(what + " has no accessible name");
        if (control->toolTip().isEmpty())
            unnamed.push_back(what + " has no tooltip");
    }
    return unnamed;
}

} // namespace

// Where keys are watched, the view names the keys that steer a recording and nothing is said
// to be missing.
TEST_F(UiSession, RecorderViewWhereKeysAreWatched) {
    RecorderService recorder(desktop, clock);
    RecorderView view(recorder);
    EXPECT_EQ(view.hintLabel()->text(), RecorderView::hintText());
    EXPECT_TRUE(view.focusOnlyLabel()->isHidden());
    EXPECT_EQ(unnamedControls(view), std::vector<std::string>{});
}

// Where the recorder follows the focus only, the view says what is not recorded (Return,
// arrow keys, clicks, click positions) and that those are added by hand; Alt+Space is not
// offered. The recorded fields show as they come.
TEST_F(UiSession, RecorderViewWhereOnlyTheFocusIsFollowed) {
    FocusOnlyDesktop focusOnly;
    RecorderService recorder(focusOnly, clock);
    RecorderView view(recorder);
    EXPECT_EQ(view.hintLabel()->text(), RecorderView::focusHintText());
    EXPECT_FALSE(view.hintLabel()->text().contains(QStringLiteral("Alt+Space")));
    EXPECT_FALSE(view.focusOnlyLabel()->isHidden());
    const QString notice = view.focusOnlyLabel()->text();
    for (const char* said : {"Return, arrow keys and clicks are not recorded", "add them by hand",
                             "Click positions cannot be recorded here"})
        EXPECT_TRUE(notice.contains(QString::fromUtf8(said))) << said;
    EXPECT_EQ(unnamedControls(view), std::vector<std::string>{});

    recorder.startRecording();
    focusOnly.focus(field("Name"));
    focusOnly.focus(field("City"));
    EXPECT_EQ(view.countLabel()->text(), QStringLiteral("2 steps"));
    ASSERT_EQ(view.list()->count(), 2);
    EXPECT_TRUE(view.list()->item(1)->text().endsWith(QStringLiteral("City")));
    EXPECT_EQ(view.detectedLabel()->text(), QStringLiteral("\u2336 Detected: City"));
}
