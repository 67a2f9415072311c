#include "automation/JournalRecorder.h"

#include "automation/RunnerEngine.h"

#include <algorithm>

namespace keyferry {

Expected<std::unique_ptr<JournalRecorder>> JournalRecorder::begin(
    RunnerEngine& runner, const Template& item, const std::filesystem::path& csvFile,
    const std::vector<std::size_t>& rows0based, const std::filesystem::path& folder) {
    RunHeader header;
    header.templateID = item.id.toString();
    header.templateName = item.name;
    if (!csvFile.empty()) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(csvFile, error);
        header.csvPath = (error ? csvFile : absolute).lexically_normal().string();
        auto sha = sha256OfFile(csvFile);
        if (!sha)
            return Unexpected{sha.error()};
        header.csvSHA256 = std::move(*sha);
    }
    header.started = isoTimeNow();
    for (const std::size_t row : rows0based)
        header.entries.push_back(row + 1);
    std::ranges::sort(header.entries);
    header.entries.erase(std::unique(header.entries.begin(), header.entries.end()),
                         header.entries.end());

    auto writer = JournalWriter::create(folder, header);
    if (!writer)
        return Unexpected{writer.error()};
    return std::make_unique<JournalRecorder>(runner, std::move(*writer));
}

JournalRecorder::JournalRecorder(RunnerEngine& runner, JournalWriter writer)
    : runner_(runner), writer_(std::move(writer)) {
    rowConnection_ = runner_.rowEnded.connect([this](const RowOutcome& outcome) {
        if (!ended_)
            keep(writer_.append(outcome));
    });
    endConnection_ = runner_.runEnded.connect([this](const RunSummary& summary) {
        if (ended_)
            return;
        ended_ = true;
        keep(writer_.finish(summary));
    });
}

JournalRecorder::~JournalRecorder() {
    runner_.rowEnded.disconnect(rowConnection_);
    runner_.runEnded.disconnect(endConnection_);
}

void JournalRecorder::keep(std::optional<std::string> problem) {
    if (problem && !error_)
        error_ = std::move(problem);
}

} // namespace keyferry
