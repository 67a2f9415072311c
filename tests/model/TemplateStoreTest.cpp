#include "model/TemplateStore.h"

#include "model/FileIO.h"
#include "model/TemplateJson.h"
#include "support/FolderBlocker.h"
#include "support/HangGuard.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using namespace keyferry;
using keyferry::testing::FolderBlocker;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

std::vector<std::string> namesOf(const std::vector<Template>& templates) {
    std::vector<std::string> names;
    for (const Template& item : templates)
        names.push_back(item.name);
    return names;
}

std::vector<Template> fileContent(const TemplateStore& store) {
    auto decoded = decodeTemplates(readText(store.storageURL()));
    EXPECT_TRUE(decoded.hasValue()) << decoded.error();
    return decoded.hasValue() ? *decoded : std::vector<Template>{};
}

// The files of the folder but the empty lock file that saves hold.
std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "templates.json.lock")
            files.push_back(entry.path().filename());
    std::ranges::sort(files);
    return files;
}

// A save into a folder that refuses writes keeps the list, says it is not stored and why,
// and the next save that succeeds clears both.
void checkFailedSavesAreReported(FolderBlocker::Way way) {
    TemporaryFolder temp;
    const std::filesystem::path folder = temp.path() / "Keyferry";
    std::ostringstream diagnostics;
    TemplateStore store(folder, diagnostics);
    store.addTemplate();
    const Uuid first = store.templates()[0].id;
    ASSERT_TRUE(store.isStored(first));
    ASSERT_FALSE(store.lastSaveError());
    int statusChanges = 0;
    store.fileStatusChanged.connect([&] { ++statusChanges; });

    FolderBlocker blocker(folder, way);
    if (!blocker.blocks())
        GTEST_SKIP() << "this process writes into read-only folders (it runs as root); the "
                        "folder replaced by a file covers the same failure";
    store.addTemplate();
    Template renamed = store.templates()[0];
    renamed.name = "Renamed";
    store.replaceTemplate(renamed);
    EXPECT_FALSE(store.save());

    ASSERT_EQ(store.templates().size(), 2u) << "nothing made is dropped";
    EXPECT_EQ(store.templates()[0].name, "Renamed");
    EXPECT_FALSE(store.isStored(first)) << "changed since the last save";
    EXPECT_FALSE(store.isStored(store.templates()[1].id)) << "added since the last save";
    ASSERT_TRUE(store.lastSaveError());
    EXPECT_NE(store.lastSaveError()->find(folder.string()), std::string::npos)
        << *store.lastSaveError();
    EXPECT_NE(store.lastSaveError()->find(blocker.reason()), std::string::npos)
        << *store.lastSaveError();
    EXPECT_NE(diagnostics.str().find("Error saving: " + *store.lastSaveError()), std::string::npos)
        << "the same words on the diagnostic stream: " << diagnostics.str();
    EXPECT_EQ(statusChanges, 2) << "one per failed save";

    blocker.unblock();
    EXPECT_TRUE(store.save());
    EXPECT_FALSE(store.lastSaveError()) << "a successful save clears the error";
    EXPECT_TRUE(store.isStored(first));
    EXPECT_TRUE(store.isStored(store.templates()[1].id));
    EXPECT_EQ(fileContent(store), store.templates());
    EXPECT_EQ(statusChanges, 3);
}

} // namespace

