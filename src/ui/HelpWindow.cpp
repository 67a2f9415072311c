#include "ui/HelpWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "model/Enums.h"
#include "ui/Icons.h"

namespace keyferry {

namespace {

QString escaped(const char* text) {
    return QString::fromUtf8(text).toHtmlEscaped();
}

QString section(const char* title, const QString& content) {
    return QStringLiteral("<h2>%1</h2>%2").arg(escaped(title), content);
}

QString paragraph(const char* text) {
    return QStringLiteral("<p style='color:#555'>%1</p>").arg(escaped(text));
}

QString step(const char* number, const char* title, const char* text) {
    return QStringLiteral(
               "<table cellspacing='0' cellpadding='2'><tr>"
               "<td width='24' valign='top'><b style='color:#2563eb;font-size:large'>%1</b></td>"
               "<td><b>%2</b><br><span style='color:#555'>%3</span></td></tr></table>")
        .arg(escaped(number), escaped(title), escaped(text));
}

QString bullets(std::initializer_list<std::pair<const char*, const char*>> items) {
    QString html;
    for (const auto& [title, text] : items)
        html += QStringLiteral("<p>&bull; <b>%1:</b> %2</p>").arg(escaped(title), escaped(text));
    return html;
}

QString iconUrl(StepType type) {
    return QStringLiteral("icon:") +
           QString::fromLatin1(iconSymbol(type).data(),
                               static_cast<qsizetype>(iconSymbol(type).size()));
}

QString stepType(StepType type, const char* description) {
    return QStringLiteral("<table cellspacing='0' cellpadding='2'><tr><td width='20' valign='top'>"
                          "<img src='%1' width='16' height='16'></td><td><b>%2</b><br>"
                          "<span style='color:#555'>%3</span></td></tr></table>")
        .arg(iconUrl(type),
             QString::fromUtf8(displayName(type).data(),
                               static_cast<qsizetype>(displayName(type).size()))
                 .toHtmlEscaped(),
             escaped(description));
}

QString shortcut(const char* keys, const char* description) {
    return QStringLiteral("<p><code style='background:#eee'>&nbsp;%1&nbsp;</code> %2</p>")
        .arg(escaped(keys), escaped(description));
}

QString trouble(const char* title, const char* text) {
    return QStringLiteral("<p><b>%1</b><br><span style='color:#555'>%2</span></p>")
        .arg(escaped(title), escaped(text));
}

} // namespace

HelpWindowController& HelpWindowController::shared() {
    static HelpWindowController controller;
    return controller;
}

QString HelpWindowController::helpHtml() {
    QString html = QStringLiteral("<h1>Keyferry Help</h1><p style='color:#555;font-size:large'>"
                                  "Automated form filling from CSV templates</p><hr>");
    html += section(
        "Overview",
        paragraph("Keyferry automates repetitive data entry by simulating keyboard input in "
                  "any target application. You define a workflow of steps (text inputs, "
                  "tabs, returns, etc.), load data from a CSV file, and Keyferry types it "
                  "into the target app \u2014 row by row."));
    html += section(
        "Getting Started",
        step("1", "Grant Accessibility Permission",
             "Keyferry works in an X11 session and needs the desktop's assistive technologies "
             "turned "
             "on, so that applications show which field has the focus. On first launch Keyferry "
             "asks "
             "for it; press \"Enable Assistive Technologies\" and restart the applications you "
             "want to "
             "fill in. This is required to simulate keyboard input.") +
            step("2", "Create a Template",
                 "Click the + button in the sidebar to create a new template. Give it a name and "
                 "select a target application from the dropdown.") +
            step(
                "3", "Define Steps",
                "Add steps manually with \"Add Step\" or use the recorder to capture your workflow "
                "automatically.") +
            step("4", "Import CSV Data",
                 "Export a CSV template, fill it with your data, then import it back. Drag & drop "
                 "also "
                 "works.") +
            step("5", "Run", "Click \"Start\" in the Runner panel to begin automated entry."));
    html += section(
        "Templates",
        paragraph("A template defines the workflow for filling out a form. It consists of:") +
            bullets({{"Template Name", "A descriptive name shown in the sidebar"},
                     {"Target App", "The application where input will be simulated"},
                     {"Steps", "An ordered list of actions to perform per data row"},
                     {"Settings", "Countdown, character delay, and post-delay timing"}}) +
            paragraph("Right-click a template in the sidebar to rename, duplicate, or delete it."));
    html += section(
        "Step Types",
        stepType(StepType::textInput, "Types text from the CSV column (or a fixed value) into the "
                                      "current field. Automatically presses Tab after typing.") +
            stepType(StepType::tab, "Presses the Tab key to move to the next field.") +
            stepType(StepType::returnKey, "Presses the Return/Enter key.") +
            stepType(StepType::wait, "Pauses and waits for you to click in the target app before "
                                     "continuing. Useful for navigating to a specific location.") +
            stepType(StepType::pause, "Waits for the configured post-delay duration.") +
            stepType(StepType::skipTabs,
                     "Presses Tab multiple times (set via the Repeat column).") +
            stepType(StepType::selectAllClear,
                     "Selects all text in the current field (Ctrl+A) and deletes it.") +
            stepType(StepType::arrowKey,
                     "Presses an arrow key (Up/Down/Left/Right). Supports repeat "
                     "count for multiple presses.") +
            stepType(StepType::mouseClick,
                     "Simulates a mouse click (Left/Right, Single/Double). Can click at the "
                     "current mouse "
                     "position or at recorded coordinates relative to the target app window."));
    html += section(
        "Fixed Values",
        paragraph("Click the pin icon next to a Text Input step to set a fixed value. Fixed "
                  "values are typed for every row instead of reading from the CSV file. Fixed "
                  "steps don't require a CSV column.") +
            paragraph("Click the pin icon again to unpin and revert to CSV-based input."));
    html += section(
        "Recording",
        paragraph("The Recorder captures your workflow by watching which fields you navigate "
                  "through:") +
            bullets({{"Start", "Click the red \"Record\" button"},
                     {"Begin", "In the target app, put the focus just before the first field "
                               "(Shift+Tab): each Tab records the element it reaches"},
                     {"Navigate", "Use Tab to move between fields in the target app"},
                     {"Send", "Press Return on the button that sends the form"},
                     {"Toggle Type", "Press Alt+Space to change a step's type"},
                     {"Stop", "Press Esc to finish recording"}}) +
            paragraph("After recording, you can either replace all existing steps or insert "
                      "the recorded steps after a specific position."));
    html += section(
        "CSV Data",
        paragraph("Keyferry uses semicolon-separated CSV files (;) with a header row. Column "
                  "names must match the labels of your Text Input steps.") +
            bullets({{"CSV Export",
                      "Generates a CSV template with the correct headers for your template"},
                     {"CSV Import", "Loads a CSV file and validates it against your template"},
                     {"Clipboard",
                      "Copies the header row to the clipboard for pasting into a spreadsheet"},
                     {"Drag & Drop", "Drop a .csv file onto the CSV area to import it"},
                     {"Spreadsheets",
                      "Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import "
                      "too; the CSV area shows the separator found (change it in the Separator "
                      "box) and lets you pick a workbook's sheet"},
                     {"Paste Rows",
                      "Copy the cells in a spreadsheet, header row included, and press Ctrl+V "
                      "in the CSV area (or Edit > Paste Rows)"}}));
    html += section(
        "Runner",
        paragraph("The Runner executes your template against the loaded CSV data:") +
            bullets({{"Start", "Runs all entries from the specified starting row"},
                     {"Test Run", "Executes only one entry for testing"},
                     {"Pause", "Temporarily halts execution; click Resume to continue"},
                     {"Stop", "Cancels execution immediately (also via Ctrl+Shift+Esc)"},
                     {"Resume", "After completion or pause, resumes from where it left off"}}) +
            paragraph("The runner shows a progress bar with the entries done and the time left "
                      "during execution. If the target app loses focus, execution pauses "
                      "automatically.") +
            paragraph("With \"Pause when I type or click\" on, pressing a key or clicking "
                      "anywhere pauses the run before its next keystroke, so that your input "
                      "and Keyferry's never mix. While a Wait (Click) step waits for you, "
                      "clicking is expected and does not pause.") +
            paragraph("After every typed field Keyferry reads the field back through the "
                      "accessibility interface (\"Check typed text\"). A field that does "
                      "not show what was typed pauses the run at that row, naming the field and "
                      "both texts. Fields that cannot be read, such as password fields, are "
                      "not checked.") +
            paragraph("Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; "
                      "it holds no cell values except the two texts of a mismatch). After a "
                      "run the results list each row that was not entered; \"Run Failed "
                      "Rows\" runs just those again, as long as the same CSV file is "
                      "imported unchanged."));
    html += section(
        "Debug Mode",
        paragraph("Debug mode executes your workflow step-by-step in the actual target app, "
                  "using realistic placeholder data. After each step, Keyferry waits for you "
                  "to click \"Next\" before proceeding.") +
            paragraph("The current step is highlighted in purple in the step list. This is "
                      "useful for verifying that your workflow matches the form layout before "
                      "running it with real data."));
    html += section("Saving",
                    paragraph("Templates are saved automatically after 2 seconds of inactivity. "
                              "You can also save manually with Ctrl+S or the Save button. An "
                              "orange dot indicates unsaved changes; a green checkmark confirms "
                              "the save."));
    html += section(
        "Advanced Settings",
        bullets({{"Countdown (sec)",
                  "Delay before execution starts, giving you time to switch to the target app"},
                 {"Char Delay (sec)", "Delay between individual keystrokes when typing text"},
                 {"Default Post-Delay (sec)", "Delay after each step before the next one starts"},
                 {"Check typed text",
                  "Reads each field back after typing and pauses when it shows something else"},
                 {"Clear field before typing",
                  "Selects all and deletes before each value. Turn it off for spreadsheets: "
                  "there select-all takes the whole sheet. Off, each value is typed and "
                  "followed by Tab"}}) +
            paragraph("Individual steps can override the default post-delay via the Delay "
                      "column in the step list.") +
            paragraph("Spreadsheets: a spreadsheet's own AutoCorrect (curly quotes, a capital "
                      "first letter, completing from earlier entries) changes what lands in a "
                      "cell after Keyferry typed it. Switch those options off in the "
                      "spreadsheet for entries to arrive exactly as in the CSV file."));
    html +=
        section("Keyboard Shortcuts",
                shortcut("Ctrl+S", "Save template") +
                    shortcut("Ctrl+Shift+Esc", "Emergency stop (works globally)") +
                    shortcut("Space", "Scan next step (during recording)") +
                    shortcut("Alt+Space", "Toggle field type (during recording)") +
                    shortcut("Esc", "Stop recording") + shortcut("F1 or Ctrl+?", "Open this help"));
    html += section("Troubleshooting",
                    trouble("Keys are typed incorrectly",
                            "Increase the Char Delay in Advanced Settings. Some apps "
                            "need longer delays between keystrokes.") +
                        trouble("Target app loses focus",
                                "The runner pauses automatically. Click Resume to "
                                "continue. Make sure no notifications or popups steal focus.") +
                        trouble("Accessibility permission lost",
                                "If assistive technologies were turned off in your desktop's "
                                "settings, turn them on "
                                "again and restart the applications you fill in.") +
                        trouble("A run pauses with \"Field ... shows ..., expected ...\"",
                                "The field did not take the value as typed: it may limit "
                                "its length, refuse characters or complete what you type. "
                                "Mend the field or the CSV, go back to the form's first field "
                                "and Resume; or turn off Check typed text.") +
                        trouble("Rows are \"entered\", never \"verified\"",
                                "The target does not let Keyferry read its fields. Chromium "
                                "shows web page fields to assistive technologies only when "
                                "started with --force-renderer-accessibility (or while a "
                                "screen reader runs); a spreadsheet's cells cannot be read "
                                "while they are edited.") +
                        trouble("CSV import fails",
                                "Ensure the CSV uses semicolons (;) as delimiters and that column "
                                "names exactly match your Text Input step labels."));
    return html;
}

void HelpWindowController::show() {
    if (window_ && window_->isVisible()) {
        window_->raise();
        window_->activateWindow();
        return;
    }
    auto* window =
        new QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                 Qt::WindowMaximizeButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Keyferry Help"));
    window->resize(680, 700);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* page = new QTextBrowser(window);
    for (StepType type : allCases<StepType>()) // the step-type icons, in the accent colour
        page->document()->addResource(
            QTextDocument::ImageResource, QUrl(iconUrl(type)),
            symbolIcon(iconSymbol(type), QColor(0x25, 0x63, 0xEB)).pixmap(32, 32));
    page->setHtml(helpHtml());
    page->setOpenLinks(false);
    page->document()->setDocumentMargin(32);
    page->setAccessibleName(QStringLiteral("Keyferry Help"));
    layout->addWidget(page);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
    window_ = window; // an earlier, closed window is not reused
}

} // namespace keyferry
