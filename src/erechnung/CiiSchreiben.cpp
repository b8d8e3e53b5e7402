// The CII D16B document of an e-invoice, element by element in the order the schema fixes.
#include "erechnung/Rechnungsmodell.h"

#include "erechnung/XmlSchreiber.h"

#include <cinttypes>
#include <cstdio>

namespace fkb::cii {
namespace {

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
        x_.element("ram:ID", m_.Leitlinie);
        x_.ende();
        x_.ende();
    }

    void dokument() {
        x_.beginn("rsm:ExchangedDocument");
        x_.element("ram:ID", m_.Nummer);
        x_.element("ram:TypeCode", "380"); // commercial invoice
        datum("ram:IssueDateTime", m_.Ausstellungsdatum);
        for (const std::string& hinweis : m_.Hinweise) {
            x_.beginn("ram:IncludedNote");
            x_.element("ram:Content", hinweis);
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
        if (!m_.KaeuferReferenz.empty())
            x_.element("ram:BuyerReference", m_.KaeuferReferenz);
        partei("ram:SellerTradeParty", m_.Verkaeufer);
        partei("ram:BuyerTradeParty", m_.Kaeufer);
        if (!m_.Bestellnummer.empty()) {
            x_.beginn("ram:BuyerOrderReferencedDocument");
            x_.element("ram:IssuerAssignedID", m_.Bestellnummer);
            x_.ende();
        }
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
        if (!m_.Zahlungsbedingung.empty() || !m_.Faelligkeitsdatum.empty()) {
            x_.beginn("ram:SpecifiedTradePaymentTerms");
            if (!m_.Zahlungsbedingung.empty())
                x_.element("ram:Description", m_.Zahlungsbedingung);
            if (!m_.Faelligkeitsdatum.empty())
                datum("ram:DueDateDateTime", m_.Faelligkeitsdatum);
            x_.ende();
        }
        x_.beginn("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
        x_.element("ram:LineTotalAmount", betrag(zeilenSumme));
        x_.element("ram:ChargeTotalAmount", betrag(zuschlagSumme));
        x_.element("ram:AllowanceTotalAmount", betrag(0));
        x_.element("ram:TaxBasisTotalAmount", betrag(netto));
        x_.element("ram:TaxTotalAmount", "currencyID", "EUR", betrag(m_.ustCent));
        const std::int64_t brutto = netto + m_.ustCent;
        x_.element("ram:GrandTotalAmount", betrag(brutto));
        if (m_.bezahlt)
            x_.element("ram:TotalPrepaidAmount", betrag(brutto));
        x_.element("ram:DuePayableAmount", betrag(m_.bezahlt ? 0 : brutto));
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
        if (!p.Kennung.empty())
            x_.element("ram:ID", p.Kennung);
        x_.element("ram:Name", p.Name);
        if (!p.Registereintrag.empty()) {
            x_.beginn("ram:SpecifiedLegalOrganization");
            x_.element("ram:ID", p.Registereintrag);
            x_.ende();
        }
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
        if (!p.Mail.empty()) {
            x_.beginn("ram:URIUniversalCommunication");
            x_.element("ram:URIID", "schemeID", "EM", p.Mail);
            x_.ende();
        }
        // The VAT id, and the tax number with which a business trading only at home registers.
        for (const auto& [schema, kennung] : {std::pair{"VA", &p.UstId}, std::pair{"FC", &p.Steuernummer}})
            if (!kennung->empty()) {
                x_.beginn("ram:SpecifiedTaxRegistration");
                x_.element("ram:ID", "schemeID", schema, *kennung);
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
