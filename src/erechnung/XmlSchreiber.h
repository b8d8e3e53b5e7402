#pragma once

#include <libxml/xmlwriter.h>

#include <string>
#include <string_view>

namespace fkb {

// A text as XML 1.0 may carry it: control characters become blanks, broken UTF-8 becomes '?', and
// the characters XML cannot hold at all (U+FFFE, U+FFFF) are dropped.
std::string xmlText(std::string_view text);

// libxml2's text writer into memory; it escapes every text and attribute value, each passed through
// xmlText first. It fails only when memory runs out.
class XmlSchreiber {
public:
    // With the declaration <?xml version="1.0" encoding="UTF-8"?> or without.
    explicit XmlSchreiber(bool deklaration = true);
    ~XmlSchreiber();
    XmlSchreiber(const XmlSchreiber&) = delete;
    XmlSchreiber& operator=(const XmlSchreiber&) = delete;

    void beginn(const char* name);
    void ende();
    void attribut(const char* name, std::string_view wert);
    void text(std::string_view inhalt);
    void element(const char* name, std::string_view inhalt);
    // An element with one attribute and a text: <ram:ID schemeID="VA">DE123456789</ram:ID>.
    void element(const char* name, const char* attributName, std::string_view attributWert, std::string_view inhalt);
    // A processing instruction: <?ziel inhalt?>.
    void anweisung(const char* ziel, std::string_view inhalt);

    std::string fertig();

private:
    xmlBufferPtr puffer_;
    xmlTextWriterPtr writer_;
};

} // namespace fkb
