#include "csv/UnicodeText.h"

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

} // namespace keyferry
