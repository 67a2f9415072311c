#include "csv/ExpatParser.h"

#include <climits>
#include <expat.h>

namespace keyferry {

namespace {

// Names come as "namespace-uri\x01local" from the namespace-aware parser.
constexpr char namespaceSeparator = '\x01';

std::string_view localName(const char* name) {
    const std::string_view full(name);
    const auto cut = full.rfind(namespaceSeparator);
    return cut == std::string_view::npos ? full : full.substr(cut + 1);
}

// expat 2.9 deprecates the line number of XML_Size, which wraps on 32-bit systems, for one of
// 64 bits; older versions (Debian 12 has 2.5) have only the first.
auto currentLine(XML_Parser parser) {
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 9)
    return XML_GetCurrentLineNumber64(parser);
#else
    return XML_GetCurrentLineNumber(parser);
#endif
}

} // namespace

std::optional<std::string_view> XmlAttributes::get(std::string_view name) const {
    for (const char** pair = pairs_; pair[0]; pair += 2)
        if (localName(pair[0]) == name)
            return std::string_view(pair[1]);
    return std::nullopt;
}

void ExpatParser::Free::operator()(XML_ParserStruct* parser) const {
    XML_ParserFree(parser);
}

ExpatParser::ExpatParser(XmlHandler& handler)
    : handler_(handler), parser_(XML_ParserCreateNS("UTF-8", namespaceSeparator)) {
    XML_Parser parser = parser_.get();
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &ExpatParser::onStart, &ExpatParser::onEnd);
    XML_SetCharacterDataHandler(parser, &ExpatParser::onText);
    XML_SetStartDoctypeDeclHandler(parser, &ExpatParser::onDoctype);
    XML_SetEntityDeclHandler(parser, &ExpatParser::onEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

void ExpatParser::stopIfFailed() {
    if (handler_.failure())
        XML_StopParser(parser_.get(), XML_FALSE);
}

void ExpatParser::onStart(void* self, const char* name, const char** attributes) {
    auto& parser = *static_cast<ExpatParser*>(self);
    parser.handler_.startElement(localName(name), XmlAttributes(attributes));
    parser.stopIfFailed();
}

void ExpatParser::onEnd(void* self, const char* name) {
    auto& parser = *static_cast<ExpatParser*>(self);
    parser.handler_.endElement(localName(name));
    parser.stopIfFailed();
}

void ExpatParser::onText(void* self, const char* text, int length) {
    auto& parser = *static_cast<ExpatParser*>(self);
    parser.handler_.characters({text, static_cast<std::size_t>(length)});
    parser.stopIfFailed();
}

void ExpatParser::onDoctype(void* self, const char*, const char*, const char*, int) {
    auto& parser = *static_cast<ExpatParser*>(self);
    parser.refusal_ = "it declares a document type, which no workbook part does";
    XML_StopParser(parser.parser_.get(), XML_FALSE);
}

void ExpatParser::onEntity(void* self, const char*, int, const char*, int, const char*, const char*,
                           const char*, const char*) {
    auto& parser = *static_cast<ExpatParser*>(self);
    parser.refusal_ = "it declares entities, which no workbook part does";
    XML_StopParser(parser.parser_.get(), XML_FALSE);
}

std::optional<std::string> ExpatParser::feed(std::string_view piece, bool last) {
    if (!parser_)
        return "no memory for the XML parser";
    XML_Parser parser = parser_.get();
    // expat takes an int length: long pieces go in slices.
    do {
        const std::size_t slice = std::min<std::size_t>(piece.size(), INT_MAX / 2);
        const bool final = last && slice == piece.size();
        const auto status = XML_Parse(parser, piece.data(), static_cast<int>(slice), final);
        if (handler_.failure())
            return handler_.failure();
        if (refusal_)
            return refusal_;
        if (status != XML_STATUS_OK)
            return std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                   std::to_string(currentLine(parser));
        piece.remove_prefix(slice);
    } while (!piece.empty());
    return std::nullopt;
}

} // namespace keyferry
