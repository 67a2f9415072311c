#include "csv/ScalarSource.h"

#include "text/Utf8.h"

namespace keyferry {

namespace {

bool isSurrogate(std::uint32_t value) {
    return value >= 0xD800 && value <= 0xDFFF;
}

class BlobSource : public ScalarSource {
public:
    BlobSource(std::shared_ptr<const std::string> bytes, std::size_t offset)
        : bytes_(std::move(bytes)), position_(offset) {}

protected:
    std::size_t remaining() const { return bytes_->size() - position_; }
    unsigned char at(std::size_t i) const {
        return static_cast<unsigned char>((*bytes_)[position_ + i]);
    }

    std::shared_ptr<const std::string> bytes_;
    std::size_t position_;
};

class AsciiDecoder final : public BlobSource {
public:
    using BlobSource::BlobSource;
    std::optional<char32_t> next() override {
        if (remaining() == 0)
            return std::nullopt;
        const unsigned char byte = at(0);
        if (byte >= 0x80)
            throw CSVError::invalidASCII(byte);
        ++position_;
        return byte;
    }
};

class Utf8Decoder final : public BlobSource {
public:
    using BlobSource::BlobSource;
    std::optional<char32_t> next() override {
        if (remaining() == 0)
            return std::nullopt;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_->data()) + position_;
        char32_t scalar = 0;
        const std::size_t length = utf8::decodeOne(p, p + remaining(), scalar);
        if (length == 0)
            throw CSVError::invalidUTF8();
        position_ += length;
        return scalar;
    }
};

class Utf16Decoder final : public BlobSource {
public:
    Utf16Decoder(std::shared_ptr<const std::string> bytes, std::size_t offset, bool bigEndian)
        : BlobSource(std::move(bytes), offset), bigEndian_(bigEndian) {}

    std::optional<char32_t> next() override {
        const auto first = nextUnit();
        if (!first)
            return endOfUnits();
        if (*first < 0xD800 || *first > 0xDFFF)
            return *first;
        if (*first >= 0xDC00)
            throw CSVError::invalidUTF16(); // a low surrogate on its own
        const auto second = nextUnit();
        if (!second) {
            endOfUnits();
            throw CSVError::invalidUTF16(); // a high surrogate at the end
        }
        if (*second < 0xDC00 || *second > 0xDFFF)
            throw CSVError::invalidUTF16();
        return 0x10000 + ((char32_t(*first) - 0xD800) << 10) + (char32_t(*second) - 0xDC00);
    }

private:
    // A code unit, or nothing at the end; one odd byte left over is remembered as an error.
    std::optional<std::uint16_t> nextUnit() {
        if (remaining() == 0)
            return std::nullopt;
        if (remaining() == 1) {
            incomplete_ = true;
            ++position_;
            return std::nullopt;
        }
        const unsigned a = at(0), b = at(1);
        position_ += 2;
        return static_cast<std::uint16_t>(bigEndian_ ? (a << 8 | b) : (b << 8 | a));
    }
    std::optional<char32_t> endOfUnits() {
        if (incomplete_)
            throw CSVError::incompleteUTF16();
        return std::nullopt;
    }

    bool bigEndian_;
    bool incomplete_ = false;
};

class Utf32Decoder final : public BlobSource {
public:
    Utf32Decoder(std::shared_ptr<const std::string> bytes, std::size_t offset, bool bigEndian)
        : BlobSource(std::move(bytes), offset), bigEndian_(bigEndian) {}

    std::optional<char32_t> next() override {
        if (remaining() == 0)
            return std::nullopt;
        if (remaining() < 4) {
            position_ = bytes_->size();
            throw CSVError::incompleteUTF32();
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= std::uint32_t(at(static_cast<std::size_t>(i)))
                     << (bigEndian_ ? 24 - 8 * i : 8 * i);
        position_ += 4;
        if (value > 0x10FFFF || isSurrogate(value))
            throw CSVError::invalidUTF32();
        return value;
    }

private:
    bool bigEndian_;
};

class TextSource final : public ScalarSource {
public:
    explicit TextSource(std::u32string text) : text_(std::move(text)) {}
    std::optional<char32_t> next() override {
        if (position_ >= text_.size())
            return std::nullopt;
        return text_[position_++];
    }

private:
    std::u32string text_;
    std::size_t position_ = 0;
};

} // namespace

Expected<std::unique_ptr<ScalarSource>, CSVError>
makeByteDecoder(TextEncoding encoding, std::shared_ptr<const std::string> bytes,
                std::size_t offset) {
    std::unique_ptr<ScalarSource> source;
    switch (encoding) {
    case TextEncoding::ascii:
        source = std::make_unique<AsciiDecoder>(std::move(bytes), offset);
        break;
    case TextEncoding::utf8:
        source = std::make_unique<Utf8Decoder>(std::move(bytes), offset);
        break;
    case TextEncoding::utf16:
    case TextEncoding::unicode:
    case TextEncoding::utf16BigEndian:
        source = std::make_unique<Utf16Decoder>(std::move(bytes), offset, true);
        break;
    case TextEncoding::utf16LittleEndian:
        source = std::make_unique<Utf16Decoder>(std::move(bytes), offset, false);
        break;
    case TextEncoding::utf32:
    case TextEncoding::utf32BigEndian:
        source = std::make_unique<Utf32Decoder>(std::move(bytes), offset, true);
        break;
    case TextEncoding::utf32LittleEndian:
        source = std::make_unique<Utf32Decoder>(std::move(bytes), offset, false);
        break;
    case TextEncoding::isoLatin1:
        return Unexpected{CSVError::unsupported(encodingName(encoding))};
    }
    return source;
}

std::unique_ptr<ScalarSource> makeTextSource(std::u32string text) {
    return std::make_unique<TextSource>(std::move(text));
}

std::optional<std::u32string> decodeWhole(TextEncoding encoding, std::string_view bytes) {
    std::u32string text;
    if (encoding == TextEncoding::isoLatin1) {
        for (char byte : bytes)
            text.push_back(static_cast<unsigned char>(byte));
        return text;
    }
    // Like the system's converters: a byte order mark of the same family picks the byte
    // order where none is given and is not part of the text.
    std::size_t offset = 0;
    const auto mark = detectByteOrderMark(bytes);
    if (mark) {
        const auto chosen = selectEncodingFrom(encoding, mark->encoding);
        if (chosen) {
            encoding = *chosen;
            offset = mark->length;
        }
    }
    auto blob = std::make_shared<const std::string>(bytes);
    auto decoder = makeByteDecoder(encoding, std::move(blob), offset);
    if (!decoder)
        return std::nullopt;
    try {
        while (const auto scalar = (*decoder)->next())
            text.push_back(*scalar);
    } catch (const CSVError&) {
        return std::nullopt;
    }
    return text;
}

} // namespace keyferry
