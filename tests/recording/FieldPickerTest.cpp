// Recording one step's field again: the element focused in the target once the user is there.

#include "recording/FieldPicker.h"

#include "automation/SimulatedSession.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class Panel final : public RecordingPanel {
public:
    Panel(int& open, std::function<void()>& escape) : open_(open), escape_(escape) { ++open_; }
    ~Panel() override { --open_; }
    void setEscapeHandler(std::function<void()> handler) override { escape_ = std::move(handler); }

private:
    int& open_;
    std::function<void()>& escape_;
};

class FieldPickerTest : public SimulatedSession {
protected:
    FieldPickerTest() { desktop.bringToFront(keyferry); } // Enter was pressed in Keyferry
    void pick(std::optional<std::string> target = "Yad") {
        picker.pick(std::move(target), [this](std::optional<FieldIdentity> field) {
            ++completions;
            picked = std::move(field);
        });
    }

    int open = 0;
    std::function<void()> escape;
    FieldPicker picker{desktop, clock, [this](const std::string& title, const std::string&) {
                           EXPECT_EQ(title, FieldPicker::panelTitle);
                           return std::make_unique<Panel>(open, escape);
                       }};
    int completions = 0;
    std::optional<FieldIdentity> picked;
};

TEST_F(FieldPickerTest, TakesTheFieldFocusedInTheTargetOnceTheUserIsThere) {
    pick();
    EXPECT_EQ(open, 1) << "the instruction panel shows";
    clock.advance(2s);
    EXPECT_EQ(completions, 0) << "Keyferry's own focus is not the field sought";
    form().focused = 1;
    desktop.bringToFront(target);
    clock.advance(FieldPicker::poll);
    ASSERT_EQ(completions, 1);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->name, "City");
    EXPECT_EQ(picked->role, "text");
    EXPECT_EQ(open, 0) << "the panel goes";
    clock.advance(1s);
    EXPECT_EQ(completions, 1) << "exactly once";
}

TEST_F(FieldPickerTest, AnotherApplicationInFrontIsNotTheTarget) {
    const int other = desktop.addApplication("Other", "Other");
    desktop.addWindow(other, {0, 0, 50, 50});
    desktop.addForm(other, {SimulatedDesktop::Field::named("Search")});
    pick();
    desktop.bringToFront(other);
    clock.advance(1s);
    EXPECT_EQ(completions, 0);
    desktop.bringToFront(target);
    clock.advance(FieldPicker::poll);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->name, "Name");
}

TEST_F(FieldPickerTest, EscapeOrAMinuteWithoutAFieldGiveNothing) {
    pick();
    ASSERT_TRUE(escape);
    const auto handler = escape; // the panel, and with it its handler, goes while it runs
    handler();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(picked);
    EXPECT_EQ(open, 0);

    FieldPicker second{desktop, clock, nullptr};
    second.pick("Yad", [this](std::optional<FieldIdentity> field) {
        ++completions;
        picked = std::move(field);
    });
    clock.advance(FieldPicker::longest + FieldPicker::poll);
    EXPECT_EQ(completions, 2);
    EXPECT_FALSE(picked);
}

} // namespace
