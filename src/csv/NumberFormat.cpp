#include "csv/NumberFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace keyferry {

namespace {

enum class Kind {
    literal,
    general, ///< "General", and "@" applied to a number
    digit,   ///< 0, # or ?
    point,
    comma,
    percent,
    exponent,
    year,
    month,
    day,
    hour,
    minute,
    second,
    elapsedHours,
    elapsedMinutes,
    elapsedSeconds,
    ampm,
    subsecond,
};

struct Token {
    Kind kind;
    std::string text;  ///< literal text; the placeholder character; "AM/PM" as written
    int length = 1;    ///< letters of a date or time part; digits of a subsecond
    bool plus = false; ///< exponent: "E+" shows the sign of positive exponents too
};

bool isDatePart(Kind kind) {
    return kind >= Kind::year && kind <= Kind::subsecond;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Characters a code may hold unquoted and that stand for themselves.
bool isPlainLiteral(char c) {
    return std::string_view("$-+/():!^&'~{}<>= ").find(c) != std::string_view::npos ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Splits a code into its sections at ";" outside quotes, escapes and brackets.
std::vector<std::string_view> sectionsOf(std::string_view code) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const auto close = code.find('"', i + 1);
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const auto close = code.find(']', i + 1);
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == ';') {
            sections.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.substr(std::min(start, code.size())));
    return sections;
}

// The tokens of one section; nothing when it uses what is not rendered here.
std::optional<std::vector<Token>> tokenize(std::string_view s) {
    constexpr std::array colors = {"black",   "blue", "cyan",  "green",
                                   "magenta", "red",  "white", "yellow"};
    std::vector<Token> tokens;
    const auto literal = [&](std::string text) { tokens.push_back({Kind::literal, text}); };
    const auto lastDatePart = [&]() -> const Token* {
        for (auto it = tokens.rbegin(); it != tokens.rend(); ++it)
            if (isDatePart(it->kind))
                return &*it;
        return nullptr;
    };
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"') {
            const auto close = s.find('"', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            literal(std::string(s.substr(i + 1, close - i - 1)));
            i = close + 1;
        } else if (c == '\\') {
            if (i + 1 >= s.size())
                return std::nullopt;
            // One character, which may take several bytes.
            std::size_t end = i + 2;
            while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
                ++end;
            literal(std::string(s.substr(i + 1, end - i - 1)));
            i = end;
        } else if (c == '_') {
            literal(" "); // the width of the next character: a space will do
            i += 2;
        } else if (c == '*') {
            i += 2; // a fill to the column's width: nothing in a text
        } else if (c == '[') {
            const auto close = s.find(']', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            const std::string_view inside = s.substr(i + 1, close - i - 1);
            i = close + 1;
            if (inside.starts_with('$')) { // currency and locale: [$€-407], [$-409]
                const auto dash = inside.find('-');
                literal(std::string(
                    inside.substr(1, dash == std::string_view::npos ? inside.npos : dash - 1)));
                continue;
            }
            const bool sameLetter =
                !inside.empty() && std::all_of(inside.begin(), inside.end(), [&](char letter) {
                    return std::tolower(static_cast<unsigned char>(letter)) ==
                           std::tolower(static_cast<unsigned char>(inside[0]));
                });
            const char first =
                inside.empty()
                    ? 0
                    : static_cast<char>(std::tolower(static_cast<unsigned char>(inside[0])));
            const int length = static_cast<int>(inside.size());
            if (sameLetter && first == 'h')
                tokens.push_back({Kind::elapsedHours, {}, length});
            else if (sameLetter && first == 'm')
                tokens.push_back({Kind::elapsedMinutes, {}, length});
            else if (sameLetter && first == 's')
                tokens.push_back({Kind::elapsedSeconds, {}, length});
            else if (std::any_of(
                         colors.begin(), colors.end(),
                         [&](const char* color) { return startsWithNoCase(inside, color); }) ||
                     startsWithNoCase(inside, "color"))
                continue;
            else
                return std::nullopt; // conditions, other calendars and numerals
        } else if (startsWithNoCase(s.substr(i), "general")) {
            tokens.push_back({Kind::general, {}});
            i += 7;
        } else if (startsWithNoCase(s.substr(i), "am/pm")) {
            tokens.push_back({Kind::ampm, std::string(s.substr(i, 5))});
            i += 5;
        } else if (startsWithNoCase(s.substr(i), "a/p")) {
            tokens.push_back({Kind::ampm, std::string(s.substr(i, 3))});
            i += 3;
        } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') {
            std::size_t end = i;
            while (end < s.size() && std::tolower(static_cast<unsigned char>(s[end])) == lower)
                ++end;
            const int length = static_cast<int>(end - i);
            const Kind kind = lower == 'y'   ? Kind::year
                              : lower == 'm' ? Kind::month
                              : lower == 'd' ? Kind::day
                              : lower == 'h' ? Kind::hour
                                             : Kind::second;
            tokens.push_back({kind, {}, length});
            i = end;
        } else if (lower == 'e' && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            tokens.push_back({Kind::exponent, {}, 1, s[i + 1] == '+'});
            i += 2;
        } else if (c == '0' || c == '#' || c == '?') {
            tokens.push_back({Kind::digit, std::string(1, c)});
            ++i;
        } else if (c == '.') {
            const Token* before = lastDatePart();
            if (before && (before->kind == Kind::second || before->kind == Kind::elapsedSeconds) &&
                i + 1 < s.size() && s[i + 1] == '0') {
                std::size_t end = i + 1;
                while (end < s.size() && s[end] == '0')
                    ++end;
                tokens.push_back({Kind::subsecond, {}, static_cast<int>(end - i - 1)});
                i = end;
            } else {
                tokens.push_back({Kind::point, "."});
                ++i;
            }
        } else if (c == ',') {
            tokens.push_back({Kind::comma, ","});
            ++i;
        } else if (c == '%') {
            tokens.push_back({Kind::percent, "%"});
            ++i;
        } else if (c == '@') {
            tokens.push_back({Kind::general, {}});
            ++i;
        } else if (isPlainLiteral(c)) {
            literal(std::string(1, c));
            ++i;
        } else {
            return std::nullopt; // letters that would need quotes, eras, Buddhist years ...
        }
    }
    // "m" next to hours or seconds is minutes.
    const Token* previous = nullptr;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (!isDatePart(token.kind))
            continue;
        if (token.kind == Kind::month && token.length <= 2) {
            const Token* next = nullptr;
            for (std::size_t j = i + 1; j < tokens.size() && !next; ++j)
                if (isDatePart(tokens[j].kind))
                    next = &tokens[j];
            if ((previous &&
                 (previous->kind == Kind::hour || previous->kind == Kind::elapsedHours)) ||
                (next && (next->kind == Kind::second || next->kind == Kind::elapsedSeconds)))
                token.kind = Kind::minute;
        }
        previous = &token;
    }
    return tokens;
}