TEST(TemplateStore, FirstStartCreatesFolderButNoFile) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path() / "a" / "Keyferry", diagnostics);
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "a" / "Keyferry"));
    EXPECT_EQ(store.storageURL(), temp.path() / "a" / "Keyferry" / "templates.json");
    EXPECT_TRUE(store.templates().empty());
    EXPECT_FALSE(store.selectedTemplateID());
    EXPECT_FALSE(std::filesystem::exists(store.storageURL()));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST(TemplateStore, DefaultFolderFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(TemplateStore::defaultFolder(), "/srv/data/Keyferry");
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(TemplateStore::defaultFolder(), "/home/ann/.local/share/Keyferry");
    if (saved)
        ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST(TemplateStore, AddSavesPrivatelyAndNotifies) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    int listChanges = 0, selectionChanges = 0;
    store.templatesChanged.connect([&] { ++listChanges; });
    store.selectedTemplateIDChanged.connect([&] { ++selectionChanges; });

    store.addTemplate();
    store.addTemplate();
    ASSERT_EQ(store.templates().size(), 2u);
    EXPECT_EQ(namesOf(store.templates()),
              (std::vector<std::string>{"New Template", "New Template"}));
    EXPECT_NE(store.templates()[0].id, store.templates()[1].id);
    EXPECT_EQ(store.selectedTemplateID(), store.templates()[1].id);
    EXPECT_EQ(fileContent(store), store.templates());
    EXPECT_EQ(listChanges, 2);
    EXPECT_EQ(selectionChanges, 2);

    struct stat info {};
    ASSERT_EQ(::stat(store.storageURL().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(filesIn(temp.path()), (std::vector<std::filesystem::path>{"templates.json"}))
        << "no temporary file is left behind";

    // A new store reads the same list back, with nothing selected.
    TemplateStore reopened(temp.path(), diagnostics);
    EXPECT_EQ(reopened.templates(), store.templates());
    EXPECT_FALSE(reopened.selectedTemplateID());
    EXPECT_EQ(diagnostics.str(), "");
}

TEST(TemplateStore, DuplicateCopiesEveryFieldWithFreshIds) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    Template source;
    source.name = "Orders";
    source.schemaVersion = 1;
    source.targetAppBundleID = "Yad";
    source.settings.countdownSeconds = 9;
    Step input = Step::ofType(StepType::textInput);
    input.label = "Name";
    input.fixedValue = "ACME";
    Step arrow = Step::ofType(StepType::arrowKey);
    arrow.arrowDirection = ArrowDirection::left;
    arrow.repeatCount = 3;
    Step click = Step::ofType(StepType::mouseClick);
    click.mouseButton = MouseButton::right;
    click.mouseClickType = MouseClickType::double_;
    click.mousePositionX = 40;
    click.mousePositionY = 25;
    click.postDelay = 1.5;
    source.steps = {input, arrow, click};
    store.setTemplates({source});

    store.duplicateTemplate(source.id);
    ASSERT_EQ(store.templates().size(), 2u);
    const Template& copy = store.templates()[1];
    EXPECT_EQ(store.selectedTemplateID(), copy.id);
    EXPECT_NE(copy.id, source.id);
    EXPECT_EQ(copy.name, "Orders (Copy)");
    EXPECT_EQ(copy.schemaVersion, 2);
    EXPECT_EQ(copy.targetAppBundleID, "Yad");
    EXPECT_EQ(copy.settings, source.settings);
    ASSERT_EQ(copy.steps.size(), 3u);
    for (std::size_t i = 0; i < copy.steps.size(); ++i) {
        EXPECT_NE(copy.steps[i].id, source.steps[i].id);
        Step sameId = copy.steps[i];
        sameId.id = source.steps[i].id;
        EXPECT_EQ(sameId, source.steps[i]) << "step " << i << " keeps all its fields";
    }
    EXPECT_EQ(fileContent(store), store.templates());

    store.duplicateTemplate(copy.id);
    EXPECT_EQ(store.templates().back().name, "Orders (Copy) (Copy)");
}

TEST(TemplateStore, DuplicateOfUnknownIdChangesAndWritesNothing) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    store.setTemplates({Template{}});
    store.duplicateTemplate(Uuid::random());
    EXPECT_EQ(store.templates().size(), 1u);
    EXPECT_FALSE(store.selectedTemplateID());
    EXPECT_FALSE(std::filesystem::exists(store.storageURL()));
}

TEST(TemplateStore, DeleteMovesTheSelectionAndAlwaysSaves) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    store.addTemplate();
    store.addTemplate();
    store.addTemplate();
    const Uuid first = store.templates()[0].id, second = store.templates()[1].id,
               third = store.templates()[2].id;

    store.setSelectedTemplateID(second);
    store.deleteTemplate(third); // unselected: the selection stays
    EXPECT_EQ(store.selectedTemplateID(), second);
    store.deleteTemplate(second); // selected: the first remaining one is selected
    EXPECT_EQ(store.selectedTemplateID(), first);
    EXPECT_EQ(fileContent(store).size(), 1u);

    std::filesystem::remove(store.storageURL());
    store.deleteTemplate(Uuid::random()); // unknown: the file is written all the same
    EXPECT_EQ(fileContent(store), store.templates());

    store.deleteTemplate(first); // last one: no selection
    EXPECT_FALSE(store.selectedTemplateID());
    EXPECT_EQ(readText(store.storageURL()), "[]");
}

