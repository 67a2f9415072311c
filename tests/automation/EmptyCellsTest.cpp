// Empty cells anywhere: for each column of a form, a row with that column empty, generated, on
// forms with every kind of field (text field, text area, check box, list) in every place (first,
// before a list, before a check box, before links, last before the button). Each run finishes
// without a pause and the form receives exactly the row's values, nothing where a cell is empty.
// In virtual time on the simulated desktop, with the settings a recording gives (wait for the
// next field, read back, clear first) at no delay.

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

using Field = SimulatedDesktop::Field;

// A form field, the step recorded for it, and the values its column holds.
struct Column {
    Field field;
    std::string role; ///< as recorded
    std::string value;
    /// What the form receives from an empty cell: nothing for a text or a check box; for a
    /// list, the option it shows for none.
    std::string fromEmpty;
};

Field button(std::string name) {
    Field field = Field::named(std::move(name), ElementRole::other);
    field.acceptsText = false;
    return field;
}

Column text(std::string name, std::string value) {
    return {Field::named(std::move(name)), "text", std::move(value), ""};
}

Column textArea(std::string name, std::string value) {
    return {Field::named(std::move(name), ElementRole::textArea), "text area", std::move(value),
            ""};
}

Column checkBox(std::string name) {
    Field field = Field::named(std::move(name), ElementRole::checkBox);
    field.acceptsText = false;
    return {field, "check box", "yes", ""};
}

Column list(std::string name, std::vector<std::string> options, std::string value,
            std::string fromEmpty) {
    Field field = Field::named(std::move(name), ElementRole::comboBox);
    field.acceptsText = false;
    field.choices = std::move(options);
    return {field, "combo box", std::move(value), std::move(fromEmpty)};
}

Step recorded(StepType type, const Field& field, std::string role) {
    Step step = Step::ofType(type);
    if (type == StepType::textInput)
        step.label = field.name;
    step.field = FieldIdentity{std::move(role), field.name, "", {}, ""};
    return step;
}

// The columns in form order, with links (Tab steps) after the column at `linksAfter`; a loaded
// page takes no key for `deaf`: long enough that the first field's clearing and Tab go nowhere,
// short enough for the first key's tries.
struct Layout {
    const char* what;
    std::vector<Column> columns;
    std::optional<std::size_t> linksAfter;
    Scheduler::Duration deaf;
};

// A web form: Return sends it, the next page loads with its document focused first and takes
// no key for a moment after its first field has the focus, the focus follows a Tab a moment
// later, and a new page's list shows its first option.
class EmptyCellsTest : public SimulatedSession {
protected:
    void build(const Layout& layout) {
        item = Template{};
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.settings.waitForNextField = true;
        item.settings.verifyTypedText = true;
        item.settings.clearFieldFirst = true;
        item.settings.interCharDelay = 0;
        std::vector<Field> fields;
        for (std::size_t c = 0; c < layout.columns.size(); ++c) {
            const Column& column = layout.columns[c];
            fields.push_back(column.field);
            item.steps.push_back(recorded(StepType::textInput, column.field, column.role));
            if (layout.linksAfter != c)
                continue;
            for (const char* link : {"Today", "Calendar"}) {
                fields.push_back(button(link));
                item.steps.push_back(recorded(StepType::tab, fields.back(), "other"));
            }
        }
        fields.push_back(button("Save"));
        item.steps.push_back(recorded(StepType::returnKey, fields.back(), "other"));
        for (Step& step : item.steps)
            step.postDelay = 0; // as recorded: the run waits for fields, not the clock
        form().fields = fields;
        form().focused = 0;
        form().submissions.clear();
        form().focusLag = 15ms;
        form().reloadTime = 400ms;
        form().documentFirst = 50ms;
        form().deafAfterLoad = layout.deaf;
        form().deafUntil = {};
        showFirstOptions();
        desktop.onKey(target, [this](Key key, Modifiers) {
            if (key == Key::returnKey)
                showFirstOptions();
        });
    }
    void showFirstOptions() {
        for (Field& field : form().fields)
            if (!field.choices.empty())
                field.text = field.choices.front();
    }
    /// A full row, then for each column a row with that column empty.
    static std::vector<std::vector<std::string>> rowsOf(const Layout& layout) {
        std::vector<std::string> full;
        for (const Column& column : layout.columns)
            full.push_back(column.value);
        std::vector<std::vector<std::string>> rows{full};
        for (std::size_t c = 0; c < layout.columns.size(); ++c) {
            rows.push_back(full);
            rows.back()[c].clear();
        }
        return rows;
    }
    /// What the form must receive for a row, field by field (links and the button: nothing).
    static std::vector<std::string> received(const Layout& layout,
                                             const std::vector<std::string>& row) {
        std::vector<std::string> values;
        for (std::size_t c = 0; c < layout.columns.size(); ++c) {
            const Column& column = layout.columns[c];
            if (column.role == "check box")
                values.push_back(row[c].empty() ? "" : "x");
            else
                values.push_back(row[c].empty() ? column.fromEmpty : row[c]);
            if (layout.linksAfter == c)
                values.insert(values.end(), {"", ""});
        }
        values.push_back("");
        return values;
    }