// ---- decimal digits ----

/// A non-negative number as decimal digits with the point after `point` of them.
struct Decimal {
    std::string digits;
    int point = 0;
};

// Rounds half away from zero at `decimals` places, from the shortest decimal form that reads
// back as the same double (`significant` 0), as LibreOffice Calc does: 2.675 (2.67499999...
// in binary) shows as 2.68, and 0.285 * 100 (28.499999999999996) as 28. The general format
// asks for fifteen significant digits instead.
Decimal rounded(double x, int decimals, int significant = 0) {
    std::array<char, 64> buffer{};
    if (significant > 0) {
        std::snprintf(buffer.data(), buffer.size(), "%.*e", significant - 1, x);
    } else {
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 1, x,
                                           std::chars_format::scientific);
        *written.ptr = '\0';
        if (buffer[1] != '.') { // "5e+00": one digit, no point
            std::memmove(buffer.data() + 2, buffer.data() + 1, std::strlen(buffer.data() + 1) + 1);
            buffer[1] = '.';
        }
    }
    std::string digits;
    digits.push_back(buffer[0]);
    const char* p = buffer.data() + 2;
    while (*p != 'e' && *p != '\0') // callers pass finite numbers: "1.5e+00" always
        digits.push_back(*p++);
    int point = std::atoi(p + 1) + 1;
    if (point < 0) { // 0.000ddd: leading zeros up to the point
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    const int keep = point + decimals;
    if (keep < static_cast<int>(digits.size())) {
        const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(std::max(keep, 0)));
        if (up) {
            int at = keep - 1;
            while (at >= 0 && digits[static_cast<std::size_t>(at)] == '9')
                digits[static_cast<std::size_t>(at--)] = '0';
            if (at >= 0) {
                ++digits[static_cast<std::size_t>(at)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }
    while (static_cast<int>(digits.size()) < point + decimals)
        digits.push_back('0');
    return {digits, point};
}

std::string integerPart(const Decimal& d) {
    std::string text = d.point > 0 ? d.digits.substr(0, static_cast<std::size_t>(d.point)) : "";
    const auto nonZero = text.find_first_not_of('0');
    return nonZero == std::string::npos ? "" : text.substr(nonZero);
}

std::string fractionPart(const Decimal& d) {
    return d.digits.substr(static_cast<std::size_t>(std::max(d.point, 0)));
}

// x divided by 10^exponent, in two steps: 10^-310 alone is not a double, x/10^-310 may be.
double mantissaOf(double x, int exponent) {
    return x / std::pow(10.0, exponent / 2) / std::pow(10.0, exponent - exponent / 2);
}

std::string generalNumber(double value) {
    if (value == 0)
        return "0";
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) // most cells: whole numbers
        return std::to_string(static_cast<long long>(value));
    const double x = std::fabs(value);
    const std::string sign = value < 0 ? "-" : "";
    const int magnitude = static_cast<int>(std::floor(std::log10(x)));
    if (magnitude >= 15 || magnitude < -9) {
        // Scientific, as the general format shows very large and very small numbers.
        const Decimal mantissa = rounded(mantissaOf(x, magnitude), 14, 15);
        std::string fraction = fractionPart(mantissa);
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        std::string integer = integerPart(mantissa);
        int exponent = magnitude;
        if (integer == "10") {
            integer = "1";
            ++exponent;
        }
        const std::string digits = std::to_string(std::abs(exponent));
        // Three digits after "E+", two after "E-", as LibreOffice Calc shows them.
        const std::size_t width = exponent < 0 ? 2 : 3;
        return sign + integer + (fraction.empty() ? "" : "." + fraction) + "E" +
               (exponent < 0 ? "-" : "+") +
               std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
    }
    const Decimal d = rounded(x, std::max(0, 14 - magnitude), 15);
    std::string integer = integerPart(d);
    std::string fraction = fractionPart(d);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (integer.empty())
        integer = "0";
    return sign + integer + (fraction.empty() ? "" : "." + fraction);
}

std::string grouped(const std::string& digits) {
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

// ---- numbers ----

// `isZero` tells whether the number shown is zero once rounded, which then takes no sign.
std::optional<std::string> renderNumber(double x, const std::vector<Token>& tokens, bool& isZero) {
    isZero = false;
    // Where the digits are: literals before the first placeholder and after the last stay
    // where they are; literals between placeholders (phone numbers) are not rendered.
    std::size_t first = tokens.size(), last = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Kind::digit || tokens[i].kind == Kind::general) {
            first = std::min(first, i);
            last = i;
        }
    int percents = 0;
    for (const Token& token : tokens)
        percents += token.kind == Kind::percent;
    if (first == tokens.size()) { // literals only, as in a zero section "-"
        std::string text;
        for (const Token& token : tokens)
            text += token.text;
        return text;
    }
    if (tokens[first].kind == Kind::general) {
        if (!std::isfinite(x * std::pow(100.0, percents)))
            return std::nullopt;
        std::string text;
        for (std::size_t i = 0; i < tokens.size(); ++i)
            text += i == first ? generalNumber(x * std::pow(100.0, percents)) : tokens[i].text;
        return text;
    }

    int integerZeros = 0, integerDigits = 0, exponentDigits = 0;
    std::string decimalPlaces; // the placeholders after the point
    bool grouping = false, seenPoint = false, scientific = false, exponentPlus = false;
    int scale = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const Token& token = tokens[i];
        switch (token.kind) {
        case Kind::digit:
            if (scientific)
                ++exponentDigits;
            else if (seenPoint)
                decimalPlaces += token.text;
            else {
                ++integerDigits;
                integerZeros += token.text == "0" || token.text == "?";
            }
            break;
        case Kind::point:
            if (seenPoint || scientific)
                return std::nullopt;
            seenPoint = true;
            break;
        case Kind::comma:
            if (seenPoint || scientific)
                return std::nullopt;
            grouping = true;
            break;
        case Kind::exponent:
            scientific = true;
            exponentPlus = token.plus;
            break;
        case Kind::percent:
            break;
        default:
            return std::nullopt;
        }
    }
    // Commas right after the last placeholder divide by a thousand each.
    std::size_t after = last + 1;
    while (after < tokens.size() && tokens[after].kind == Kind::comma) {
        ++scale;
        ++after;
    }
    for (std::size_t i = after; i < tokens.size(); ++i)
        if (tokens[i].kind == Kind::digit || tokens[i].kind == Kind::point)
            return std::nullopt;

    x = x * std::pow(100.0, percents) / std::pow(1000.0, scale);
    if (!std::isfinite(x)) // a hundred percent signs
        return std::nullopt;
    const int decimals = static_cast<int>(decimalPlaces.size());
    std::string exponentText;
    if (scientific) {
        if (integerDigits != 1 || exponentDigits == 0)
            return std::nullopt; // engineering notation
        int exponent = x == 0 ? 0 : static_cast<int>(std::floor(std::log10(x)));
        Decimal mantissa = rounded(mantissaOf(x, exponent), decimals);
        if (integerPart(mantissa).size() > 1) { // 9.99 rounded up to 10.0
            ++exponent;
            mantissa = rounded(mantissaOf(x, exponent), decimals);
        }
        std::string digits = std::to_string(std::abs(exponent));
        if (static_cast<int>(digits.size()) < exponentDigits)
            digits.insert(0, static_cast<std::size_t>(exponentDigits) - digits.size(), '0');
        exponentText = std::string("E") + (exponent < 0 ? "-" : exponentPlus ? "+" : "") + digits;
        // Render the mantissa through the same path as a plain number.
        std::string integer = integerPart(mantissa);
        std::string fraction = fractionPart(mantissa);
        if (integer.empty() && integerZeros > 0)
            integer = "0";
        std::string number = integer + (seenPoint ? "." + fraction : "") + exponentText;
        std::string text;
        for (std::size_t i = 0; i < first; ++i)
            text += tokens[i].text;
        text += number;
        for (std::size_t i = after; i < tokens.size(); ++i)
            text += tokens[i].text;
        return text;
    }

    // Beyond fifteen digits the applications show zeros, not the double's last digits.
    const Decimal d = x >= 1e15 ? rounded(x, decimals, 15) : rounded(x, decimals);
    isZero = d.digits.find_first_not_of('0') == std::string::npos;
    std::string integer = integerPart(d);
    if (static_cast<int>(integer.size()) < integerZeros)
        integer.insert(0, static_cast<std::size_t>(integerZeros) - integer.size(), '0');
    if (grouping)
        integer = grouped(integer);
    std::string fraction = fractionPart(d);
    // Optional places drop their trailing zeros; "?" keeps the place as a space.
    for (int i = decimals - 1; i >= 0; --i) {
        const char placeholder = decimalPlaces[static_cast<std::size_t>(i)];
        if (fraction[static_cast<std::size_t>(i)] != '0' || placeholder == '0')
            break;
        if (placeholder == '#')
            fraction.pop_back();
        else
            fraction[static_cast<std::size_t>(i)] = ' ';
    }
    std::string text;
    for (std::size_t i = 0; i < first; ++i)
        text += tokens[i].text;
    text += integer;
    if (seenPoint && !fraction.empty()) // "#.##" shows 5 as "5"
        text += "." + fraction;
    for (std::size_t i = after; i < tokens.size(); ++i)
        text += tokens[i].text;
    return text;
}

