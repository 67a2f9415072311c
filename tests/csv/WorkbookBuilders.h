#pragma once

#include "support/ZipBuilder.h"

#include <string>
#include <vector>

namespace keyferry::testing {

/// An .xlsx workbook of these sheets (name, the sheetData's inner XML), with the given
/// shared strings (the <sst>'s inner XML) and styles (the <styleSheet>'s inner XML).
inline std::string xlsxOf(const std::vector<std::pair<std::string, std::string>>& sheets,
                          const std::string& sharedStrings = "", const std::string& styles = "",
                          const std::string& workbookProperties = "") {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string pkg = "http://schemas.openxmlformats.org/package/2006/relationships";
    std::vector<std::pair<std::string, std::string>> entries;
    entries.emplace_back("_rels/.rels", "<Relationships xmlns=\"" + pkg +
                                            "\"><Relationship Id=\"rId1\" Type=\"" + rel +
                                            "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                                            "</Relationships>");
    std::string workbook = "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\">" +
                           workbookProperties + "<sheets>";
    std::string relationships = "<Relationships xmlns=\"" + pkg + "\">";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string id = "rId" + std::to_string(i + 10);
        const std::string part = "worksheets/sheet" + std::to_string(i + 1) + ".xml";
        workbook += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + std::to_string(i + 1) +
                    "\" r:id=\"" + id + "\"/>";
        relationships += "<Relationship Id=\"" + id + "\" Type=\"" + rel +
                         "/worksheet\" Target=\"" + part + "\"/>";
        entries.emplace_back("xl/" + part, "<worksheet xmlns=\"" + main + "\"><sheetData>" +
                                               sheets[i].second + "</sheetData></worksheet>");
    }
    relationships += "<Relationship Id=\"rId2\" Type=\"" + rel +
                     "/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" "
                     "Type=\"" +
                     rel + "/styles\" Target=\"/xl/styles.xml\"/></Relationships>";
    entries.emplace_back("xl/workbook.xml", workbook + "</sheets></workbook>");
    entries.emplace_back("xl/_rels/workbook.xml.rels", relationships);
    entries.emplace_back("xl/sharedStrings.xml",
                         "<sst xmlns=\"" + main + "\">" + sharedStrings + "</sst>");
    entries.emplace_back("xl/styles.xml",
                         "<styleSheet xmlns=\"" + main + "\">" + styles + "</styleSheet>");
    return zipOf(entries);
}

/// An .ods workbook whose content.xml holds these tables' inner XML, by name.
inline std::string odsOf(const std::vector<std::pair<std::string, std::string>>& tables,
                         const std::string& manifestExtra = "") {
    std::string content =
        "<office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
        "<office:spreadsheet>";
    for (const auto& [name, inner] : tables)
        content += "<table:table table:name=\"" + name + "\">" + inner + "</table:table>";
    content += "</office:spreadsheet></office:body></office:document-content>";
    return zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                  {"META-INF/manifest.xml", "<manifest:manifest xmlns:manifest=\"urn:oasis:names:"
                                            "tc:opendocument:xmlns:manifest:1.0\">" +
                                                manifestExtra + "</manifest:manifest>"},
                  {"content.xml", content}});
}

} // namespace keyferry::testing
