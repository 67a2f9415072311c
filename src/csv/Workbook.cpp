#include "csv/Workbook.h"

#include "csv/OdsReader.h"
#include "csv/WorkbookLimits.h"
#include "csv/XlsxReader.h"
#include "csv/ZipArchive.h"

namespace keyferry {

namespace {

constexpr std::string_view zipMagic = "PK\x03\x04";
constexpr std::string_view oleMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// An encrypted .xlsx is an OLE compound file holding the streams "EncryptionInfo" and
// "EncryptedPackage"; their names are stored in UTF-16.
bool holdsEncryptionInfo(std::string_view bytes) {
    const std::string_view name = "EncryptionInfo";
    std::string wide;
    for (const char c : name) {
        wide += c;
        wide += '\0';
    }
    return bytes.find(wide) != std::string_view::npos;
}

} // namespace

bool looksLikeWorkbook(std::string_view bytes) {
    return bytes.starts_with(zipMagic) || bytes.starts_with(oleMagic);
}

Expected<SheetRead, std::string> readWorkbook(std::string_view bytes,
                                              const std::optional<std::string>& sheet) {
    if (bytes.starts_with(oleMagic)) {
        if (holdsEncryptionInfo(bytes))
            return Unexpected{std::string(
                "The workbook is encrypted (protected by a password to open). Save it without "
                "a password, then open it again.")};
        return Unexpected{std::string(
            "This is an older binary workbook (.xls), which cannot be read. Save it as .xlsx, "
            ".ods or CSV, then open it again.")};
    }
    auto archive = ZipArchive::open(bytes);
    if (!archive)
        return Unexpected{"The workbook is damaged: " + archive.error() + "."};
    if (archive->contains("content.xml")) {
        // OpenDocument encrypts the parts themselves and says so in the manifest.
        const auto manifest =
            archive->read("META-INF/manifest.xml", workbook_limits::describingPartBytes);
        if (manifest && manifest->find("encryption-data") != std::string::npos)
            return Unexpected{std::string(
                "The workbook is encrypted (protected by a password to open). Save it without "
                "a password, then open it again.")};
        return readOds(*archive, sheet);
    }
    if (archive->contains("_rels/.rels"))
        return readXlsx(*archive, sheet);
    return Unexpected{
        std::string("The file is a zip archive but neither an .xlsx nor an .ods workbook.")};
}

} // namespace keyferry
