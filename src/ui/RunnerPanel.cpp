#include "ui/RunnerPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/DesktopServicesLoader.h"
#include "ui/AppSettings.h"
#include "ui/CoreText.h"
#include "ui/Icons.h"

#include <algorithm>
#include <map>

namespace keyferry {

namespace {

enum Page {
    idlePage,
    countdownPage,
    runningPage,
    waitingPage,
    pausedPage,
    finishedPage,
    emptyPage
};

QLabel* iconLabel(QWidget* parent, const char* symbol, const QColor& colour, const QString& name) {
    auto* label = new QLabel(parent);
    label->setPixmap(symbolIcon(symbol, colour).pixmap(22, 22));
    label->setAccessibleName(name);
    return label;
}

} // namespace

RunnerPanel::RunnerPanel(RunnerEngine& engine, DesktopServices& desktop,
                         std::function<bool()> debugging, std::function<Template()> currentTemplate,
                         std::function<const CSVData*()> table,
                         std::function<std::filesystem::path()> tableFile, QWidget* parent)
    : QWidget(parent), engine_(&engine), debugging_(std::move(debugging)),
      currentTemplate_(std::move(currentTemplate)), table_(std::move(table)),
      tableFile_(std::move(tableFile)), pages_(new QStackedWidget(this)),
      fromEntry_(new QSpinBox(this)), rowTotal_(new QLabel(this)), countdownText_(new QLabel(this)),
      progress_(new QProgressBar(this)), progressText_(new QLabel(this)),
      waitingText_(new QLabel(this)), pausedText_(new QLabel(this)), doneText_(new QLabel(this)),
      resumeFrom_(nullptr), status_(new QLabel(this)), pauseOnInput_(new QCheckBox(this)),
      results_(new QWidget(this)), resultSummary_(new QLabel(this)),
      problemRows_(new QListWidget(this)), runFailed_(new QPushButton(this)) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::AlternateBase);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->setSpacing(12);
    auto* row = new QHBoxLayout;
    row->addWidget(pages_, 1);
    auto* shortcut = new QLabel(tr("Ctrl+Shift+Esc = Stop"), this);
    shortcut->setForegroundRole(QPalette::PlaceholderText);
    shortcut->setToolTip(tr("Stops a run from any application"));
    row->addWidget(shortcut);
    layout->addLayout(row);
    status_->setForegroundRole(QPalette::PlaceholderText);
    status_->setAccessibleName(tr("Runner status"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true); // a refused run says why at length
    layout->addWidget(status_);

    auto* results = new QVBoxLayout(results_);
    results->setContentsMargins(0, 0, 0, 0);
    auto* resultsHeader = new QHBoxLayout;
    resultSummary_->setParent(results_);
    resultSummary_->setAccessibleName(tr("Run results"));
    resultSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resultSummary_->setWordWrap(true);
    resultsHeader->addWidget(resultSummary_, 1);
    runFailed_->setParent(results_);
    runFailed_->setText(tr("Run Failed Rows"));
    runFailed_->setIcon(symbolIcon("arrow.clockwise"));
    runFailed_->setAccessibleName(tr("Run Failed Rows"));
    connect(runFailed_, &QPushButton::clicked, this, [this] { runFailedRowsAgain(); });
    resultsHeader->addWidget(runFailed_);
    results->addLayout(resultsHeader);
    problemRows_->setParent(results_);
    problemRows_->setAccessibleName(tr("Rows that did not land"));
    problemRows_->setToolTip(tr("Each row the run did not enter, with what happened"));
    problemRows_->setMaximumHeight(120);
    results->addWidget(problemRows_);
    layout->addWidget(results_);

    const auto page = [this] {
        auto* widget = new QWidget(pages_);
        auto* h = new QHBoxLayout(widget);
        h->setContentsMargins(0, 0, 0, 0);
        pages_->addWidget(widget);
        return widget;
    };

    QWidget* idle = page();
    idle->layout()->addWidget(new QLabel(tr("From Entry:"), idle));
    fromEntry_->setParent(idle);
    fromEntry_->setRange(-999999, 999999999);
    fromEntry_->setValue(1);
    fromEntry_->setFixedWidth(70);
    fromEntry_->setAccessibleName(tr("From entry"));
    fromEntry_->setToolTip(tr("The first entry (row) of the table to enter"));
    connect(fromEntry_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    idle->layout()->addWidget(fromEntry_);
    rowTotal_->setParent(idle);
    rowTotal_->setForegroundRole(QPalette::PlaceholderText);
    idle->layout()->addWidget(rowTotal_);
    pauseOnInput_->setParent(idle);
    pauseOnInput_->setText(tr("Pause when I type or click"));
    pauseOnInput_->setAccessibleName(tr("Pause when I type or click"));
    pauseOnInput_->setToolTip(
        tr("Pause a run as soon as you use the keyboard or mouse (except while it "
           "waits for your click)"));
    pauseOnInput_->setChecked(AppSettings::pauseOnUserInput());
    engine_->setPauseOnUserInput(pauseOnInput_->isChecked());
    connect(pauseOnInput_, &QCheckBox::toggled, this, [this](bool on) {
        engine_->setPauseOnUserInput(on);
        AppSettings::setPauseOnUserInput(on);
    });
    // Where the desktop cannot see the user's input, the choice would do nothing: say so.
    for (const CapabilityState& state : describeDesktop(desktop).capabilities)
        if (state.capability == Capability::pauseOnUserInput && !state.available) {
            pauseOnInput_->setEnabled(false);
            const QString why =
                tr("Not on this desktop: %1. What you can do: %2")
                    .arg(translatedCoreText(state.why), translatedCoreText(state.remedy));
            pauseOnInput_->setToolTip(why);
            pauseOnInput_->setAccessibleDescription(why);
        }
    idle->layout()->addWidget(pauseOnInput_);
    static_cast<QHBoxLayout*>(idle->layout())->addStretch();
    testRun_ =
        addButton(idle, tr("Test Run"), "play", tr("Execute one entry"), [this] { start(1); });
    addButton(idle, tr("Start"), "play.fill", tr("Enter every entry from the first one chosen"),
              [this] { start(std::nullopt); })
        ->setDefault(true);

    QWidget* countdown = page();
    auto* busy = new QProgressBar(countdown);
    busy->setRange(0, 0);
    busy->setMaximumWidth(80);
    busy->setAccessibleName(tr("Starting"));
    countdown->layout()->addWidget(busy);
    countdownText_->setParent(countdown);
    QFont title3 = countdownText_->font();
    title3.setPointSizeF(title3.pointSizeF() * 1.3);
    countdownText_->setFont(title3);
    countdown->layout()->addWidget(countdownText_);
    static_cast<QHBoxLayout*>(countdown->layout())->addStretch();
    addButton(countdown, tr("Cancel"), nullptr, tr("Do not start the run"),
              [this] { engine_->stop(); });

    QWidget* running = page();
    progress_->setParent(running);
    progress_->setMinimumWidth(300);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(tr("Run progress"));
    running->layout()->addWidget(progress_);
    progressText_->setParent(running);
    running->layout()->addWidget(progressText_);
    addButton(running, tr("Pause"), nullptr, tr("Pause after the entry in progress"),
              [this] { engine_->requestPause(); });
    addButton(running, tr("Stop"), nullptr, tr("Stop the run now"), [this] { engine_->stop(); });

    QWidget* waiting = page();
    QFont title2 = title3;
    title2.setPointSizeF(title2.pointSizeF() * 1.1);
    waiting->layout()->addWidget(
        iconLabel(waiting, "hand.tap.fill", QColor(0xE6, 0x7E, 0x22), tr("Waiting")));
    waitingText_->setParent(waiting);
    QPalette orange = waitingText_->palette();
    orange.setColor(QPalette::WindowText, QColor(0xE6, 0x7E, 0x22));
    waitingText_->setPalette(orange);
    waiting->layout()->addWidget(waitingText_);
    static_cast<QHBoxLayout*>(waiting->layout())->addStretch();
    addButton(waiting, tr("Stop"), nullptr, tr("Stop the run now"), [this] { engine_->stop(); });

    QWidget* paused = page();
    pausedText_->setParent(paused);
    paused->layout()->addWidget(pausedText_);
    static_cast<QHBoxLayout*>(paused->layout())->addStretch();
    addButton(paused, tr("Resume"), "play.fill", tr("Go on from the entry where the run paused"),
              [this] {
                  if (const auto* state = std::get_if<runner_state::Paused>(&engine_->state()))
                      if (const CSVData* data = table_())
                          engine_->resume(currentTemplate_(), *data, state->row);
              });
    addButton(paused, tr("Stop"), nullptr, tr("End the run"), [this] { engine_->stop(); });

    QWidget* finished = page();
    finished->layout()->addWidget(
        iconLabel(finished, "checkmark.circle.fill", QColor(0x2E, 0xA0, 0x43), tr("Done")));
    doneText_->setParent(finished);
    doneText_->setTextFormat(Qt::RichText);
    finished->layout()->addWidget(doneText_);
    static_cast<QHBoxLayout*>(finished->layout())->addStretch();
    resumeFrom_ = addButton(
        finished, tr("Resume from"), "play.fill", tr("Go on with the entries not entered yet"),
        [this] {
            if (const auto* state = std::get_if<runner_state::Finished>(&engine_->state()))
                if (const CSVData* data = table_())
                    engine_->resume(currentTemplate_(), *data, state->resumeFrom);
        });
    addButton(finished, tr("Back"), nullptr, tr("Back to the start controls"),
              [this] { engine_->setState(runner_state::Idle{}); });

    page(); // debug steps belong to the editor's own runner: nothing here

    stateConnection_ = engine_->stateChanged.connect([this] { refresh(); });
    statusConnection_ = engine_->statusMessageChanged.connect([this] { refresh(); });
    startedConnection_ = engine_->runStarted.connect(
        [this](const std::vector<std::size_t>& rows) { journalStarted(rows); });
    endedConnection_ = engine_->runEnded.connect([this](const RunSummary&) { journalEnded(); });
    refresh();
}

RunnerPanel::~RunnerPanel() {
    engine_->stateChanged.disconnect(stateConnection_);
    engine_->statusMessageChanged.disconnect(statusConnection_);
    engine_->runStarted.disconnect(startedConnection_);
    engine_->runEnded.disconnect(endedConnection_);
    journal_.reset(); // before the engine it listens to
}

void RunnerPanel::journalStarted(const std::vector<std::size_t>& rows) {
    journal_.reset();
    lastRun_.reset();
    journalProblem_.reset();
    auto recorder = JournalRecorder::begin(*engine_, currentTemplate_(), tableFile_(), rows);
    if (recorder)
        journal_ = std::move(*recorder);
    else
        journalProblem_ = tr("The run's journal could not be written: %1")
                              .arg(QString::fromStdString(recorder.error()));
    refreshResults();
}

void RunnerPanel::journalEnded() {
    if (!journal_)
        return;
    if (journal_->error())
        journalProblem_ = tr("The run's journal is incomplete: %1")
                              .arg(QString::fromStdString(*journal_->error()));
    auto journal = readRunJournal(journal_->file());
    if (journal)
        lastRun_ = std::move(*journal);
    else
        journalProblem_ = tr("The run's journal could not be read: %1")
                              .arg(QString::fromStdString(journal.error()));
    refreshResults();
}

void RunnerPanel::runFailedRowsAgain() {
    const CSVData* data = table_();
    if (!lastRun_ || !data)
        return;
    // The journal names rows of one file: only that file, unchanged, may be run again.
    const std::filesystem::path file = tableFile_();
    const auto hash = file.empty() ? Expected<std::string>(Unexpected{std::string("no file")})
                                   : sha256OfFile(file);
    if (!hash || *hash != lastRun_->header.csvSHA256) {
        journalProblem_ = tr("The imported CSV file is not the one that run used, or it has "
                             "changed since: import that file to run its failed rows.");
        refreshResults();
        return;
    }
    std::vector<std::size_t> rows;
    for (const std::size_t entry : lastRun_->unfinishedEntries())
        if (entry >= 1 && entry <= data->rowCount())
            rows.push_back(entry - 1);
    if (rows.empty())
        return;
    engine_->startRows(currentTemplate_(), *data, std::move(rows));
}

void RunnerPanel::refreshResults() {
    const bool ended = std::holds_alternative<runner_state::Paused>(engine_->state()) ||
                       std::holds_alternative<runner_state::Finished>(engine_->state());
    QStringList lines;
    if (journalProblem_)
        lines << *journalProblem_;
    problemRows_->clear();
    std::size_t unfinished = 0;
    if (lastRun_ && ended) {
        const RunSummary tally = lastRun_->tally();
        QStringList counts;
        for (const RowStatus status : allRowStatuses)
            if (const std::size_t count = tally.count(status))
                counts << tr("%1 %2", "a number of rows and their status")
                              .arg(count)
                              .arg(displayText(status));
        const auto entries = lastRun_->unfinishedEntries();
        unfinished = entries.size();
        // The last attempt of each entry that did not land, in entry order.
        std::map<std::size_t, const RowOutcome*> last;
        for (const JournalRow& row : lastRun_->rows)
            last[row.outcome.entry] = &row.outcome;
        std::size_t neverAttempted = 0;
        for (const std::size_t entry : entries) {
            const auto found = last.find(entry);
            if (found == last.end()) {
                ++neverAttempted;
                continue;
            }
            const RowOutcome& outcome = *found->second;
            problemRows_->addItem(
                tr("Entry %1: %2%3")
                    .arg(entry)
                    .arg(displayText(outcome.status))
                    .arg(outcome.message
                             ? QStringLiteral(" \u2013 ") + translatedCoreText(*outcome.message)
                             : QString()));
        }
        if (neverAttempted)
            counts << tr("%n not attempted", nullptr, static_cast<int>(neverAttempted));
        lines << tr("Results: ") +
                     (counts.isEmpty() ? tr("no rows") : counts.join(QStringLiteral(", ")));
    }
    resultSummary_->setText(lines.join(QLatin1Char('\n')));
    results_->setVisible(!lines.isEmpty() && (ended || journalProblem_));
    problemRows_->setVisible(problemRows_->count() > 0);
    runFailed_->setVisible(unfinished > 0);
    runFailed_->setToolTip(tr("Run again only the %n entries that did not land", nullptr,
                              static_cast<int>(unfinished)));
}

QPushButton* RunnerPanel::addButton(QWidget* page, const QString& text, const char* symbol,
                                    const QString& tip, std::function<void()> action) {
    auto* button = new QPushButton(text, page);
    if (symbol)
        button->setIcon(symbolIcon(symbol));
    button->setToolTip(tip);
    button->setAccessibleName(text);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    page->layout()->addWidget(button);
    buttons_.emplace_back(text, button);
    return button;
}

QPushButton* RunnerPanel::button(const QString& name) const {
    const QWidget* shown = pages_->currentWidget();
    for (const auto& [made, candidate] : buttons_)
        if (candidate->parentWidget() == shown && made == name)
            return candidate;
    return nullptr;
}

QString RunnerPanel::pageName() const {
    static const char* names[] = {"idle",   "countdown", "running", "waiting",
                                  "paused", "finished",  "debug"};
    return QString::fromLatin1(names[pages_->currentIndex()]);
}

void RunnerPanel::start(std::optional<std::size_t> limit) {
    const CSVData* data = table_();
    if (!data)
        return;
    // An entry of 0 or less starts at the first row.
    const int entry = fromEntry_->value();
    const std::size_t startFrom = entry > 1 ? static_cast<std::size_t>(entry - 1) : 0;
    engine_->start(currentTemplate_(), *data, startFrom, limit);
}

void RunnerPanel::refresh() {
    const CSVData* data = table_();
    const std::size_t rows = data ? data->rowCount() : 0;
    // The editor's debug run shares the runner; it is shown there, not here.
    const bool debugging = debugging_ && debugging_();
    const RunnerState state = debugging ? RunnerState(runner_state::Idle{}) : engine_->state();
    std::visit(
        [&](const auto& s) {
            using S = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<S, runner_state::Idle>) {
                pages_->setCurrentIndex(idlePage);
            } else if constexpr (std::is_same_v<S, runner_state::Countdown>) {
                pages_->setCurrentIndex(countdownPage);
                countdownText_->setText(tr("Start in %1...").arg(s.remaining));
            } else if constexpr (std::is_same_v<S, runner_state::Running>) {
                pages_->setCurrentIndex(runningPage);
                const RunProgress& progress = engine_->progress();
                progress_->setRange(0, static_cast<int>(progress.planned));
                progress_->setValue(static_cast<int>(progress.done));
                QString text = tr("Entry %1 · %2 of %3 done")
                                   .arg(s.row + 1)
                                   .arg(progress.done)
                                   .arg(progress.planned);
                if (const auto remaining = progress.remaining(); remaining && progress.done)
                    text += QStringLiteral(" \u00b7 ") +
                            translatedCoreText(describeRemaining(*remaining));
                progressText_->setText(text);
                progressText_->setAccessibleName(text);
                progress_->setAccessibleDescription(text);
            } else if constexpr (std::is_same_v<S, runner_state::WaitingForClick>) {
                pages_->setCurrentIndex(waitingPage);
                waitingText_->setText(
                    tr("Click in target app... (%1/%2)").arg(s.row + 1).arg(s.total));
            } else if constexpr (std::is_same_v<S, runner_state::Paused>) {
                pages_->setCurrentIndex(pausedPage);
                pausedText_->setText(tr("Paused at entry %1/%2").arg(s.row + 1).arg(s.total));
            } else if constexpr (std::is_same_v<S, runner_state::Finished>) {
                pages_->setCurrentIndex(finishedPage);
                QString text = tr("Done: %n successful", nullptr, static_cast<int>(s.successful));
                if (s.errors > 0)
                    text += QStringLiteral("<span style='color:#d33'>%1</span>")
                                .arg(tr(", %n errors", nullptr, static_cast<int>(s.errors)));
                doneText_->setText(text);
                resumeFrom_->setVisible(s.resumeFrom < rows);
                resumeFrom_->setText(tr("Resume from %1").arg(s.resumeFrom + 1));
            } else {
                pages_->setCurrentIndex(emptyPage);
            }
        },
        state);

    rowTotal_->setText(QStringLiteral("/ %1").arg(rows));
    // Start and Test Run only where an entry is left to run.
    const int entry = fromEntry_->value();
    const std::size_t first = entry > 1 ? static_cast<std::size_t>(entry - 1) : 0;
    const bool runnable = !debugging && !engine_->isRunning() && data && first < rows;
    for (const auto& [made, b] : buttons_)
        if (b->parentWidget() == pages_->widget(idlePage)) {
            b->setEnabled(runnable);
            QString why = tr("The table has only %n entries", nullptr, static_cast<int>(rows));
            if (debugging)
                why = tr("A debug run is under way in the editor");
            b->setToolTip(runnable
                              ? (b == testRun_ ? tr("Execute one entry")
                                               : tr("Enter every entry from the first one chosen"))
                              : why);
        }
    const QString message = debugging ? QString() : translatedCoreText(engine_->statusMessage());
    status_->setText(message);
    status_->setVisible(!message.isEmpty());
    refreshResults();
}

} // namespace keyferry
