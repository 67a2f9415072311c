#include "ui/MainWindow.h"

#include <QLabel>

namespace keyferry {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Keyferry"));
    setMinimumSize(800, 500);
    auto* placeholder = new QLabel(tr("Select or add a template."), this);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setAccessibleName(tr("No template selected"));
    setCentralWidget(placeholder);
}

} // namespace keyferry