TEST(TemplateStore, ReplaceTemplateWritesByIdAndNotifies) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    store.addTemplate();
    Template edited = store.templates()[0];
    edited.name = "Renamed";
    int changes = 0;
    store.templatesChanged.connect([&] { ++changes; });
    EXPECT_TRUE(store.replaceTemplate(edited));
    EXPECT_EQ(store.templates()[0].name, "Renamed");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(store.replaceTemplate(Template{}));
    EXPECT_EQ(fileContent(store)[0].name, "New Template") << "replacing does not save";
}

TEST(TemplateStore, OldSchemaVersionIsKept) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    Template old;
    old.schemaVersion = 1;
    writeText(temp.path() / "templates.json", *encodeTemplates({old}));
    TemplateStore store(temp.path(), diagnostics);
    ASSERT_EQ(store.templates().size(), 1u);
    EXPECT_EQ(store.templates()[0].schemaVersion, 1);
    store.addTemplate();
    const auto saved = fileContent(store);
    EXPECT_EQ(saved[0].schemaVersion, 1);
    EXPECT_EQ(saved[1].schemaVersion, 2);
}

TEST(TemplateStore, UnreadableFileIsKeptAsideNotOverwritten) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    const std::string broken =
        R"([{"id":"6F9619FF-8B86-4011-B42D-00C04FC964FF","schemaVersion":2,"name":"Mine",)"
        R"("steps":[{"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","type":"teleport",)"
        R"("label":"","postDelay":0.3,"repeatCount":1}],)"
        R"("settings":{"countdownSeconds":5,"defaultPostDelay":0.3,"interCharDelay":0.02}}])";
    writeText(temp.path() / "templates.json", broken);

    TemplateStore store(temp.path(), diagnostics);
    EXPECT_TRUE(store.templates().empty());
    EXPECT_TRUE(diagnostics.str().starts_with("Error loading: ")) << diagnostics.str();
    EXPECT_NE(diagnostics.str().find("teleport"), std::string::npos);
    EXPECT_EQ(readText(store.storageURL()), broken) << "loading never touches the file";
    ASSERT_TRUE(store.loadFailure());
    EXPECT_NE(store.loadFailure()->error.find("teleport"), std::string::npos);
    EXPECT_FALSE(store.loadFailure()->keptAs) << "not moved before the first save";
    int statusChanges = 0;
    store.fileStatusChanged.connect([&] { ++statusChanges; });

    store.addTemplate();
    const auto files = filesIn(temp.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "templates.json");
    EXPECT_TRUE(files[1].string().starts_with("templates.json.unreadable-")) << files[1];
    EXPECT_EQ(readText(temp.path() / files[1]), broken) << "the user's file is kept whole";
    EXPECT_NE(diagnostics.str().find(files[1].string()), std::string::npos)
        << "the diagnostic names where it went: " << diagnostics.str();
    EXPECT_EQ(fileContent(store).size(), 1u);
    EXPECT_EQ(store.loadFailure()->keptAs, temp.path() / files[1]) << "the store says where";
    EXPECT_EQ(statusChanges, 1);

    store.addTemplate(); // later saves replace the new file only
    EXPECT_EQ(filesIn(temp.path()).size(), 2u);
}

TEST(TemplateStore, SaveIntoReadOnlyFolderIsReportedAndKeptUnsaved) {
    checkFailedSavesAreReported(FolderBlocker::Way::readOnly);
}

TEST(TemplateStore, SaveIntoFolderReplacedByFileIsReportedAndKeptUnsaved) {
    checkFailedSavesAreReported(FolderBlocker::Way::replacedByFile);
}

