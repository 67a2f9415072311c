#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace keyferry {

/// The attributes of one element as expat gives them, looked up by local name.
class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
    /// The value of the attribute whose local name (without namespace) is `name`.
    std::optional<std::string_view> get(std::string_view name) const;

private:
    const char** pairs_;
};

/// What a reader does with the XML it is given. Names are local names: a workbook's
/// namespace prefixes vary between applications, its local names do not.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    /// Text, in as many pieces as expat likes.
    virtual void characters(std::string_view) {}

    /// Ends the parse with this message, from inside a callback.
    void fail(std::string message) {
        if (!failure_)
            failure_ = std::move(message);
    }
    const std::optional<std::string>& failure() const { return failure_; }

private:
    std::optional<std::string> failure_;
};

/// An expat parser that feeds one handler. A document type declaration is refused as soon
/// as it begins: no workbook part has one, and entities are how XML bombs grow.
class ExpatParser {
public:
    explicit ExpatParser(XmlHandler& handler);
    ExpatParser(const ExpatParser&) = delete;
    ExpatParser& operator=(const ExpatParser&) = delete;

    /// Parses the next piece; `last` for the final one. Returns why the parse ended early:
    /// the handler's failure, a refused declaration or malformed XML (with its line).
    std::optional<std::string> feed(std::string_view piece, bool last);

private:
    struct Free {
        void operator()(XML_ParserStruct* parser) const;
    };
    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int length);
    static void onDoctype(void* self, const char*, const char*, const char*, int);
    static void onEntity(void* self, const char*, int, const char*, int, const char*, const char*,
                         const char*, const char*);
    void stopIfFailed();

    XmlHandler& handler_;
    std::unique_ptr<XML_ParserStruct, Free> parser_;
    std::optional<std::string> refusal_;
};

} // namespace keyferry
