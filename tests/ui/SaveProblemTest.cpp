#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "UiSession.h"
#include "support/FolderBlocker.h"
#include "ui/StoreStatusView.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class SaveProblemTest : public UiSession {
protected:
    StoreStatusView& status() { return *window->storeStatus(); }
    QAbstractItemModel& list() { return *window->sidebar()->list()->model(); }
    bool markedNotSaved(int row) {
        const QModelIndex item = list().index(row, 0);
        return item.data(Qt::ToolTipRole).toString().contains(QStringLiteral("(not saved: ")) &&
               item.data(Qt::AccessibleTextRole).toString().endsWith(QStringLiteral(", not saved"));
    }
    int visibleDialogs() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int visible = 0;
        for (const QMessageBox* box : window->findChildren<QMessageBox*>())
            visible += box->isVisible() ? 1 : 0;
        return visible;
    }
};

} // namespace

TEST_F(SaveProblemTest, FailedSavesAreShownAndNothingMadeDisappears) {
    open();
    QTest::mouseClick(window->sidebar()->addButton(), Qt::LeftButton);
    EXPECT_FALSE(status().isVisible()) << "nothing to say while saves succeed";
    EXPECT_FALSE(detail().hasUnsavedChanges()) << "the new template is in the file";
    EXPECT_TRUE(list().index(0, 0).data(Qt::DecorationRole).isNull());

    FolderBlocker blocker(temp.path(), FolderBlocker::strongestWay(temp.path()));
    ASSERT_TRUE(blocker.blocks());
    QTest::mouseClick(window->sidebar()->addButton(), Qt::LeftButton);
    ASSERT_EQ(list().rowCount(), 2) << "the new template stays in the list";
    ASSERT_TRUE(store->lastSaveError());
    const QString error = QString::fromStdString(*store->lastSaveError());
    EXPECT_TRUE(error.contains(QString::fromStdString(temp.path().string())))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromStdString(blocker.reason()))) << error.toStdString();

    // The status area at the bottom of the window, readable and reachable by keyboard.
    EXPECT_TRUE(status().isVisible());
    QLabel* problem = status().saveProblem();
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text(), StoreStatusView::saveProblemText(*store->lastSaveError()));
    EXPECT_TRUE(problem->text().contains(error));
    EXPECT_FALSE(problem->accessibleName().isEmpty());
    EXPECT_FALSE(problem->toolTip().isEmpty());
    EXPECT_TRUE(problem->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(status().loadProblem()->isVisible());

    // The first failure of the session opens a dialog that names the path and the reason.
    ASSERT_TRUE(status().saveDialog());
    EXPECT_TRUE(status().saveDialog()->isVisible());
    EXPECT_TRUE(status().saveDialog()->informativeText().contains(error));
    EXPECT_EQ(visibleDialogs(), 1);
    status().saveDialog()->close();
    EXPECT_EQ(visibleDialogs(), 0);

    // The list and the draft do not pretend the new template was stored.
    EXPECT_FALSE(markedNotSaved(0)) << "the first template is in the file";
    EXPECT_TRUE(markedNotSaved(1));
    EXPECT_TRUE(list().index(1, 0).data(Qt::ToolTipRole).toString().contains(error));
    EXPECT_TRUE(detail().hasUnsavedChanges());
    EXPECT_TRUE(detail().saveButton()->isEnabled());
    EXPECT_EQ(detail().statusText()->text(), QStringLiteral("Unsaved Changes"));

    // Later failures: the status area only, the draft still unsaved, no "Saved".
    detail().editDraft([](Template& item) { item.name = "Kept"; });
    advance(2000ms);
    EXPECT_EQ(visibleDialogs(), 0) << "one dialog per session";
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(detail().hasUnsavedChanges());
    EXPECT_FALSE(detail().showsSavedFeedback());
    EXPECT_EQ(list().index(1, 0).data().toString(), QStringLiteral("Kept"));
    QTest::mouseClick(detail().saveButton(), Qt::LeftButton);
    EXPECT_EQ(visibleDialogs(), 0);
    EXPECT_TRUE(detail().hasUnsavedChanges());

    // Selecting away and back keeps the mark: the file still lacks the template.
    store->setSelectedTemplateID(store->templates()[0].id);
    EXPECT_FALSE(detail().hasUnsavedChanges());
    store->setSelectedTemplateID(store->templates()[1].id);
    EXPECT_TRUE(detail().hasUnsavedChanges());

    // A save that succeeds clears the status and stores everything.
    blocker.unblock();
    QTest::mouseClick(detail().saveButton(), Qt::LeftButton);
    EXPECT_FALSE(store->lastSaveError());
    EXPECT_FALSE(status().isVisible());
    EXPECT_FALSE(detail().hasUnsavedChanges());
    EXPECT_TRUE(detail().showsSavedFeedback());
    EXPECT_FALSE(markedNotSaved(1));
    ASSERT_EQ(onDisk().size(), 2u);
    EXPECT_EQ(onDisk()[1].name, "Kept");
}

TEST_F(SaveProblemTest, UnreadableFileIsAnnouncedWithWhereItWent) {
    writeText(temp.path() / "templates.json", "[{\"broken\":");
    open();
    EXPECT_EQ(list().rowCount(), 0);
    QLabel* problem = status().loadProblem();
    EXPECT_TRUE(status().isVisible());
    EXPECT_TRUE(problem->isVisible());
    const QString file = QString::fromStdString((temp.path() / "templates.json").string());
    EXPECT_TRUE(problem->text().startsWith(
        QStringLiteral("The templates file %1 could not be read: ").arg(file)))
        << problem->text().toStdString();
    EXPECT_TRUE(problem->text().contains(QStringLiteral("will be moved aside")));
    EXPECT_FALSE(problem->accessibleName().isEmpty());
    EXPECT_FALSE(problem->toolTip().isEmpty());
    EXPECT_EQ(visibleDialogs(), 0) << "the dialog is for failed saves";

    QTest::mouseClick(window->sidebar()->addButton(), Qt::LeftButton);
    ASSERT_TRUE(store->loadFailure() && store->loadFailure()->keptAs);
    const std::filesystem::path keptAs = *store->loadFailure()->keptAs;
    EXPECT_EQ(readText(keptAs), "[{\"broken\":") << "the original is kept whole";
    EXPECT_TRUE(problem->text().endsWith(QStringLiteral("The original was moved to %1.")
                                             .arg(QString::fromStdString(keptAs.string()))))
        << problem->text().toStdString();
    EXPECT_FALSE(status().saveProblem()->isVisible());
    EXPECT_EQ(visibleDialogs(), 0);
    EXPECT_FALSE(detail().hasUnsavedChanges());
}
