// A PDF/A-1b from the printer canvas turned into a ZUGFeRD PDF: PDF/A-3b allows embedded files, the
// XML is attached as the invoice's alternative form, and the metadata say which invoice standard it is.
#include "erechnung/ZugferdPdf.h"

#include "data/Laufzeitfehler.h"
#include "erechnung/XmlSchreiber.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace fkb {
namespace {

// Minutes east of UTC of the local time zone at this local time.
int utcVersatz(const Zeitpunkt& z) {
    std::tm t{};
    t.tm_year = z.jahr - 1900;
    t.tm_mon = z.monat - 1;
    t.tm_mday = z.tag;
    t.tm_hour = z.stunde;
    t.tm_min = z.minute;
    t.tm_sec = z.sekunde;
    t.tm_isdst = -1;
    return std::mktime(&t) == std::time_t(-1) ? 0 : int(t.tm_gmtoff / 60);
}

// A moment with its offset from UTC, in the notation given: year, month, day, hour, minute, second,
// sign, hours and minutes of the offset.
std::string mitVersatz(const Zeitpunkt& z, const char* muster) {
    const int v = utcVersatz(z);
    char text[40];
    std::snprintf(text, sizeof text, muster, z.jahr, z.monat, z.tag, z.stunde, z.minute, z.sekunde, v < 0 ? '-' : '+',
                  std::abs(v) / 60, std::abs(v) % 60);
    return text;
}

// The same moment as PDF writes it ("D:20261208101500+01'00'") and as XMP does
// ("2026-12-08T10:15:00+01:00"): the document information and the metadata must agree.
std::string pdfDatum(const Zeitpunkt& z) {
    return mitVersatz(z, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'");
}

std::string xmpDatum(const Zeitpunkt& z) {
    return mitVersatz(z, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d");
}

constexpr const char* FxNamensraum = "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#";

struct Beschreibung {
    std::string Titel, Autor, Programm, Hersteller, Datum;
};

// One rdf:Description per schema, each property an element.
void beschreibung(XmlSchreiber& x, const char* praefix, const char* namensraum) {
    x.beginn("rdf:Description");
    x.attribut("rdf:about", "");
    x.attribut((std::string("xmlns:") + praefix).c_str(), namensraum);
}

// A property of the Factur-X schema as the PDF/A extension schema describes it.
void fxEigenschaft(XmlSchreiber& x, const char* name, const char* beschreibung) {
    x.beginn("rdf:li");
    x.attribut("rdf:parseType", "Resource");
    x.element("pdfaProperty:name", name);
    x.element("pdfaProperty:valueType", "Text");
    x.element("pdfaProperty:category", "external");
    x.element("pdfaProperty:description", beschreibung);
    x.ende();
}

std::string xmp(const Beschreibung& b) {
    XmlSchreiber x(false);
    x.anweisung("xpacket", "begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"");
    x.beginn("x:xmpmeta");
    x.attribut("xmlns:x", "adobe:ns:meta/");
    x.beginn("rdf:RDF");
    x.attribut("xmlns:rdf", "http://www.w3.org/1999/02/22-rdf-syntax-ns#");

    beschreibung(x, "pdfaid", "http://www.aiim.org/pdfa/ns/id/");
    x.element("pdfaid:part", "3");
    x.element("pdfaid:conformance", "B");
    x.ende();

    beschreibung(x, "dc", "http://purl.org/dc/elements/1.1/");
    x.beginn("dc:title");
    x.beginn("rdf:Alt");
    x.element("rdf:li", "xml:lang", "x-default", b.Titel);
    x.ende();
    x.ende();
    x.beginn("dc:creator");
    x.beginn("rdf:Seq");
    x.element("rdf:li", b.Autor);
    x.ende();
    x.ende();
    x.ende();

    beschreibung(x, "xmp", "http://ns.adobe.com/xap/1.0/");
    x.element("xmp:CreatorTool", b.Programm);
    x.element("xmp:CreateDate", b.Datum);
    x.element("xmp:ModifyDate", b.Datum);
    x.element("xmp:MetadataDate", b.Datum);
    x.ende();

    beschreibung(x, "pdf", "http://ns.adobe.com/pdf/1.3/");
    x.element("pdf:Producer", b.Hersteller);
    x.ende();

    // PDF/A admits a schema outside its own list only with a description of it.
    beschreibung(x, "pdfaExtension", "http://www.aiim.org/pdfa/ns/extension/");
    x.attribut("xmlns:pdfaSchema", "http://www.aiim.org/pdfa/ns/schema#");
    x.attribut("xmlns:pdfaProperty", "http://www.aiim.org/pdfa/ns/property#");
    x.beginn("pdfaExtension:schemas");
    x.beginn("rdf:Bag");
    x.beginn("rdf:li");
    x.attribut("rdf:parseType", "Resource");
    x.element("pdfaSchema:schema", "Factur-X PDFA Extension Schema");
    x.element("pdfaSchema:namespaceURI", FxNamensraum);
    x.element("pdfaSchema:prefix", "fx");
    x.beginn("pdfaSchema:property");
    x.beginn("rdf:Seq");
    fxEigenschaft(x, "DocumentFileName", "The name of the embedded XML document");
    fxEigenschaft(x, "DocumentType", "The type of the hybrid document in capital letters, e.g. INVOICE or ORDER");
    fxEigenschaft(x, "Version", "The actual version of the standard applying to the embedded XML document");
    fxEigenschaft(x, "ConformanceLevel", "The conformance level of the embedded XML document");
    x.ende();
    x.ende();
    x.ende();
    x.ende();
    x.ende();
    x.ende();

    beschreibung(x, "fx", FxNamensraum);
    x.element("fx:DocumentType", "INVOICE");
    x.element("fx:DocumentFileName", ZugferdDateiName);
    x.element("fx:Version", "1.0");
    x.element("fx:ConformanceLevel", "EN 16931");
    x.ende();

    x.ende();
    x.ende();
    x.anweisung("xpacket", "end=\"w\"");
    return x.fertig();
}

std::string einbetten(std::string_view pdfA1b, const std::string& xml, const PdfAngaben& angaben) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("rechnung.pdf", pdfA1b.data(), pdfA1b.size());
    if (pdf.anyWarnings() || pdf.isEncrypted())
        throw Laufzeitfehler("PDF der Rechnung ist fehlerhaft");
    QPDFObjectHandle katalog = pdf.getRoot();
    QPDFObjectHandle alteInfo = pdf.getTrailer().getKey("/Info");

    Beschreibung b;
    b.Titel = xmlText(angaben.Titel);
    b.Autor = xmlText(angaben.Autor);
    b.Programm = "Fakturbuch";
    QPDFObjectHandle hersteller = alteInfo.isDictionary() ? alteInfo.getKey("/Producer") : QPDFObjectHandle();
    b.Hersteller = xmlText((hersteller.isString() ? hersteller.getUTF8Value() + "; " : std::string()) + "qpdf " +
                           QPDF::QPDFVersion());
    b.Datum = xmpDatum(angaben.erstellt);
    const std::string datum = pdfDatum(angaben.erstellt);

    // The document information says what the metadata say, word for word.
    QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
    info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(b.Titel));
    info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(b.Autor));
    info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(b.Programm));
    info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString(b.Hersteller));
    info.replaceKey("/CreationDate", QPDFObjectHandle::newString(datum));
    info.replaceKey("/ModDate", QPDFObjectHandle::newString(datum));
    pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(info));

    QPDFObjectHandle metadaten = QPDFObjectHandle::newStream(&pdf, xmp(b));
    metadaten.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    metadaten.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    katalog.replaceKey("/Metadata", metadaten);

    auto datei = QPDFEFStreamObjectHelper::createEFStream(pdf, xml);
    datei.setSubtype("text/xml").setCreationDate(datum).setModDate(datum);
    auto anhang = QPDFFileSpecObjectHelper::createFileSpec(pdf, ZugferdDateiName, datei);
    anhang.setDescription("Rechnung im Format ZUGFeRD / Factur-X (EN 16931)");
    anhang.getObjectHandle().replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(ZugferdDateiName, anhang);
    katalog.replaceKey("/AF", QPDFObjectHandle::newArray({anhang.getObjectHandle()}));

    QPDFWriter schreiber(pdf);
    schreiber.setOutputMemory();
    schreiber.setMinimumPDFVersion("1.7");
    schreiber.setDeterministicID(true);
    schreiber.write();
    // The writer hands the buffer over: it is ours to free.
    const std::shared_ptr<Buffer> puffer = schreiber.getBufferSharedPointer();
    return {reinterpret_cast<const char*>(puffer->getBuffer()), puffer->getSize()};
}

} // namespace

std::string ZugferdPdf(std::string_view pdfA1b, const std::string& xml, const PdfAngaben& angaben) {
    try {
        return einbetten(pdfA1b, xml, angaben);
    } catch (const Laufzeitfehler&) {
        throw;
    } catch (const std::exception& fehler) {
        throw Laufzeitfehler(std::string("PDF der Rechnung ist fehlerhaft: ") + fehler.what());
    }
}

} // namespace fkb
