#include "csv/ZipArchive.h"

#include <array>
#include <zip.h>

namespace keyferry {

namespace {

struct CloseFile {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// libzip's error as text; the error structure owns its message until finished.
std::string errorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

} // namespace

void ZipArchive::Discard::operator()(zip* archive) const {
    zip_discard(archive); // read only: nothing to write back
}

Expected<ZipArchive, std::string> ZipArchive::open(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        return Unexpected{text};
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source); // not taken over by a failed open
        std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        return Unexpected{text};
    }
    zip_error_fini(&error);
    return ZipArchive(archive);
}

bool ZipArchive::contains(const std::string& name) const {
    return zip_name_locate(archive_.get(), name.c_str(), 0) >= 0;
}

std::optional<std::string>
ZipArchive::stream(const std::string& name, std::uint64_t maxBytes,
                   const std::function<bool(std::string_view)>& sink) const {
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat(archive_.get(), name.c_str(), 0, &info) != 0)
        return "The part " + name + " is missing.";
    if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) && info.encryption_method != ZIP_EM_NONE)
        return "The part " + name + " is encrypted.";
    const auto tooLarge = [&] {
        return "The part " + name + " unpacks to more than " + std::to_string(maxBytes) +
               " bytes, more than an import can hold.";
    };
    // What the archive says the entry unpacks to bounds the reading too: unpacking more than
    // that means the archive is damaged or lies.
    std::uint64_t limit = maxBytes;
    if (info.valid & ZIP_STAT_SIZE) {
        if (info.size > maxBytes)
            return tooLarge();
        limit = info.size;
    }

    std::unique_ptr<zip_file_t, CloseFile> file(zip_fopen(archive_.get(), name.c_str(), 0));
    if (!file)
        return "The part " + name + " cannot be unpacked: " +
               errorText(zip_error_code_zip(zip_get_error(archive_.get()))) + ".";
    std::array<char, 64 * 1024> buffer;
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0)
            return "The part " + name +
                   " is damaged: " + zip_error_strerror(zip_file_get_error(file.get())) + ".";
        if (got == 0)
            return std::nullopt;
        total += static_cast<std::uint64_t>(got);
        if (total > maxBytes)
            return tooLarge();
        if (total > limit)
            return "The part " + name + " is damaged: it unpacks to more than it declares.";
        if (!sink({buffer.data(), static_cast<std::size_t>(got)}))
            return std::nullopt;
    }
}

Expected<std::string, std::string> ZipArchive::read(const std::string& name,
                                                    std::uint64_t maxBytes) const {
    std::string content;
    if (auto failure = stream(name, maxBytes, [&](std::string_view piece) {
            content.append(piece);
            return true;
        }))
        return Unexpected{std::move(*failure)};
    return content;
}

} // namespace keyferry
