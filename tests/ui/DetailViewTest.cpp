#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "UiSession.h"
#include "ui/TemplateListModel.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class DetailTest : public UiSession {
protected:
    void SetUp() override {
        open();
        store->addTemplate();
        store->addTemplate();
        a = store->templates()[0].id;
        b = store->templates()[1].id;
        store->setSelectedTemplateID(a);
        QApplication::processEvents();
    }
    void rename(const std::string& name) {
        detail().editDraft([&](Template& item) { item.name = name; });
    }
    std::string nameOnDisk(const Uuid& id) const {
        for (const Template& item : onDisk())
            if (item.id == id)
                return item.name;
        return "<missing>";
    }
    Uuid a, b;
};

} // namespace

TEST_F(DetailTest, EditsAreSavedOnceTwoSecondsAfterTheLast) {
    EXPECT_FALSE(detail().hasUnsavedChanges()) << "a template just selected has nothing unsaved";
    EXPECT_FALSE(detail().saveButton()->isEnabled());
    rename("A");
    advance(1000ms);
    rename("Ab");
    advance(1000ms);
    rename("Abc");
    EXPECT_EQ(store->templates()[0].name, "Abc") << "the sidebar shows every name at once";
    EXPECT_EQ(detail().statusText()->text(), QStringLiteral("Unsaved Changes"));
    advance(1999ms);
    EXPECT_EQ(nameOnDisk(a), "New Template") << "nothing written before the debounce ends";
    advance(1ms);
    EXPECT_EQ(nameOnDisk(a), "Abc");
    EXPECT_EQ(detail().statusText()->text(), QStringLiteral("Saved"));
    advance(2000ms);
    EXPECT_EQ(detail().statusText()->text(), QString()) << "the Saved marker goes after 2 s";
}

TEST_F(DetailTest, CtrlSSavesAtOnceAndTheTimerSavesAgain) {
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(detail().showsSavedFeedback()) << "nothing to save: the shortcut does nothing";
    rename("Quick");
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(nameOnDisk(a), "Quick");
    EXPECT_TRUE(detail().showsSavedFeedback());
    std::filesystem::remove(temp.path() / "templates.json");
    advance(2000ms);
    EXPECT_EQ(nameOnDisk(a), "Quick") << "the pending timer saved a second time";
}

TEST_F(DetailTest, SelectionChangeCommitsAndLoadsWithoutMarkingUnsaved) {
    rename("Edited A");
    store->setSelectedTemplateID(b);
    QApplication::processEvents();
    EXPECT_EQ(nameOnDisk(a), "Edited A") << "A's edits are in the file at once";
    ASSERT_TRUE(detail().draft());
    EXPECT_EQ(detail().draft()->id, b);
    EXPECT_FALSE(detail().hasUnsavedChanges()) << "B was not edited";
    EXPECT_EQ(detail().statusText()->text(), QString());
}

TEST_F(DetailTest, SidebarRenameReachesTheOpenDraft) {
    detail().editDraft([](Template& item) { item.settings.countdownSeconds = 9; });
    auto* model = window->sidebar()->list()->model();
    model->setData(model->index(0, 0), QStringLiteral("Renamed in sidebar"), Qt::EditRole);
    EXPECT_EQ(detail().draft()->name, "Renamed in sidebar");
    advance(2000ms); // the draft's next commit
    EXPECT_EQ(nameOnDisk(a), "Renamed in sidebar") << "the commit did not undo the rename";
    EXPECT_EQ(onDisk()[0].settings.countdownSeconds, 9);
}

TEST_F(DetailTest, DeletedTemplateIsNotWrittenBack) {
    rename("Doomed");
    window->sidebar()->remove(a);
    advance(3000ms);
    ASSERT_EQ(onDisk().size(), 1u);
    EXPECT_EQ(onDisk()[0].id, b);
}

TEST_F(DetailTest, QuittingCommitsTheOpenDraft) {
    rename("Last words");
    window->close();
    EXPECT_EQ(nameOnDisk(a), "Last words");
}