    Template item;
};

TEST_F(EmptyCellsTest, ARowWithAnyOneColumnEmptyRunsThroughAndSendsExactlyItsValues) {
    const std::vector<Layout> layouts = {
        {"a web admin form: text first, a list after a text, a date with two links, a text area "
         "before a check box, the check box last before the button",
         {text("Name", "Jürgen Weiß"), text("E-mail", "j@example.org"), text("City", "Köln"),
          list("Country", {"---------", "Austria", "Deutschland", "日本"}, "日本", "---------"),
          text("Date", "1950-01-01"), textArea("Notes", "Grüße 😀 line"), checkBox("VIP")},
         4,
         400ms},
        {"a check box first, a list after it, a text area before a text, a text last before the "
         "button; a list whose blank option is not its first",
         {checkBox("Active"), list("Title", {"Dr.", "", "Prof."}, "Prof.", ""),
          textArea("Address", "Straße 5, Köln"), text("Phone", "+49 221 123456")},
         std::nullopt,
         200ms},
        {"a list first, a text area last before the button",
         {list("Salutation", {"", "Mr", "Ms"}, "Ms", ""), text("Name", "Zoë"),
          textArea("Notes", "½ — Ωμέγα")},
         std::nullopt,
         200ms},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.what);
        build(layout);
        RunnerEngine runner{desktop, clock};
        std::vector<RowOutcome> outcomes;
        runner.rowEnded.connect([&](const RowOutcome& outcome) { outcomes.push_back(outcome); });
        const auto rows = rowsOf(layout);
        std::vector<std::string> header;
        for (const Column& column : layout.columns)
            header.push_back(column.field.name);
        ASSERT_TRUE(runner.start(item, CSVData(header, rows), 0, std::nullopt))
            << runner.statusMessage();
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });

        EXPECT_EQ(runner.state(), RunnerState(Finished{rows.size(), 0, rows.size()}))
            << runner.statusMessage();
        ASSERT_EQ(form().submissions.size(), rows.size()) << runner.statusMessage();
        for (std::size_t r = 0; r < rows.size(); ++r)
            EXPECT_EQ(form().submissions[r], received(layout, rows[r])) << "row " << r + 1;
        ASSERT_EQ(outcomes.size(), rows.size());
        for (const RowOutcome& outcome : outcomes) {
            EXPECT_EQ(outcome.status, RowStatus::verified) << "row " << outcome.entry;
            EXPECT_EQ(outcome.fieldsVerified, layout.columns.size()) << "row " << outcome.entry;
        }
        EXPECT_TRUE(desktop.heldDown().empty());
        desktop.onKey(target, nullptr);
    }
}

} // namespace
