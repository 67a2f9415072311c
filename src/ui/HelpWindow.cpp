#include "ui/HelpWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "model/Enums.h"
#include "ui/CoreText.h"
#include "ui/Icons.h"

namespace keyferry {

namespace {

// Every text of the help passes here: translated when it was marked for translation.
QString escaped(const char* text) {
    return QCoreApplication::translate("keyferry::HelpWindow", text).toHtmlEscaped();
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
        .arg(iconUrl(type), displayText(type).toHtmlEscaped(), escaped(description));
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
    QString html =
        QStringLiteral("<h1>%1</h1><p style='color:#555;font-size:large'>%2</p><hr>")
            .arg(escaped(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Keyferry Help")),
                 escaped(QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                           "Automated form filling from CSV templates")));
    html += section(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Overview"),
                    paragraph(QT_TRANSLATE_NOOP(
                        "keyferry::HelpWindow",
                        "Keyferry automates repetitive data entry by simulating keyboard input in "
                        "any target application. You define a workflow of steps (text inputs, "
                        "tabs, returns, etc.), load data from a CSV file, and Keyferry types it "
                        "into the target app — row by row.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Getting Started"),
        step(
            "1", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Grant Accessibility Permission"),
            QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "Keyferry works in an X11 session and needs the desktop's assistive technologies "
                "turned "
                "on, so that applications show which field has the focus. On first launch Keyferry "
                "asks "
                "for it; press \"Enable Assistive Technologies\" and restart the applications you "
                "want to "
                "fill in. This is required to simulate keyboard input.")) +
            step("2", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Create a Template"),
                 QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                   "Click the + button in the sidebar to create a new template. "
                                   "Give it a name and "
                                   "select a target application from the dropdown.")) +
            step("3", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Define Steps"),
                 QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                   "Add steps manually with \"Add Step\" or use the recorder to "
                                   "capture your workflow "
                                   "automatically.")) +
            step("4", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Import CSV Data"),
                 QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                   "Export a CSV template, fill it with your data, then import it "
                                   "back. Drag & drop "
                                   "also "
                                   "works.")) +
            step("5", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Run"),
                 QT_TRANSLATE_NOOP(
                     "keyferry::HelpWindow",
                     "Click \"Start\" in the Runner panel to begin automated entry.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Templates"),
        paragraph(QT_TRANSLATE_NOOP(
            "keyferry::HelpWindow",
            "A template defines the workflow for filling out a form. It consists of:")) +
            bullets({{QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Template Name"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "A descriptive name shown in the sidebar")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Target App"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "The application where input will be simulated")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Steps"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "An ordered list of actions to perform per data row")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Settings"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "Countdown, character delay, and post-delay timing")}}) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "Right-click a template in the sidebar to rename, duplicate, or delete it.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Step Types"),
        stepType(StepType::textInput,
                 QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                   "Types text from the CSV column (or a fixed value) into the "
                                   "current field. Automatically presses Tab after typing.")) +
            stepType(StepType::tab,
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                       "Presses the Tab key to move to the next field.")) +
            stepType(StepType::returnKey,
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Presses the Return/Enter key.")) +
            stepType(
                StepType::wait,
                QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                  "Pauses and waits for you to click in the target app before "
                                  "continuing. Useful for navigating to a specific location.")) +
            stepType(StepType::pause,
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                       "Waits for the configured post-delay duration.")) +
            stepType(StepType::skipTabs,
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                       "Presses Tab multiple times (set via the Repeat column).")) +
            stepType(StepType::selectAllClear,
                     QT_TRANSLATE_NOOP(
                         "keyferry::HelpWindow",
                         "Selects all text in the current field (Ctrl+A) and deletes it.")) +
            stepType(StepType::arrowKey,
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                       "Presses an arrow key (Up/Down/Left/Right). Supports repeat "
                                       "count for multiple presses.")) +
            stepType(
                StepType::mouseClick,
                QT_TRANSLATE_NOOP(
                    "keyferry::HelpWindow",
                    "Simulates a mouse click (Left/Right, Single/Double). Can click at the "
                    "current mouse "
                    "position or at recorded coordinates relative to the target app window.")));
    html +=
        section(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Fixed Values"),
                paragraph(QT_TRANSLATE_NOOP(
                    "keyferry::HelpWindow",
                    "Click the pin icon next to a Text Input step to set a fixed value. Fixed "
                    "values are typed for every row instead of reading from the CSV file. Fixed "
                    "steps don't require a CSV column.")) +
                    paragraph(QT_TRANSLATE_NOOP(
                        "keyferry::HelpWindow",
                        "Click the pin icon again to unpin and revert to CSV-based input.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Recording"),
        paragraph(QT_TRANSLATE_NOOP(
            "keyferry::HelpWindow",
            "The Recorder captures your workflow by watching which fields you navigate "
            "through:")) +
            bullets(
                {{QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Start"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Click the red \"Record\" button")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Begin"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "In the target app, put the focus just before the first field "
                                    "(Shift+Tab): each Tab records the element it reaches")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Navigate"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Use Tab to move between fields in the target app")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Send"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Press Return on the button that sends the form")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Toggle Type"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Press Alt+Space to change a step's type")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Stop"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Press Esc to finish recording")}}) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "After recording, you can either replace all existing steps or insert "
                "the recorded steps after a specific position.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "CSV Data"),
        paragraph(QT_TRANSLATE_NOOP(
            "keyferry::HelpWindow",
            "Keyferry uses semicolon-separated CSV files (;) with a header row. Column "
            "names must match the labels of your Text Input steps.")) +
            bullets({{QT_TRANSLATE_NOOP("keyferry::HelpWindow", "CSV Export"),
                      QT_TRANSLATE_NOOP(
                          "keyferry::HelpWindow",
                          "Generates a CSV template with the correct headers for your template")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "CSV Import"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "Loads a CSV file and validates it against your template")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Clipboard"),
                      QT_TRANSLATE_NOOP(
                          "keyferry::HelpWindow",
                          "Copies the header row to the clipboard for pasting into a spreadsheet")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Drag & Drop"),
                      QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                        "Drop a .csv file onto the CSV area to import it")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Spreadsheets"),
                      QT_TRANSLATE_NOOP(
                          "keyferry::HelpWindow",
                          "Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import "
                          "too; the CSV area shows the separator found (change it in the Separator "
                          "box) and lets you pick a workbook's sheet")},
                     {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Paste Rows"),
                      QT_TRANSLATE_NOOP(
                          "keyferry::HelpWindow",
                          "Copy the cells in a spreadsheet, header row included, and press Ctrl+V "
                          "in the CSV area (or Edit > Paste Rows)")}}));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Runner"),
        paragraph(
            QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                              "The Runner executes your template against the loaded CSV data:")) +
            bullets(
                {{QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Start"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Runs all entries from the specified starting row")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Test Run"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Executes only one entry for testing")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Pause"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Temporarily halts execution; click Resume to continue")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Stop"),
                  QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                    "Cancels execution immediately (also via Ctrl+Shift+Esc)")},
                 {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Resume"),
                  QT_TRANSLATE_NOOP(
                      "keyferry::HelpWindow",
                      "After completion or pause, resumes from where it left off")}}) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "The runner shows a progress bar with the entries done and the time left "
                "during execution. If the target app loses focus, execution pauses "
                "automatically.")) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "With \"Pause when I type or click\" on, pressing a key or clicking "
                "anywhere pauses the run before its next keystroke, so that your input "
                "and Keyferry's never mix. While a Wait (Click) step waits for you, "
                "clicking is expected and does not pause.")) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "After every typed field Keyferry reads the field back through the "
                "accessibility interface (\"Check typed text\"). A field that does "
                "not show what was typed pauses the run at that row, naming the field and "
                "both texts. Fields that cannot be read, such as password fields, are "
                "not checked.")) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; "
                "it holds no cell values except the two texts of a mismatch). After a "
                "run the results list each row that was not entered; \"Run Failed "
                "Rows\" runs just those again, as long as the same CSV file is "
                "imported unchanged.")));
    html +=
        section(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Debug Mode"),
                paragraph(QT_TRANSLATE_NOOP(
                    "keyferry::HelpWindow",
                    "Debug mode executes your workflow step-by-step in the actual target app, "
                    "using realistic placeholder data. After each step, Keyferry waits for you "
                    "to click \"Next\" before proceeding.")) +
                    paragraph(QT_TRANSLATE_NOOP(
                        "keyferry::HelpWindow",
                        "The current step is highlighted in purple in the step list. This is "
                        "useful for verifying that your workflow matches the form layout before "
                        "running it with real data.")));
    html += section(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Saving"),
                    paragraph(QT_TRANSLATE_NOOP(
                        "keyferry::HelpWindow",
                        "Templates are saved automatically after 2 seconds of inactivity. "
                        "You can also save manually with Ctrl+S or the Save button. An "
                        "orange dot indicates unsaved changes; a green checkmark confirms "
                        "the save.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Advanced Settings"),
        bullets(
            {{QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Countdown (sec)"),
              QT_TRANSLATE_NOOP(
                  "keyferry::HelpWindow",
                  "Delay before execution starts, giving you time to switch to the target app")},
             {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Char Delay (sec)"),
              QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                "Delay between individual keystrokes when typing text")},
             {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Default Post-Delay (sec)"),
              QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                "Delay after each step before the next one starts")},
             {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Check typed text"),
              QT_TRANSLATE_NOOP(
                  "keyferry::HelpWindow",
                  "Reads each field back after typing and pauses when it shows something else")},
             {QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Clear field before typing"),
              QT_TRANSLATE_NOOP(
                  "keyferry::HelpWindow",
                  "Selects all and deletes before each value. Turn it off for spreadsheets: "
                  "there select-all takes the whole sheet. Off, each value is typed and "
                  "followed by Tab")}}) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "Individual steps can override the default post-delay via the Delay "
                "column in the step list.")) +
            paragraph(QT_TRANSLATE_NOOP(
                "keyferry::HelpWindow",
                "Spreadsheets: a spreadsheet's own AutoCorrect (curly quotes, a capital "
                "first letter, completing from earlier entries) changes what lands in a "
                "cell after Keyferry typed it. Switch those options off in the "
                "spreadsheet for entries to arrive exactly as in the CSV file.")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Keyboard Shortcuts"),
        shortcut("Ctrl+S", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Save template")) +
            shortcut("Ctrl+Shift+Esc",
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Emergency stop (works globally)")) +
            shortcut("Space", QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                                "Scan next step (during recording)")) +
            shortcut("Alt+Space", QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                                    "Toggle field type (during recording)")) +
            shortcut("Esc", QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Stop recording")) +
            shortcut(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "F1 or Ctrl+?"),
                     QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Open this help")));
    html += section(
        QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Troubleshooting"),
        trouble(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Keys are typed incorrectly"),
                QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                  "Increase the Char Delay in Advanced Settings. Some apps "
                                  "need longer delays between keystrokes.")) +
            trouble(
                QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Target app loses focus"),
                QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                  "The runner pauses automatically. Click Resume to "
                                  "continue. Make sure no notifications or popups steal focus.")) +
            trouble(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "Accessibility permission lost"),
                    QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                      "If assistive technologies were turned off in your desktop's "
                                      "settings, turn them on "
                                      "again and restart the applications you fill in.")) +
            trouble(
                QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                  "A run pauses with \"Field ... shows ..., expected ...\""),
                QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                  "The field did not take the value as typed: it may limit "
                                  "its length, refuse characters or complete what you type. "
                                  "Mend the field or the CSV, go back to the form's first field "
                                  "and Resume; or turn off Check typed text.")) +
            trouble(QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                      "Rows are \"entered\", never \"verified\""),
                    QT_TRANSLATE_NOOP("keyferry::HelpWindow",
                                      "The target does not let Keyferry read its fields. Chromium "
                                      "shows web page fields to assistive technologies only when "
                                      "started with --force-renderer-accessibility (or while a "
                                      "screen reader runs); a spreadsheet's cells cannot be read "
                                      "while they are edited.")) +
            trouble(QT_TRANSLATE_NOOP("keyferry::HelpWindow", "CSV import fails"),
                    QT_TRANSLATE_NOOP(
                        "keyferry::HelpWindow",
                        "Ensure the CSV uses semicolons (;) as delimiters and that column "
                        "names exactly match your Text Input step labels.")));
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
    window->setWindowTitle(QCoreApplication::translate("keyferry::HelpWindow", "Keyferry Help"));
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
    page->setAccessibleName(QCoreApplication::translate("keyferry::HelpWindow", "Keyferry Help"));
    layout->addWidget(page);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
    window_ = window; // an earlier, closed window is not reused
}

} // namespace keyferry
