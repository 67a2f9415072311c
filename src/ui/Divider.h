#pragma once

#include <QFrame>

namespace keyferry {

/// A thin horizontal line between two parts of a pane.
inline QFrame* horizontalDivider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace keyferry