// ---- dates and times ----

struct CivilDate {
    int year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date `days` after 1970-01-01 (H. Hinnant's civil_from_days).
CivilDate civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const auto y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), m, d};
}

std::string padded(long long number, int width) {
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::optional<std::string> renderDate(double value, const std::vector<Token>& tokens,
                                      bool date1904) {
    if (value < 0 || value > 2958465.0) // before the epoch, after 9999-12-31
        return std::nullopt;
    int subsecondDigits = 0;
    bool twelveHours = false;
    for (const Token& token : tokens) {
        if (token.kind == Kind::digit || token.kind == Kind::exponent ||
            token.kind == Kind::general)
            return std::nullopt;
        if (token.kind == Kind::subsecond)
            subsecondDigits = std::max(subsecondDigits, token.length);
        twelveHours = twelveHours || token.kind == Kind::ampm;
    }
    if (subsecondDigits > 6) // beyond what a double holds of a day's time
        return std::nullopt;
    // As the spreadsheet applications show them: a clock time keeps its whole seconds (23:59:59.9
    // stays in its day) and rounds only the decimals it shows, which never carry into the
    // second; a duration or a time with a date is rounded, which may carry into the next day.
    // Keeping whole seconds forgives the last digits of a double, so 8:05:09 stored as
    // 29108.99999999996 seconds stays 8:05:09.
    bool rounds = false;
    for (const Token& token : tokens)
        rounds = rounds || token.kind == Kind::year || token.kind == Kind::month ||
                 token.kind == Kind::day || token.kind == Kind::elapsedHours ||
                 token.kind == Kind::elapsedMinutes || token.kind == Kind::elapsedSeconds;
    const double unitsPerSecond = std::pow(10.0, subsecondDigits);
    const double seconds = value * 86400.0;
    long long units = 0;
    if (rounds) {
        units = std::llround(seconds * unitsPerSecond);
    } else {
        const double nearest = std::round(seconds);
        const bool onSecond = std::fabs(seconds - nearest) <= seconds * 1e-14 + 1e-9;
        const double whole = onSecond ? nearest : std::floor(seconds);
        const auto decimals = std::min(std::llround((seconds - whole) * unitsPerSecond),
                                       static_cast<long long>(unitsPerSecond) - 1);
        units = static_cast<long long>(whole) * static_cast<long long>(unitsPerSecond) +
                (onSecond ? 0 : decimals);
    }
    const auto perSecond = static_cast<long long>(unitsPerSecond);
    const long long totalSeconds = units / perSecond;
    const long long fractionUnits = units % perSecond;
    const long long days = totalSeconds / 86400;
    const long long secondsOfDay = totalSeconds % 86400;
    const int hour = static_cast<int>(secondsOfDay / 3600);
    const int minute = static_cast<int>(secondsOfDay / 60 % 60);
    const int second = static_cast<int>(secondsOfDay % 60);
    // Serial 0 is 1899-12-30 (1904-01-01): where serials agree with the calendar from March
    // 1900 on, and where the spreadsheet applications put their day zero.
    const long long epochDays = date1904 ? -24107 : -25569;
    const CivilDate date = civilFromDays(epochDays + days);
    const int weekday = static_cast<int>(((epochDays + days) % 7 + 11) % 7); // 0: Sunday

    static constexpr std::array<const char*, 12> months = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static constexpr std::array<const char*, 7> weekdays = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

    std::string text;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case Kind::literal:
        case Kind::comma: // "dddd, mmmm d": punctuation between the parts
        case Kind::point:
        case Kind::percent:
            text += token.text;
            break;
        case Kind::year:
            text += token.length <= 2 ? padded(date.year % 100, 2) : padded(date.year, 4);
            break;
        case Kind::month: {
            const std::string name = months[date.month - 1];
            text += token.length == 1   ? std::to_string(date.month)
                    : token.length == 2 ? padded(date.month, 2)
                    : token.length == 3 ? name.substr(0, 3)
                    : token.length == 5 ? name.substr(0, 1)
                                        : name;
            break;
        }
        case Kind::day: {
            const std::string name = weekdays[static_cast<std::size_t>(weekday)];
            text += token.length == 1   ? std::to_string(date.day)
                    : token.length == 2 ? padded(date.day, 2)
                    : token.length == 3 ? name.substr(0, 3)
                                        : name;
            break;
        }
        case Kind::hour: {
            const int shown = twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            text += padded(shown, std::min(token.length, 2));
            break;
        }
        case Kind::minute:
            text += padded(minute, std::min(token.length, 2));
            break;
        case Kind::second:
            text += padded(second, std::min(token.length, 2));
            break;
        case Kind::elapsedHours:
            text += padded(totalSeconds / 3600, token.length);
            break;
        case Kind::elapsedMinutes:
            text += padded(totalSeconds / 60, token.length);
            break;
        case Kind::elapsedSeconds:
            text += padded(totalSeconds, token.length);
            break;
        case Kind::subsecond:
            text += "." + padded(fractionUnits, subsecondDigits)
                              .substr(0, static_cast<std::size_t>(token.length));
            break;
        case Kind::ampm: {
            const bool pm = hour >= 12;
            const bool lowerCase = std::islower(static_cast<unsigned char>(token.text[0]));
            std::string marker = token.text.size() == 3 ? (pm ? "P" : "A") : (pm ? "PM" : "AM");
            if (lowerCase)
                std::ranges::transform(marker, marker.begin(), [](char c) {
                    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                });
            text += marker;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return text;
}

} // namespace

std::optional<std::string_view> builtInNumberFormat(int id) {
    switch (id) {
    case 0:
        return "General";
    case 1:
        return "0";
    case 2:
        return "0.00";
    case 3:
        return "#,##0";
    case 4:
        return "#,##0.00";
    case 9:
        return "0%";
    case 10:
        return "0.00%";
    case 11:
        return "0.00E+00";
    case 12:
        return "# ?/?";
    case 13:
        return "# ?\?/?\?";
    case 14:
        return "m/d/yyyy";
    case 15:
        return "d-mmm-yy";
    case 16:
        return "d-mmm";
    case 17:
        return "mmm-yy";
    case 18:
        return "h:mm AM/PM";
    case 19:
        return "h:mm:ss AM/PM";
    case 20:
        return "h:mm";
    case 21:
        return "h:mm:ss";
    case 22:
        return "m/d/yyyy h:mm";
    case 37:
        return "#,##0 ;(#,##0)";
    case 38:
        return "#,##0 ;[Red](#,##0)";
    case 39:
        return "#,##0.00;(#,##0.00)";
    case 40:
        return "#,##0.00;[Red](#,##0.00)";
    case 45:
        return "mm:ss";
    case 46:
        return "[h]:mm:ss";
    case 47:
        return "mmss.0";
    case 48:
        return "##0.0E+0";
    case 49:
        return "@";
    default:
        return std::nullopt;
    }
}

struct NumberFormat::Sections {
    /// Each section's tokens; nothing for a section that is not rendered.
    std::vector<std::optional<std::vector<Token>>> tokens;
};

NumberFormat::NumberFormat(std::string_view code) {
    auto sections = std::make_shared<Sections>();
    for (const std::string_view section : sectionsOf(code))
        sections->tokens.push_back(tokenize(section));
    sections_ = std::move(sections);
}

std::optional<std::string> NumberFormat::format(double value, bool date1904) const {
    if (!std::isfinite(value))
        return std::nullopt;
    const auto& sections = sections_->tokens;
    std::size_t chosen = 0;
    bool negativeSign = false;
    if (value < 0 && sections.size() >= 2) {
        chosen = 1;
        value = -value;
    } else if (value == 0 && sections.size() >= 3) {
        chosen = 2;
    } else if (value < 0) {
        negativeSign = true;
        value = -value;
    }
    const auto& tokens = sections[chosen];
    if (!tokens)
        return std::nullopt;
    const bool isDate =
        std::ranges::any_of(*tokens, [](const Token& t) { return isDatePart(t.kind); });
    if (isDate) {
        if (negativeSign)
            return std::nullopt;
        return renderDate(value, *tokens, date1904);
    }
    bool isZero = false;
    auto text = renderNumber(value, *tokens, isZero);
    if (text && negativeSign && !isZero) // -0.0001 shows as 0.00
        return "-" + *text;
    return text;
}

std::optional<std::string> formatNumber(double value, std::string_view code, bool date1904) {
    return NumberFormat(code).format(value, date1904);
}

} // namespace keyferry
