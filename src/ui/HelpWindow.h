#pragma once

#include <QPointer>
#include <QString>

class QTextBrowser;
class QWidget;

namespace keyferry {

/// Opens the help window: at most one at a time; after it was closed, a fresh one centred.
class HelpWindowController {
public:
    static HelpWindowController& shared();
    /// Brings the help window to the front, creating it when there is none on screen.
    void show();
    QWidget* window() const { return window_; }

    /// The help page as HTML.
    static QString helpHtml();

private:
    QPointer<QWidget> window_;
};

} // namespace keyferry
