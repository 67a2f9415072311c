#pragma once

#include <QFrame>
#include <QMessageBox>
#include <QPointer>

#include "model/TemplateStore.h"

class QLabel;

namespace keyferry {

/// The main window's status area for the templates file: why the last save failed, and that
/// the file could not be read at start and where the original went. Hidden while there is
/// nothing to say. The first failed save of a session also opens a dialog; later ones are
/// shown here only.
class StoreStatusView final : public QFrame {
    Q_OBJECT

public:
    explicit StoreStatusView(TemplateStore& store, QWidget* parent = nullptr);
    ~StoreStatusView() override;

    StoreStatusView(const StoreStatusView&) = delete;
    StoreStatusView& operator=(const StoreStatusView&) = delete;

    QLabel* saveProblem() const { return saveProblem_; }
    QLabel* loadProblem() const { return loadProblem_; }
    /// The dialog of the first failed save while it is open.
    QMessageBox* saveDialog() const { return saveDialog_; }
    bool hasSomethingToSay() const;

    static QString saveProblemText(const std::string& error);
    static QString loadProblemText(const std::filesystem::path& file,
                                   const TemplateStore::LoadFailure& failure);

private:
    void apply();
    void openSaveDialog(const QString& error);

    TemplateStore& store_;
    QLabel* loadProblem_;
    QLabel* saveProblem_;
    QPointer<QMessageBox> saveDialog_;
    bool saveDialogShown_ = false;
    Signal<>::ConnectionId connection_;
};

} // namespace keyferry
