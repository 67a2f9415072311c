#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "Desktop.h"
#include "model/TemplateJson.h"
#include "ui/CSVPanel.h"

#include <cstdlib>
#include <sys/stat.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

Template nameAndShare() {
    Template people;
    people.name = "People";
    people.targetAppBundleID = "Yad";
    people.settings.countdownSeconds = 1;
    people.settings.interCharDelay = 0;
    for (const char* label : {"Name", "Share"}) {
        Step step = Step::ofType(StepType::textInput);
        step.label = label;
        step.postDelay = 0.1;
        people.steps.push_back(step);
    }
    Step submit = Step::ofType(StepType::returnKey);
    submit.postDelay = 1.5;
    people.steps.push_back(submit);
    return people;
}

// Two sheets, the rows on the second; shares as percentages with one decimal.
const char* const workbook = R"FODS(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:automatic-styles>
  <number:percentage-style style:name="Npct"><number:number number:decimal-places="1" number:min-decimal-places="1" number:min-integer-digits="1"/><number:text>%</number:text></number:percentage-style>
  <style:style style:name="cpct" style:family="table-cell" style:data-style-name="Npct"/>
 </office:automatic-styles>
 <office:body>
  <office:spreadsheet>
   <table:table table:name="Notes">
    <table:table-row><table:table-cell office:value-type="string"><text:p>not these</text:p></table:table-cell></table:table-row>
   </table:table>
   <table:table table:name="People">
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Name</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Share</text:p></table:table-cell>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Jürgen Groß</text:p></table:table-cell>
     <table:table-cell table:style-name="cpct" office:value-type="percentage" office:value="0.125"/>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>李小龙 👍🏽</text:p></table:table-cell>
     <table:table-cell table:style-name="cpct" office:value-type="percentage" office:value="0.5"/>
    </table:table-row>
   </table:table>
  </office:spreadsheet>
 </office:body>
</office:document>
)FODS";

} // namespace

// An .ods file LibreOffice Calc saved: `keyferry run --csv people.ods --sheet People` types
// its rows, as Calc shows them, into two real form dialogs, byte for byte.
TEST_F(DesktopTest, RunOverAnOdsFileTypesItsRows) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice (LibreOffice Calc) is not installed: scripts/install-deps.sh";
    writeText(temp.path() / "people.fods", workbook);
    // A profile of its own: no Calc the user has open is asked, nothing of theirs changed.
    const std::string convert =
        "soffice -env:UserInstallation=file://" + (temp.path() / "profile").string() +
        " --headless --convert-to ods --outdir '" + temp.path().string() + "' '" +
        (temp.path() / "people.fods").string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(convert.c_str()), 0) << convert;
    ASSERT_TRUE(std::filesystem::exists(temp.path() / "people.ods"));

    std::filesystem::create_directories(temp.path() / "Keyferry");
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({nameAndShare()}));
    const auto out = temp.path() / "dialogs.txt";
    Process dialogs({"sh", "-c",
                     "for i in 1 2; do yad --form --field=Name --field=Share --button=OK:0 >> '" +
                         out.string() + "'; done"});
    ASSERT_TRUE(waitForApplication("Yad"));
    const std::string home = temp.path().string();
    const std::string printed =
        shell("XDG_DATA_HOME='" + home + "' XDG_STATE_HOME='" + home + "' XDG_CONFIG_HOME='" +
              home + "' '" + KEYFERRY_BINARY + "' run --template People --csv '" +
              (temp.path() / "people.ods").string() + "' --sheet People 2>&1; echo \"exit=$?\"");
    EXPECT_NE(printed.find("exit=0"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Done. Entries entered: 2 (2 verified)."), std::string::npos) << printed;
    dialogs.wait();
    EXPECT_EQ(readText(out), "J\u00FCrgen Gro\u00DF|12.5%|\n"
                             "\u674E\u5C0F\u9F99 \U0001F44D\U0001F3FD|50.0%|\n");
}

// Rows copied from a web spreadsheet ("\r\n" between rows, a quoted cell with a line break)
// are held on the X clipboard by another program; Ctrl+V, pressed on the keyboard of the test
// desktop in Keyferry's CSV panel, takes them as the table, and a run saves them owner-only.
TEST_F(DesktopTest, RowsPastedThroughTheRealClipboard) {
    if (std::system("command -v xclip >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xclip is not installed: scripts/install-deps.sh";
    const std::string copied = "Name\tShare\r\n"
                               "J\u00FCrgen Gro\u00DF\t\"12,5 %\nnet\"\r\n"
                               "\u674E\u5C0F\u9F99 \U0001F44D\U0001F3FD\t\"say \"\"hi\"\"\"\r\n";
    writeText(temp.path() / "copied.txt", copied);
    // -quiet keeps xclip in the foreground, serving the clipboard until it is ended.
    Process holder({"sh", "-c",
                    "exec xclip -selection clipboard -quiet -i '" +
                        (temp.path() / "copied.txt").string() + "' >/dev/null 2>&1"});
    ASSERT_TRUE(spinUntil(
        [] { return shell("xclip -selection clipboard -o 2>/dev/null").rfind("Name\t", 0) == 0; }));

    const Template people = nameAndShare();
    CSVPanel panel([&] { return people; }, nullptr);
    panel.setWindowTitle(QStringLiteral("Keyferry CSV panel"));
    panel.resize(700, 300);
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel, 5000));
    panel.importButton()->setFocus();
    pause(300);
    shell("xdotool key ctrl+v");
    ASSERT_TRUE(spinUntil([&] { return panel.state().csvData.has_value(); }))
        << panel.state().validationError.value_or("nothing pasted");
    EXPECT_EQ(panel.state().csvData->rows(),
              (std::vector<std::vector<std::string>>{
                  {"J\u00FCrgen Gro\u00DF", "12,5 %\nnet"},
                  {"\u674E\u5C0F\u9F99 \U0001F44D\U0001F3FD", "say \"hi\""}}));

    const char* before = std::getenv("XDG_STATE_HOME");
    const std::string kept = before ? before : "";
    ::setenv("XDG_STATE_HOME", temp.path().c_str(), 1);
    const std::filesystem::path saved = panel.fileForRun();
    before ? ::setenv("XDG_STATE_HOME", kept.c_str(), 1) : ::unsetenv("XDG_STATE_HOME");
    ASSERT_FALSE(saved.empty()) << panel.state().validationError.value_or("");
    EXPECT_EQ(saved.parent_path(), temp.path() / "Keyferry" / "pasted");
    EXPECT_EQ(readText(saved), "Name;Share\n"
                               "J\u00FCrgen Gro\u00DF;\"12,5 %\nnet\"\n"
                               "\u674E\u5C0F\u9F99 \U0001F44D\U0001F3FD;\"say \"\"hi\"\"\"\n");
    struct stat info {};
    ASSERT_EQ(::stat(saved.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}
