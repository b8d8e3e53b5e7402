#pragma once

// Reading exported e-invoices in the tests: validation against the CII D16B schema set in
// tests/data/xsd, in-process with libxml2, values picked out by XPath, and the ZUGFeRD PDF around
// the XML read back with qpdf.
#include "Formularumgebung.h"
#include "data/DatenSatz.h"
#include "erechnung/ERechnung.h"
#include "erechnung/ERechnungAusFormular.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fkb::test {

// The schema's complaints about a document, one per line; empty when it is valid.
inline std::vector<std::string> schemaFehler(const std::string& xml) {
    static xmlSchemaPtr schema = [] {
        xmlSchemaParserCtxtPtr leser = xmlSchemaNewParserCtxt(FKB_TESTDATEN "/xsd/CrossIndustryInvoice_100pD16B.xsd");
        xmlSchemaPtr s = xmlSchemaParse(leser);
        xmlSchemaFreeParserCtxt(leser);
        if (!s)
            throw std::runtime_error("CII schema not readable");
        return s;
    }();
    std::vector<std::string> fehler;
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        xmlReadMemory(xml.data(), int(xml.size()), "rechnung.xml", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR),
        xmlFreeDoc);
    if (!doc)
        return {"not well-formed"};
    std::unique_ptr<xmlSchemaValidCtxt, void (*)(xmlSchemaValidCtxtPtr)> pruefer(xmlSchemaNewValidCtxt(schema),
                                                                                 xmlSchemaFreeValidCtxt);
    xmlSchemaSetValidStructuredErrors(
        pruefer.get(),
        [](void* ziel, xmlErrorPtr e) {
            static_cast<std::vector<std::string>*>(ziel)->push_back("line " + std::to_string(e->line) + ": " +
                                                                    e->message);
        },
        &fehler);
    if (xmlSchemaValidateDoc(pruefer.get(), doc.get()) != 0 && fehler.empty())
        fehler.push_back("invalid");
    return fehler;
}

using Namensraeume = std::vector<std::pair<const char*, const char*>>;
inline const Namensraeume CiiNamensraeume = {
    {"rsm", "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100"},
    {"ram", "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100"},
    {"udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100"}};

// A parsed e-invoice whose values the tests pick out by XPath with the prefixes rsm, ram and udt,
// or another XML document with prefixes of its own.
class CiiDokument {
public:
    explicit CiiDokument(const std::string& xml, const Namensraeume& namensraeume = CiiNamensraeume)
        : doc_(xmlReadMemory(xml.data(), int(xml.size()), "rechnung.xml", nullptr, XML_PARSE_NONET), xmlFreeDoc),
          kontext_(doc_ ? xmlXPathNewContext(doc_.get()) : nullptr, xmlXPathFreeContext) {
        if (!kontext_)
            throw std::runtime_error("no XML document");
        for (auto& [praefix, uri] : namensraeume)
            xmlXPathRegisterNs(kontext_.get(), BAD_CAST praefix, BAD_CAST uri);
    }

    // The string values of all nodes the path selects, in document order.
    std::vector<std::string> texte(const std::string& pfad) const {
        std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> ergebnis(
            xmlXPathEvalExpression(BAD_CAST pfad.c_str(), kontext_.get()), xmlXPathFreeObject);
        if (!ergebnis || ergebnis->type != XPATH_NODESET)
            throw std::runtime_error("bad XPath " + pfad);
        std::vector<std::string> werte;
        for (int i = 0; ergebnis->nodesetval && i < ergebnis->nodesetval->nodeNr; ++i) {
            xmlChar* inhalt = xmlNodeGetContent(ergebnis->nodesetval->nodeTab[i]);
            werte.emplace_back(reinterpret_cast<const char*>(inhalt));
            xmlFree(inhalt);
        }
        return werte;
    }
    // The value of the one node the path selects; "<none>" or "<several>" otherwise.
    std::string text(const std::string& pfad) const {
        const auto werte = texte(pfad);
        return werte.size() == 1 ? werte[0] : werte.empty() ? "<none>" : "<several>";
    }

private:
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc_;
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> kontext_;
};

// An amount or quantity of the XML ("123.45", "2.5", "3") in units of 10^-stellen.
inline std::int64_t festkommaWert(const std::string& text, int stellen) {
    const auto punkt = text.find('.');
    const std::string ganz = text.substr(0, punkt);
    std::string nach = punkt == std::string::npos ? "" : text.substr(punkt + 1);
    if (int(nach.size()) > stellen || ganz.empty())
        throw std::runtime_error("unexpected number " + text);
    nach.resize(std::size_t(stellen), '0');
    return std::stoll(ganz + nach);
}