TEST(TemplateStore, FolderThatCannotBeCreatedFailsTheSaveOnly) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    writeText(temp.path() / "blocker", "a file where the folder should be");
    TemplateStore store(temp.path() / "blocker" / "Keyferry", diagnostics);
    EXPECT_EQ(diagnostics.str(), "");
    store.addTemplate();
    EXPECT_EQ(store.templates().size(), 1u);
    EXPECT_TRUE(diagnostics.str().starts_with("Error saving: ")) << diagnostics.str();
    ASSERT_TRUE(store.lastSaveError());
    EXPECT_NE(store.lastSaveError()->find((temp.path() / "blocker").string()), std::string::npos)
        << *store.lastSaveError();
    EXPECT_FALSE(store.isStored(store.templates()[0].id));
}

TEST(TemplateStore, UnstorableValueIsReportedAndFileKept) {
    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    store.addTemplate();
    const std::string before = readText(store.storageURL());
    Template edited = store.templates()[0];
    edited.settings.interCharDelay = std::numeric_limits<double>::infinity();
    store.replaceTemplate(edited);
    EXPECT_FALSE(store.save());
    EXPECT_TRUE(diagnostics.str().starts_with("Error saving: ")) << diagnostics.str();
    EXPECT_EQ(readText(store.storageURL()), before);
    ASSERT_TRUE(store.lastSaveError());
    EXPECT_TRUE(store.lastSaveError()->starts_with("Cannot save " + store.storageURL().string()))
        << *store.lastSaveError();
    EXPECT_FALSE(store.isStored(edited.id));
}

// A templates file that is not a file, or too large to be one of ours, is reported at start
// without waiting or reading it, and is kept aside, never overwritten, by the first save.
TEST(TemplateStore, FileThatCannotBeOursIsReportedAtOnceAndKept) {
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        std::string message;
    } cases[] = {
        {"named pipe", [](const auto& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
         " is a named pipe (FIFO), not a file"},
        {"link to /dev/zero",
         [](const auto& file) { std::filesystem::create_symlink("/dev/zero", file); },
         " is a character device, not a file"},
        {"over 64 MiB",
         [](const auto& file) {
             std::filesystem::resize_file((writeText(file, ""), file),
                                          TemplateStore::maxFileBytes + 1);
         },
         " holds 67108865 bytes, more than the 67108864 bytes that can be read"},
    };
    for (const auto& [name, make, message] : cases) {
        TemporaryFolder temp;
        const auto file = temp.path() / "templates.json";
        make(file);
        const auto outcome = keyferry::testing::finishesWithin(10, [&] {
            std::ostringstream diagnostics;
            TemplateStore store(temp.path(), diagnostics);
            return diagnostics.str() + std::to_string(store.templates().size());
        });
        ASSERT_TRUE(outcome) << name << ": the start blocked or crashed";
        EXPECT_EQ(*outcome, "Error loading: " + file.string() + message + "\n0") << name;

        std::ostringstream diagnostics;
        TemplateStore store(temp.path(), diagnostics);
        store.addTemplate();
        const auto files = filesIn(temp.path());
        ASSERT_EQ(files.size(), 2u) << name;
        EXPECT_TRUE(files[1].string().starts_with("templates.json.unreadable-")) << files[1];
        EXPECT_EQ(fileContent(store).size(), 1u) << name;
    }
}

// Only the temporary files of interrupted saves go: names of exactly that pattern.
TEST(TemplateStore, StartRemovesOnlyLeftoversOfSaves) {
    TemporaryFolder temp;
    const std::vector<std::string> leftovers = {"templates.json.tmp-a1B2c3",
                                                "templates.json.tmp-ZZZZZZ"};
    const std::vector<std::filesystem::path> kept = {
        "other.json.tmp-a1B2c3", "templates.json", "templates.json.tmp-a1B2c",
        "templates.json.tmp-a1B2c3.bak", "templates.json.unreadable-20261207-101500"};
    for (const auto& name : leftovers)
        writeText(temp.path() / name, "half");
    for (const auto& name : kept)
        writeText(temp.path() / name, name == "templates.json" ? "[]" : "mine");
    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    EXPECT_EQ(filesIn(temp.path()), kept);
    EXPECT_EQ(diagnostics.str(), "");
}
