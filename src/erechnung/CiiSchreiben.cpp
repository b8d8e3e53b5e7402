// The CII D16B document of an XRechnung 3.0, element by element in the order the schema fixes.
#include "erechnung/Rechnungsmodell.h"

#include "data/Laufzeitfehler.h"

#include <cinttypes>
#include <cstdio>
#include <libxml/xmlwriter.h>

namespace fkb::cii {
namespace {

// A text as XML 1.0 may carry it: control characters become blanks, broken UTF-8 becomes '?'.
std::string xmlText(std::string_view text) {
    std::string sauber;
    sauber.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t laenge = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool gueltig = laenge > 0 && i + laenge <= text.size();
        for (std::size_t j = 1; gueltig && j < laenge; ++j)
            gueltig = (static_cast<unsigned char>(text[i + j]) & 0xC0) == 0x80;
        if (!gueltig) {
            sauber += '?';
            ++i;
        } else if (c < 0x20 || c == 0x7F || (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
            sauber += ' '; // C0 and C1 controls
            i += laenge;
        } else {
            sauber.append(text.substr(i, laenge));
            i += laenge;
        }
    }
    return sauber;
}

// libxml2's text writer into memory; it escapes every text and attribute value.
class XmlSchreiber {
public:
    XmlSchreiber() : puffer_(xmlBufferCreate()), writer_(puffer_ ? xmlNewTextWriterMemory(puffer_, 0) : nullptr) {
        if (!writer_)
            throw Laufzeitfehler("Zu wenig Speicher für die E-Rechnung");
        pruefen(xmlTextWriterSetIndent(writer_, 1));
        pruefen(xmlTextWriterSetIndentString(writer_, BAD_CAST "  "));
        pruefen(xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr));
    }
    ~XmlSchreiber() {
        if (writer_)
            xmlFreeTextWriter(writer_);
        if (puffer_)
            xmlBufferFree(puffer_);
    }
    XmlSchreiber(const XmlSchreiber&) = delete;
    XmlSchreiber& operator=(const XmlSchreiber&) = delete;

    void beginn(const char* name) { pruefen(xmlTextWriterStartElement(writer_, BAD_CAST name)); }
    void ende() { pruefen(xmlTextWriterEndElement(writer_)); }
    void attribut(const char* name, std::string_view wert) {
        pruefen(xmlTextWriterWriteAttribute(writer_, BAD_CAST name, BAD_CAST xmlText(wert).c_str()));
    }
    void text(std::string_view inhalt) { pruefen(xmlTextWriterWriteString(writer_, BAD_CAST xmlText(inhalt).c_str())); }
    void element(const char* name, std::string_view inhalt) {
        pruefen(xmlTextWriterWriteElement(writer_, BAD_CAST name, BAD_CAST xmlText(inhalt).c_str()));
    }
    // An element with one attribute and a text: <ram:ID schemeID="VA">DE123456789</ram:ID>.
    void element(const char* name, const char* attributName, std::string_view attributWert, std::string_view inhalt) {
        beginn(name);
        attribut(attributName, attributWert);
        text(inhalt);
        ende();
    }

    std::string fertig() {
        pruefen(xmlTextWriterEndDocument(writer_));
        pruefen(xmlTextWriterFlush(writer_));
        return {reinterpret_cast<const char*>(xmlBufferContent(puffer_)), std::size_t(xmlBufferLength(puffer_))};
    }

private:
    // The writer fails only when memory runs out.
    static void pruefen(int ergebnis) {
        if (ergebnis < 0)
            throw Laufzeitfehler("Zu wenig Speicher für die E-Rechnung");
    }

    xmlBufferPtr puffer_;
    xmlTextWriterPtr writer_;
};

// Cents as an amount with a dot and two decimals.
std::string betrag(std::int64_t cent) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%" PRId64 ".%02" PRId64, cent < 0 ? "-" : "", (cent < 0 ? -cent : cent) / 100,
                  (cent < 0 ? -cent : cent) % 100);
    return text;
}

// Tenths with a dot, and without it when whole: 25 gives "2.5", 30 gives "3".
std::string zehntel(std::int64_t wert) {
    char text[32];
    if (wert % 10 == 0)
        std::snprintf(text, sizeof text, "%" PRId64, wert / 10);
    else
        std::snprintf(text, sizeof text, "%" PRId64 ".%" PRId64, wert / 10, wert % 10);
    return text;
}

class CiiDokument {
public:
    explicit CiiDokument(const Rechnungsmodell& m) : m_(m) {}

