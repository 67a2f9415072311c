#pragma once

#include "model/Expected.h"
#include "model/Signal.h"
#include "model/Template.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// Owns every template and the selection, and keeps the templates in one JSON file.
/// Every change that is meant to last is saved when it is made; there is no save at exit.
class TemplateStore {
public:
    /// The user's store: $XDG_DATA_HOME/Keyferry/templates.json (~/.local/share by default).
    explicit TemplateStore(std::ostream& diagnostics);
    /// A store in the given folder, created if missing; the file is "templates.json" in it.
    TemplateStore(const std::filesystem::path& folder, std::ostream& diagnostics);

    TemplateStore(const TemplateStore&) = delete;
    TemplateStore& operator=(const TemplateStore&) = delete;

    /// $XDG_DATA_HOME/Keyferry, or ~/.local/share/Keyferry when that is unset or relative.
    static std::filesystem::path defaultFolder();

    /// The largest templates file that is read; a larger one is unreadable.
    static constexpr std::uint64_t maxFileBytes = 64ull << 20;

    /// Reads a templates file. A missing file reads as an empty list; an unreadable or
    /// undecodable one (one that is not a regular file, or larger than maxFileBytes) gives
    /// the description of its first problem.
    static Expected<std::vector<Template>> readFile(const std::filesystem::path& file);

    const std::vector<Template>& templates() const { return templates_; }
    /// Replaces the whole list (not saved: call save()).
    void setTemplates(std::vector<Template> templates);
    /// Writes `item` over the template with the same id (not saved: call save()).
    /// Returns false when no template has that id.
    bool replaceTemplate(const Template& item);

    const std::optional<Uuid>& selectedTemplateID() const { return selectedTemplateID_; }
    void setSelectedTemplateID(std::optional<Uuid> id);

    const std::filesystem::path& storageURL() const { return storageURL_; }

    /// Writes every template to the file atomically and returns whether it did. A failure is
    /// one "Error saving: " line on the diagnostic stream and becomes lastSaveError(); the
    /// list in memory stays as it is.
    bool save();

    /// Why the last save failed (the file's path and the system's reason), or nothing when
    /// it succeeded or none was tried. A successful save clears it.
    const std::optional<std::string>& lastSaveError() const { return lastSaveError_; }
    /// Whether the file holds this template exactly as the list does: false for a template
    /// changed or added since the last successful save (or the load).
    bool isStored(const Uuid& id) const;

    /// A templates file that existed at start but could not be read.
    struct LoadFailure {
        std::string error;                           // the reader's description
        std::optional<std::filesystem::path> keptAs; // where the first save moved it
    };
    const std::optional<LoadFailure>& loadFailure() const { return loadFailure_; }

    /// Appends a new template, selects it and saves; `name` in the user's language, else the
    /// template's default name.
    void addTemplate(std::optional<std::string> name = std::nullopt);
    /// Appends a full copy of the template with that id (fresh ids, named by `namePattern`
    /// with %1 for the name, current schema version), selects it and saves. Does nothing for
    /// an unknown id.
    void duplicateTemplate(const Uuid& id, std::string_view namePattern = "%1 (Copy)");
    /// Removes every template with that id; a removed selection moves to the first
    /// remaining template. Saves in every case.
    void deleteTemplate(const Uuid& id);

    Signal<> templatesChanged;
    Signal<> selectedTemplateIDChanged;
    /// lastSaveError(), isStored() or loadFailure() changed.
    Signal<> fileStatusChanged;

private:
    void load();
    bool keepUnreadableFileAside();
    bool failSave(std::string error);

    std::ostream& diagnostics_;
    std::filesystem::path storageURL_;
    std::vector<Template> templates_;
    std::optional<Uuid> selectedTemplateID_;
    // Set when the file on disk could not be read: it is moved aside before the next save.
    bool fileNeedsKeepingAside_ = false;
    std::optional<LoadFailure> loadFailure_;
    std::optional<std::string> lastSaveError_;
    // What the file holds, as last loaded or saved.
    std::vector<Template> stored_;
};

} // namespace keyferry