// Where a ZUGFeRD PDF falls short of PDF/A-3b with the invoice inside, one line each; empty when it
// does not. The embedded XML lands in `xml`.
inline std::vector<std::string> zugferdFehler(const std::string& pdf, std::string& xml) {
    std::vector<std::string> fehler;
    auto soll = [&](bool gut, const std::string& was) {
        if (!gut)
            fehler.push_back(was);
    };
    auto wert = [](QPDFObjectHandle o, const char* schluessel) {
        if (o.isStream())
            o = o.getDict();
        return o.isDictionary() ? o.getKey(schluessel) : QPDFObjectHandle::newNull();
    };
    auto text = [](QPDFObjectHandle o) { return o.isString() ? o.getUTF8Value() : "<none>"; };
    QPDF q;
    q.setSuppressWarnings(true);
    q.processMemoryFile("zugferd.pdf", pdf.data(), pdf.size());
    // What qpdf --check does: every stream decodes, and the file writes anew without a warning.
    for (QPDFObjectHandle o : q.getAllObjects())
        if (o.isStream())
            o.getStreamData(qpdf_dl_all);
    QPDFWriter probe(q);
    probe.setOutputMemory();
    probe.write();
    soll(!q.anyWarnings() && !q.isEncrypted(), "qpdf warns, or the file is encrypted");
    soll(wert(q.getTrailer(), "/ID").isArray() && wert(q.getTrailer(), "/ID").getArrayNItems() == 2, "trailer /ID");

    QPDFObjectHandle katalog = q.getRoot();
    QPDFObjectHandle af = wert(katalog, "/AF");
    QPDFObjectHandle anhang = af.isArray() && af.getArrayNItems() == 1 ? af.getArrayItem(0) : af;
    const auto baum = QPDFEmbeddedFileDocumentHelper(q).getEmbeddedFile("factur-x.xml");
    soll(baum && anhang.isIndirect() && baum->getObjectHandle().getObjGen() == anhang.getObjGen(),
         "the one file of /AF is factur-x.xml of the EmbeddedFiles");
    soll(text(wert(anhang, "/F")) == "factur-x.xml" && text(wert(anhang, "/UF")) == "factur-x.xml", "/F and /UF");
    soll(wert(anhang, "/AFRelationship").isNameAndEquals("/Alternative"), "/AFRelationship /Alternative");
    QPDFObjectHandle datei = wert(wert(anhang, "/EF"), "/F");
    soll(wert(datei, "/Subtype").isNameAndEquals("/text/xml"), "MIME type text/xml");
    soll(text(wert(wert(datei, "/Params"), "/ModDate")).starts_with("D:"), "/Params /ModDate");
    const auto daten = datei.isStream() ? datei.getStreamData() : std::make_shared<Buffer>();
    xml.assign(reinterpret_cast<const char*>(daten->getBuffer()), daten->getSize());

    QPDFObjectHandle absicht = wert(katalog, "/OutputIntents");
    soll(absicht.isArray() && wert(absicht.getArrayItem(0), "/S").isNameAndEquals("/GTS_PDFA1") &&
             wert(wert(absicht.getArrayItem(0), "/DestOutputProfile"), "/N").getIntValue() == 3,
         "an RGB output intent");
    for (QPDFObjectHandle seite : q.getAllPages())
        for (auto& [name, schrift] : wert(wert(seite, "/Resources"), "/Font").getDictAsMap()) {
            QPDFObjectHandle nachfahren = wert(schrift, "/DescendantFonts");
            QPDFObjectHandle beschreibung =
                wert(nachfahren.isArray() ? nachfahren.getArrayItem(0) : schrift, "/FontDescriptor");
            soll(!wert(beschreibung, "/FontFile2").isNull() || !wert(beschreibung, "/FontFile3").isNull() ||
                     !wert(beschreibung, "/FontFile").isNull(),
                 "font " + name + " not embedded");
        }

    QPDFObjectHandle metadaten = wert(katalog, "/Metadata");
    soll(metadaten.isStream() && wert(metadaten, "/Filter").isNull(), "unfiltered XMP metadata");
    const auto roh = metadaten.isStream() ? metadaten.getRawStreamData() : std::make_shared<Buffer>();
    const CiiDokument x(std::string(reinterpret_cast<const char*>(roh->getBuffer()), roh->getSize()),
                        {{"rdf", "http://www.w3.org/1999/02/22-rdf-syntax-ns#"},
                         {"dc", "http://purl.org/dc/elements/1.1/"},
                         {"pdfaid", "http://www.aiim.org/pdfa/ns/id/"},
                         {"pdfaSchema", "http://www.aiim.org/pdfa/ns/schema#"},
                         {"fx", "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#"}});
    const std::pair<std::string, std::string> eigenschaften[] = {
        {"//pdfaid:part", "3"},
        {"//pdfaid:conformance", "B"},
        {"//pdfaSchema:namespaceURI", "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#"},
        {"//pdfaSchema:prefix", "fx"},
        {"//fx:DocumentType", "INVOICE"},
        {"//fx:DocumentFileName", "factur-x.xml"},
        {"//fx:Version", "1.0"},
        {"//fx:ConformanceLevel", "EN 16931"},
        {"//dc:title/rdf:Alt/rdf:li", text(wert(wert(q.getTrailer(), "/Info"), "/Title"))},
    };
    for (const auto& [pfad, erwartet] : eigenschaften)
        soll(x.text(pfad) == erwartet, "XMP " + pfad + " is " + x.text(pfad));
    return fehler;
}

