#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include "UiSession.h"
#include "ui/AccessibilityPrompt.h"
#include "ui/HelpWindow.h"
#include "ui/TemplateListModel.h"

using namespace keyferry;
using namespace keyferry::testing;

TEST_F(UiSession, FirstStartShowsAnEmptyListAndNoSelection) {
    open();
    EXPECT_EQ(window->sidebar()->list()->model()->rowCount(), 0);
    EXPECT_TRUE(window->showsPlaceholder());
    EXPECT_GE(window->minimumWidth(), 800);
    EXPECT_GE(window->minimumHeight(), 500);
    EXPECT_EQ(window->sidebar()->minimumWidth(), 180);
    EXPECT_EQ(window->sidebar()->maximumWidth(), 280);
}

TEST_F(UiSession, SidebarAddsRenamesDuplicatesAndDeletes) {
    open();
    QToolButton* add = window->sidebar()->addButton();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(add, Qt::LeftButton);
    auto* model = window->sidebar()->list()->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(2, 0).data().toString(), QStringLiteral("New Template"));
    EXPECT_EQ(store->selectedTemplateID(), store->templates()[2].id);
    EXPECT_EQ(window->sidebar()->list()->currentIndex().row(), 2);
    EXPECT_EQ(onDisk().size(), 3u);
    EXPECT_FALSE(window->showsPlaceholder());

    // Committing the rename field: exactly as typed, the empty text included.
    ASSERT_TRUE(model->setData(model->index(0, 0), QString(), Qt::EditRole));
    EXPECT_EQ(model->index(0, 0).data().toString(), QString());
    EXPECT_EQ(onDisk()[0].name, "");

    window->sidebar()->duplicate(store->templates()[1].id);
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(3, 0).data().toString(), QStringLiteral("New Template (Copy)"));
    EXPECT_EQ(window->sidebar()->list()->currentIndex().row(), 3);

    window->sidebar()->remove(store->templates()[3].id); // the selected one
    EXPECT_EQ(store->selectedTemplateID(), store->templates()[0].id);
    EXPECT_EQ(detail().draft()->id, store->templates()[0].id) << "the detail pane follows";
    for (const Uuid id :
         {store->templates()[0].id, store->templates()[1].id, store->templates()[2].id})
        window->sidebar()->remove(id);
    EXPECT_TRUE(window->showsPlaceholder());
    EXPECT_EQ(window->detail(), nullptr);
}

TEST_F(UiSession, PermissionPromptFollowsTheGrant) {
    desktop.setTrusted(false);
    open();
    ASSERT_TRUE(window->prompt()->isVisible());
    EXPECT_FALSE(window->splitter()->isEnabled()) << "nothing behind it can be reached";
    QTest::keyClick(window->prompt(), Qt::Key_Escape);
    EXPECT_TRUE(window->prompt()->isVisible()) << "Escape does not dismiss it";

    QTest::mouseClick(window->prompt()->enableButton(), Qt::LeftButton);
    QTest::mouseClick(window->prompt()->enableButton(), Qt::LeftButton);
    EXPECT_EQ(desktop.promptsShown(), 2);
    desktop.setTrusted(true);
    advance(1999ms);
    EXPECT_TRUE(window->prompt()->isVisible());
    advance(1ms);
    EXPECT_FALSE(window->prompt()->isVisible()) << "within two seconds of the grant";
    EXPECT_TRUE(window->splitter()->isEnabled());

    desktop.setTrusted(false); // withdrawn while the application runs
    advance(2000ms);
    EXPECT_TRUE(window->prompt()->isVisible());
}

TEST_F(UiSession, OneHelpWindowAtATime) {
    open();
    auto& help = HelpWindowController::shared();
    help.show();
    QWidget* first = help.window();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Keyferry Help"));
    EXPECT_EQ(first->size(), QSize(680, 700));
    EXPECT_FALSE(first->windowFlags() & Qt::WindowMinimizeButtonHint);
    help.show();
    EXPECT_EQ(help.window(), first) << "the same window comes to the front";
    first->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    help.show();
    ASSERT_TRUE(help.window());
    EXPECT_TRUE(help.window()->isVisible());
    const QString html = HelpWindowController::helpHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<b>CSV Export:</b> Generates")));
    EXPECT_FALSE(html.contains(QStringLiteral("**")));
    EXPECT_TRUE(html.contains(QStringLiteral("Ctrl+Shift+Esc")));
    help.window()->close();
}
