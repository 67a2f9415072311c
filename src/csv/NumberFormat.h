#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// The format code of one of the number formats a workbook may use by id alone (0 to 49).
/// Where the application shows the user's locale the English (United States) form is given.
std::optional<std::string_view> builtInNumberFormat(int id);

/// The text a spreadsheet application shows for `value` under the format `code` of an
/// .xlsx workbook, in the English (United States) locale: general numbers, fixed decimals,
/// thousands separators, percentages, scientific notation, currency and other literals,
/// dates, times and durations, with sections for negative numbers and zero. Nothing when
/// the code asks for what this does not render (conditions, fractions, other calendars), so
/// the caller can fall back to the stored value and say so. `date1904`: serial 0 is
/// 1904-01-01, not 1899-12-30.
std::optional<std::string> formatNumber(double value, std::string_view code, bool date1904 = false);

/// A format code read once, for the many cells that share it: format() gives what
/// formatNumber() gives for the code.
class NumberFormat {
public:
    explicit NumberFormat(std::string_view code);
    std::optional<std::string> format(double value, bool date1904 = false) const;

private:
    struct Sections;
    std::shared_ptr<const Sections> sections_;
};

} // namespace keyferry
