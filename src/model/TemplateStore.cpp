#include "model/TemplateStore.h"

#include "model/FileIO.h"
#include "model/FileLock.h"
#include "model/TemplateJson.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <pwd.h>
#include <unistd.h>

namespace keyferry {

namespace {

// "templates.json.unreadable-20261207-101500", with a counter if that name is taken.
std::filesystem::path asideName(const std::filesystem::path& file) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = file.string() + ".unreadable-" + stamp;
    std::filesystem::path candidate = base;
    for (int counter = 2; std::filesystem::exists(candidate); ++counter)
        candidate = base + "-" + std::to_string(counter);
    return candidate;
}

// Saves hold it, so that leftovers of interrupted saves are removed only while none runs.
std::filesystem::path saveLockOf(const std::filesystem::path& file) {
    return file.string() + ".lock";
}

// The temporary files of saves that were killed midway. Were another Keyferry saving now,
// one of them would be its own: then they all wait for a later start.
void removeLeftoversOfInterruptedSaves(const std::filesystem::path& file) {
    const auto leftovers = atomicWriteTemporaries(file);
    if (leftovers.empty())
        return; // no lock file made for nothing
    const auto lock = FileLock::acquire(saveLockOf(file), FileLock::Wait::no);
    if (!lock)
        return;
    for (const auto& leftover : atomicWriteTemporaries(file))
        ::unlink(leftover.c_str());
}

} // namespace

TemplateStore::TemplateStore(std::ostream& diagnostics)
    : TemplateStore(defaultFolder(), diagnostics) {}

TemplateStore::TemplateStore(const std::filesystem::path& folder, std::ostream& diagnostics)
    : diagnostics_(diagnostics), storageURL_(folder / "templates.json") {
    std::error_code ignored; // an existing folder is fine; a missing one fails the first save
    std::filesystem::create_directories(folder, ignored);
    removeLeftoversOfInterruptedSaves(storageURL_);
    load();
}

std::filesystem::path TemplateStore::defaultFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // Relative values are invalid for XDG variables and must be ignored.
    if (dataHome && *dataHome == '/')
        return std::filesystem::path(dataHome) / "Keyferry";
    return homeFolder() / ".local" / "share" / "Keyferry";
}

Expected<std::vector<Template>> TemplateStore::readFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return std::vector<Template>{};
    auto bytes = readRegularFile(file, maxFileBytes);
    if (!bytes)
        return Unexpected{bytes.error().message};
    return decodeTemplates(*bytes);
}

void TemplateStore::load() {
    std::error_code error;
    if (!std::filesystem::exists(storageURL_, error) && !error)
        return;
    auto loaded = readFile(storageURL_);
    if (!loaded) {
        diagnostics_ << "Error loading: " << loaded.error() << std::endl;
        fileNeedsKeepingAside_ = true;
        loadFailure_ = LoadFailure{loaded.error(), std::nullopt};
        return;
    }
    stored_ = *loaded;
    setTemplates(std::move(*loaded));
}

bool TemplateStore::keepUnreadableFileAside() {
    std::error_code error;
    if (!std::filesystem::exists(storageURL_, error) && !error) {
        fileNeedsKeepingAside_ = false;
        return true;
    }
    const std::filesystem::path aside = asideName(storageURL_);
    std::filesystem::rename(storageURL_, aside, error);
    if (error) {
        return failSave("the unreadable " + storageURL_.string() + " could not be kept aside (" +
                        error.message() + "), so it was not overwritten");
    }
    diagnostics_ << "Kept the unreadable templates file as " << aside.string() << std::endl;
    fileNeedsKeepingAside_ = false;
    if (loadFailure_)
        loadFailure_->keptAs = aside;
    return true;
}

bool TemplateStore::failSave(std::string error) {
    diagnostics_ << "Error saving: " << error << std::endl;
    lastSaveError_ = std::move(error);
    fileStatusChanged.emit();
    return false;
}

bool TemplateStore::save() {
    auto encoded = encodeTemplates(templates_);
    if (!encoded)
        return failSave("Cannot save " + storageURL_.string() + ": " + encoded.error());
    auto lock = FileLock::acquire(saveLockOf(storageURL_), FileLock::Wait::untilFree);
    if (!lock)
        return failSave(lock.error());
    if (fileNeedsKeepingAside_ && !keepUnreadableFileAside())
        return false;
    if (auto error = writeFileAtomically(storageURL_, *encoded))
        return failSave(std::move(*error));
    lastSaveError_.reset();
    stored_ = templates_;
    fileStatusChanged.emit();
    return true;
}

bool TemplateStore::isStored(const Uuid& id) const {
    const auto current = std::ranges::find(templates_, id, &Template::id);
    if (current == templates_.end())
        return true; // not in the list: nothing of it can be lost
    const auto stored = std::ranges::find(stored_, id, &Template::id);
    return stored != stored_.end() && *stored == *current;
}

void TemplateStore::setTemplates(std::vector<Template> templates) {
    templates_ = std::move(templates);
    templatesChanged.emit();
}

bool TemplateStore::replaceTemplate(const Template& item) {
    const auto found = std::ranges::find(templates_, item.id, &Template::id);
    if (found == templates_.end())
        return false;
    *found = item;
    templatesChanged.emit();
    return true;
}

void TemplateStore::setSelectedTemplateID(std::optional<Uuid> id) {
    if (selectedTemplateID_ == id)
        return;
    selectedTemplateID_ = id;
    selectedTemplateIDChanged.emit();
}

void TemplateStore::addTemplate(std::optional<std::string> name) {
    Template item;
    if (name)
        item.name = std::move(*name);
    const Uuid id = item.id;
    templates_.push_back(std::move(item));
    templatesChanged.emit();
    setSelectedTemplateID(id);
    save();
}

void TemplateStore::duplicateTemplate(const Uuid& id, std::string_view namePattern) {
    const auto source = std::ranges::find(templates_, id, &Template::id);
    if (source == templates_.end())
        return;
    Template copy = *source;
    copy.id = Uuid::random();
    copy.schemaVersion = Template::currentSchemaVersion;
    std::string name(namePattern);
    if (const auto at = name.find("%1"); at != std::string::npos)
        name.replace(at, 2, source->name);
    copy.name = std::move(name);
    for (Step& step : copy.steps)
        step.id = Uuid::random();
    const Uuid copyID = copy.id;
    templates_.push_back(std::move(copy));
    templatesChanged.emit();
    setSelectedTemplateID(copyID);
    save();
}

void TemplateStore::deleteTemplate(const Uuid& id) {
    const auto removed = std::erase_if(templates_, [&](const Template& t) { return t.id == id; });
    if (removed > 0)
        templatesChanged.emit();
    if (selectedTemplateID_ == id) {
        setSelectedTemplateID(templates_.empty() ? std::nullopt
                                                 : std::optional<Uuid>(templates_.front().id));
    }
    save();
}

} // namespace keyferry