// A parameter record that an e-invoice can be made from: owner, contact, bank and VAT id.
inline void eignerEintragen(Formularumgebung& u) {
    DatenSatz s = u.satz(0);
    using namespace SatzFeld;
    const std::pair<Feld, const char*> felder[] = {
        {Firma, "Haustechnik Groß & Söhne GmbH"},
        {Vorname, "Anna"},
        {Name, "Groß"},
        {Strasse, "Musterstraße"},
        {Nummer, "1"},
        {PLZ, "10115"},
        {Ort, "Berlin"},
        {Land, "Deutschland"},
        {Telephon, "+49 30 1234567"},
        {Mail, "rechnung@gross-haustechnik.de"},
        {Position(2), "UstID   : DE123456789"},
        {Position(3), "BIC     : COBADEFFXXX"},
        {Position(4), "IBAN    : DE89 3704 0044 0532 0130 00"},
        {Menge(1), "   19,0"},
    };
    for (const auto& [feld, text] : felder)
        s.setzeText(feld, text);
    u.schreiben(0, s);
}

// A customer on the pages that an e-invoice can be made for, with the kind "R".
inline void kundeEintragen(TFKB_Formular& f, const std::string& region) {
    const std::pair<Steuerelement*, const char*> felder[] = {
        {&f.KundenNummer, "00042"},
        {&f.Anrede, "Herr"},
        {&f.Zusatz, "Dr."},
        {&f.Firma, "Bäckerei Kunde"},
        {&f.Vorname, "Max"},
        {&f.Name, "Kunde"},
        {&f.Strasse, "Lindenallee"},
        {&f.Nummer, "5"},
        {&f.PLZ, "14467"},
        {&f.Ort, "Potsdam"},
        {&f.Land, ""},
        {&f.Mail, "einkauf@baeckerei-kunde.de"},
        {&f.RechnungsNummer, "000123"},
        {&f.RechnungsDatum, "07.12.2026"},
        {&f.LeistungsDatum, "04.12.2026"},
        {&f.ZolltarifNummer, ""},
        {&f.RechnungsKennZeichen, "R"},
    };
    for (const auto& [feld, text] : felder)
        feld->text = text;
    f.LieferKennzeichen.text = region;
    for (int k = 0; k < AnzahlZeilen; ++k)
        for (auto* zeile : {&f.Position, &f.ME, &f.Menge, &f.Preis, &f.Wert})
            (*zeile)[std::size_t(k)].text.clear();
    for (Steuerelement* kosten : {&f.VersandKosten, &f.NachnameKosten, &f.SonstigeKosten, &f.BezeichnungSonstigeKosten})
        kosten->text.clear();
}

inline void zeileEintragen(TFKB_Formular& f, int k, const char* position, const char* me, const char* menge,
                           const char* preis) {
    f.Position[std::size_t(k)].text = position;
    f.ME[std::size_t(k)].text = me;
    f.Menge[std::size_t(k)].text = menge;
    f.Preis[std::size_t(k)].text = preis;
}

// The export as the handler makes it: calculation first, then the owner's data read afresh.
inline ERechnungsErgebnis exportieren(Formularumgebung& u) {
    if (!u.f.RechnungPruefen())
        throw std::runtime_error("invoice calculation failed");
    return ERechnungErstellen(ERechnungsDatenSammeln(u.f, u.satz(0)));
}

} // namespace fkb::test
