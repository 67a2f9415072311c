#include "text/UnicodeText.h"

#include "text/Utf8.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace keyferry {

bool canonicallyEquivalent(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return false;
    const auto normalized = [&](std::string_view text) {
        UErrorCode error = U_ZERO_ERROR;
        icu::UnicodeString result =
            nfd->normalize(icu::UnicodeString::fromUTF8(
                               icu::StringPiece(text.data(), static_cast<int32_t>(text.size()))),
                           error);
        return U_SUCCESS(error) ? result : icu::UnicodeString();
    };
    return normalized(a) == normalized(b);
}

std::string composed(std::string_view text) {
    // ICU would turn an ill-formed byte into U+FFFD: a text that is not UTF-8 stays as it is.
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    if (utf8::firstInvalid(bytes, bytes + text.size()) != text.size())
        return std::string(text);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return std::string(text);
    const icu::UnicodeString normalized =
        nfc->normalize(icu::UnicodeString::fromUTF8(
                           icu::StringPiece(text.data(), static_cast<int32_t>(text.size()))),
                       status);
    if (U_FAILURE(status))
        return std::string(text);
    std::string result;
    normalized.toUTF8String(result);
    return result;
}

} // namespace keyferry

#include <memory>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

namespace keyferry {

std::vector<std::string_view> graphemeClusters(std::string_view text) {
    std::vector<std::string_view> clusters;
    UErrorCode status = U_ZERO_ERROR;
    // UTF-8 offsets straight from ICU: no conversion of the text to UTF-16.
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !breaks) {
        utext_close(utext);
        // Without break data each code point stands alone; still nothing is lost.
        for (std::size_t i = 0; i < text.size();) {
            std::size_t length = 1;
            while (i + length < text.size() &&
                   (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
                ++length;
            clusters.push_back(text.substr(i, length));
            i += length;
        }
        return clusters;
    }
    breaks->setText(utext, status);
    int32_t start = breaks->first();
    for (int32_t end = breaks->next(); end != icu::BreakIterator::DONE;
         start = end, end = breaks->next())
        clusters.push_back(
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    utext_close(utext);
    return clusters;
}

} // namespace keyferry
