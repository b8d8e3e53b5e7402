#include "erechnung/XmlSchreiber.h"

#include "data/Laufzeitfehler.h"

namespace fkb {
namespace {

void pruefen(int ergebnis) {
    if (ergebnis < 0)
        throw Laufzeitfehler("Zu wenig Speicher für die E-Rechnung");
}

bool folgeByte(std::string_view text, std::size_t i) {
    return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
}

// The code point of the UTF-8 sequence at i and its length; 0 for a broken one: a missing or
// stray continuation byte, an overlong form, a surrogate, or a value beyond U+10FFFF.
std::size_t zeichenLesen(std::string_view text, std::size_t i, char32_t& zeichen) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t laenge;
    char32_t kleinster;
    if (c < 0x80) {
        zeichen = c;
        return 1;
    } else if ((c >> 5) == 0x6) {
        laenge = 2, zeichen = c & 0x1F, kleinster = 0x80;
    } else if ((c >> 4) == 0xE) {
        laenge = 3, zeichen = c & 0x0F, kleinster = 0x800;
    } else if ((c >> 3) == 0x1E) {
        laenge = 4, zeichen = c & 0x07, kleinster = 0x10000;
    } else {
        return 0;
    }
    for (std::size_t j = 1; j < laenge; ++j) {
        if (!folgeByte(text, i + j))
            return 0;
        zeichen = (zeichen << 6) | (static_cast<unsigned char>(text[i + j]) & 0x3F);
    }
    if (zeichen < kleinster || zeichen > 0x10FFFF || (zeichen >= 0xD800 && zeichen <= 0xDFFF))
        return 0;
    return laenge;
}

} // namespace

std::string xmlText(std::string_view text) {
    std::string sauber;
    sauber.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t zeichen = 0;
        const std::size_t laenge = zeichenLesen(text, i, zeichen);
        if (laenge == 0) {
            sauber += '?';
            ++i;
            continue;
        }
        if (zeichen < 0x20 || (zeichen >= 0x7F && zeichen < 0xA0))
            sauber += ' '; // C0 and C1 controls
        else if (zeichen != 0xFFFE && zeichen != 0xFFFF)
            sauber.append(text.substr(i, laenge));
        i += laenge;
    }
    return sauber;
}

XmlSchreiber::XmlSchreiber(bool deklaration)
    : puffer_(xmlBufferCreate()), writer_(puffer_ ? xmlNewTextWriterMemory(puffer_, 0) : nullptr) {
    if (!writer_) {
        if (puffer_)
            xmlBufferFree(puffer_);
        throw Laufzeitfehler("Zu wenig Speicher für die E-Rechnung");
    }
    pruefen(xmlTextWriterSetIndent(writer_, 1));
    pruefen(xmlTextWriterSetIndentString(writer_, BAD_CAST "  "));
    if (deklaration)
        pruefen(xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr));
}

XmlSchreiber::~XmlSchreiber() {
    xmlFreeTextWriter(writer_);
    xmlBufferFree(puffer_);
}

void XmlSchreiber::beginn(const char* name) {
    pruefen(xmlTextWriterStartElement(writer_, BAD_CAST name));
}

void XmlSchreiber::ende() {
    pruefen(xmlTextWriterEndElement(writer_));
}

void XmlSchreiber::attribut(const char* name, std::string_view wert) {
    pruefen(xmlTextWriterWriteAttribute(writer_, BAD_CAST name, BAD_CAST xmlText(wert).c_str()));
}

void XmlSchreiber::text(std::string_view inhalt) {
    pruefen(xmlTextWriterWriteString(writer_, BAD_CAST xmlText(inhalt).c_str()));
}

void XmlSchreiber::element(const char* name, std::string_view inhalt) {
    pruefen(xmlTextWriterWriteElement(writer_, BAD_CAST name, BAD_CAST xmlText(inhalt).c_str()));
}

void XmlSchreiber::element(const char* name, const char* attributName, std::string_view attributWert,
                           std::string_view inhalt) {
    beginn(name);
    attribut(attributName, attributWert);
    text(inhalt);
    ende();
}

void XmlSchreiber::anweisung(const char* ziel, std::string_view inhalt) {
    pruefen(xmlTextWriterWritePI(writer_, BAD_CAST ziel, BAD_CAST std::string(inhalt).c_str()));
}

std::string XmlSchreiber::fertig() {
    pruefen(xmlTextWriterEndDocument(writer_));
    pruefen(xmlTextWriterFlush(writer_));
    return {reinterpret_cast<const char*>(xmlBufferContent(puffer_)), std::size_t(xmlBufferLength(puffer_))};
}

} // namespace fkb
