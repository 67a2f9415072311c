#pragma once

#include <QMainWindow>

namespace keyferry {

/// The application's one main window.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace keyferry
