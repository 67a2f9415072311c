#pragma once

#include <QString>

#include "model/Enums.h"
#include "model/RunJournal.h"

#include <string>
#include <string_view>

namespace keyferry {

/// The core library has no Qt and speaks English; the window shows its texts in the user's
/// language through these. Names of values (step types, keys, row statuses) are translated
/// one to one; messages are matched against the patterns the core builds them from, their
/// variable parts (rows, field names, values) kept. A text no pattern knows stays English.
QString translatedCoreText(std::string_view english);

template <class E>
QString displayText(E value) {
    return translatedCoreText(displayName(value));
}

QString displayText(RowStatus status);

} // namespace keyferry
