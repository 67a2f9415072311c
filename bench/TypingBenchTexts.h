#pragma once

// What the typing benchmarks share: the texts they type, how wrong a result is, and ways to
// wait on the Qt event loop.

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "automation/Task.h"
#include "text/Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace keyferry::bench {

inline std::u32string decode(const std::string& text) {
    std::u32string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        char32_t c = 0xFFFD;
        const std::size_t length = utf8::decodeOne(p, end, c);
        out.push_back(length ? c : 0xFFFD);
        p += length ? length : 1;
    }
    return out;
}

// Characters that arrived wrong, twice or not at all: the edit distance in code points.
inline std::size_t wrongOrDropped(const std::string& wanted, const std::string& got) {
    const std::u32string a = decode(wanted), b = decode(got);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

inline std::string asciiText(std::size_t length) {
    std::mt19937 random(7);
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                                 " .,;:-_!?()[]{}<>@#$%&*+=/\\|'\"`~^";
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    while (text.size() < length)
        text += alphabet[pick(random)];
    return text;
}

inline std::string mixedText(std::size_t characters) {
    const std::vector<std::string> pieces = {
        "a",       "Z",      "7",      " ",          "\u00E4",
        "\u00D6",  "\u00DF", "\u00E9", "\u00A7",     "\u20AC",
        "\u2013",  "\u2026", "\u6771", "\u4EAC",     "\u4E2D",
        "\u6587",  "\uD55C", "\uAD6D", "\U0001F600", "\U0001F44D\U0001F3FD",
        "e\u0301", "\u03B2", "\u0416", "\u05E9",     "\u00C4",
        "\u00DC"};
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < characters; ++i)
        text += pieces[pick(random)];
    return text;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void spin(std::chrono::milliseconds duration) {
    QDeadlineTimer deadline(duration);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

template <class T>
T run(Task<T> task) {
    task.start();
    while (!task.done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if constexpr (!std::is_void_v<T>)
        return *task.result();
}

} // namespace keyferry::bench