    std::string schreiben() {
        x_.beginn("rsm:CrossIndustryInvoice");
        x_.attribut("xmlns:rsm", "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
        x_.attribut("xmlns:ram", "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
        x_.attribut("xmlns:qdt", "urn:un:unece:uncefact:data:standard:QualifiedDataType:100");
        x_.attribut("xmlns:udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
        kontext();
        dokument();
        x_.beginn("rsm:SupplyChainTradeTransaction");
        for (const Zeile& z : m_.Zeilen)
            zeile(z);
        vereinbarung();
        lieferung();
        abrechnung();
        x_.ende();
        x_.ende();
        return x_.fertig();
    }

private:
    void kontext() {
        x_.beginn("rsm:ExchangedDocumentContext");
        x_.beginn("ram:BusinessProcessSpecifiedDocumentContextParameter");
        x_.element("ram:ID", "urn:fdc:peppol.eu:2017:poacc:billing:01:1.0");
        x_.ende();
        x_.beginn("ram:GuidelineSpecifiedDocumentContextParameter");
        x_.element("ram:ID", "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");
        x_.ende();
        x_.ende();
    }

    void dokument() {
        x_.beginn("rsm:ExchangedDocument");
        x_.element("ram:ID", m_.Nummer);
        x_.element("ram:TypeCode", "380"); // commercial invoice
        datum("ram:IssueDateTime", m_.Ausstellungsdatum);
        if (!m_.Hinweis.empty()) {
            x_.beginn("ram:IncludedNote");
            x_.element("ram:Content", m_.Hinweis);
            x_.ende();
        }
        x_.ende();
    }

    void zeile(const Zeile& z) {
        x_.beginn("ram:IncludedSupplyChainTradeLineItem");
        x_.beginn("ram:AssociatedDocumentLineDocument");
        x_.element("ram:LineID", std::to_string(z.nummer));
        x_.ende();
        x_.beginn("ram:SpecifiedTradeProduct");
        x_.element("ram:Name", z.Bezeichnung);
        x_.ende();
        x_.beginn("ram:SpecifiedLineTradeAgreement");
        x_.beginn("ram:NetPriceProductTradePrice");
        x_.element("ram:ChargeAmount", betrag(z.preisCent));
        x_.ende();
        x_.ende();
        x_.beginn("ram:SpecifiedLineTradeDelivery");
        x_.element("ram:BilledQuantity", "unitCode", z.Einheit, zehntel(z.mengeZehntel));
        x_.ende();
        x_.beginn("ram:SpecifiedLineTradeSettlement");
        steuer("ram:ApplicableTradeTax");
        x_.beginn("ram:SpecifiedTradeSettlementLineMonetarySummation");
        x_.element("ram:LineTotalAmount", betrag(z.wertCent));
        x_.ende();
        x_.ende();
        x_.ende();
    }

    void vereinbarung() {
        x_.beginn("ram:ApplicableHeaderTradeAgreement");
        x_.element("ram:BuyerReference", m_.KaeuferReferenz);
        partei("ram:SellerTradeParty", m_.Verkaeufer);
        partei("ram:BuyerTradeParty", m_.Kaeufer);
        x_.ende();
    }

    void lieferung() {
        x_.beginn("ram:ApplicableHeaderTradeDelivery");
        if (m_.Lieferanschrift) {
            x_.beginn("ram:ShipToTradeParty");
            x_.element("ram:Name", m_.Kaeufer.Name);
            anschrift(m_.Kaeufer.anschrift);
            x_.ende();
        }
        x_.beginn("ram:ActualDeliverySupplyChainEvent");
        datum("ram:OccurrenceDateTime", m_.Lieferdatum);
        x_.ende();
        x_.ende();
    }

    void abrechnung() {
        x_.beginn("ram:ApplicableHeaderTradeSettlement");
        x_.element("ram:PaymentReference", m_.Nummer);
        x_.element("ram:InvoiceCurrencyCode", "EUR");
        zahlungsweg();
        std::int64_t zeilenSumme = 0, zuschlagSumme = 0;
        for (const Zeile& z : m_.Zeilen)
            zeilenSumme += z.wertCent;
        for (const Zuschlag& k : m_.Zuschlaege)
            zuschlagSumme += k.cent;
        const std::int64_t netto = zeilenSumme + zuschlagSumme;
        aufschluesselung(netto);
        for (const Zuschlag& k : m_.Zuschlaege)
            zuschlag(k);
        x_.beginn("ram:SpecifiedTradePaymentTerms");
        x_.element("ram:Description", m_.Zahlungsbedingung);
        datum("ram:DueDateDateTime", m_.Faelligkeitsdatum);
        x_.ende();
        x_.beginn("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
        x_.element("ram:LineTotalAmount", betrag(zeilenSumme));
        x_.element("ram:ChargeTotalAmount", betrag(zuschlagSumme));
        x_.element("ram:AllowanceTotalAmount", betrag(0));
        x_.element("ram:TaxBasisTotalAmount", betrag(netto));
        x_.element("ram:TaxTotalAmount", "currencyID", "EUR", betrag(m_.ustCent));
        x_.element("ram:GrandTotalAmount", betrag(netto + m_.ustCent));
        x_.element("ram:DuePayableAmount", betrag(netto + m_.ustCent));
        x_.ende();
        x_.ende();
    }

    // SEPA credit transfer to the owner's account.
    void zahlungsweg() {
        x_.beginn("ram:SpecifiedTradeSettlementPaymentMeans");
        x_.element("ram:TypeCode", "58");
        x_.beginn("ram:PayeePartyCreditorFinancialAccount");
        x_.element("ram:IBANID", m_.Iban);
        x_.element("ram:AccountName", m_.Verkaeufer.Name);
        x_.ende();
        if (!m_.Bic.empty()) {
            x_.beginn("ram:PayeeSpecifiedCreditorFinancialInstitution");
            x_.element("ram:BICID", m_.Bic);
            x_.ende();
        }
        x_.ende();
    }

    // The one VAT breakdown: the invoice has a single category and rate.
    void aufschluesselung(std::int64_t basis) {
        x_.beginn("ram:ApplicableTradeTax");
        x_.element("ram:CalculatedAmount", betrag(m_.ustCent));
        x_.element("ram:TypeCode", "VAT");
        if (!m_.steuer.Befreiungsgrund.empty())
            x_.element("ram:ExemptionReason", m_.steuer.Befreiungsgrund);
        x_.element("ram:BasisAmount", betrag(basis));
        x_.element("ram:CategoryCode", m_.steuer.Kategorie);
        if (!m_.steuer.BefreiungsCode.empty())
            x_.element("ram:ExemptionReasonCode", m_.steuer.BefreiungsCode);
        x_.element("ram:RateApplicablePercent", zehntel(m_.steuer.satzZehntel));
        x_.ende();
    }

    void zuschlag(const Zuschlag& k) {
        x_.beginn("ram:SpecifiedTradeAllowanceCharge");
        x_.beginn("ram:ChargeIndicator");
        x_.element("udt:Indicator", "true");
        x_.ende();
        x_.element("ram:ActualAmount", betrag(k.cent));
        x_.element("ram:ReasonCode", k.GrundCode);
        x_.element("ram:Reason", k.Grund);
        steuer("ram:CategoryTradeTax");
        x_.ende();
    }

    // The category and rate that lines and charges carry.
    void steuer(const char* name) {
        x_.beginn(name);
        x_.element("ram:TypeCode", "VAT");
        x_.element("ram:CategoryCode", m_.steuer.Kategorie);
        x_.element("ram:RateApplicablePercent", zehntel(m_.steuer.satzZehntel));
        x_.ende();
    }

    void partei(const char* name, const Partei& p) {
        x_.beginn(name);
        x_.element("ram:Name", p.Name);
        if (!p.Kontakt.empty()) {
            x_.beginn("ram:DefinedTradeContact");
            x_.element("ram:PersonName", p.Kontakt);
            if (!p.KontaktTelefon.empty()) {
                x_.beginn("ram:TelephoneUniversalCommunication");
                x_.element("ram:CompleteNumber", p.KontaktTelefon);
                x_.ende();
            }
            if (!p.KontaktMail.empty()) {
                x_.beginn("ram:EmailURIUniversalCommunication");
                x_.element("ram:URIID", p.KontaktMail);
                x_.ende();
            }
            x_.ende();
        }
        anschrift(p.anschrift);
        x_.beginn("ram:URIUniversalCommunication");
        x_.element("ram:URIID", "schemeID", "EM", p.Mail);
        x_.ende();
        if (!p.UstId.empty()) {
            x_.beginn("ram:SpecifiedTaxRegistration");
            x_.element("ram:ID", "schemeID", "VA", p.UstId);
            x_.ende();
        }
        x_.ende();
    }

    void anschrift(const Anschrift& a) {
        x_.beginn("ram:PostalTradeAddress");
        x_.element("ram:PostcodeCode", a.PLZ);
        if (!a.Strasse.empty())
            x_.element("ram:LineOne", a.Strasse);
        x_.element("ram:CityName", a.Ort);
        x_.element("ram:CountryID", a.Land);
        x_.ende();
    }

    void datum(const char* name, const std::string& kompakt) {
        x_.beginn(name);
        x_.element("udt:DateTimeString", "format", "102", kompakt);
        x_.ende();
    }

    const Rechnungsmodell& m_;
    XmlSchreiber x_;
};

} // namespace

std::string CiiSchreiben(const Rechnungsmodell& m) {
    return CiiDokument(m).schreiben();
}

} // namespace fkb::cii
