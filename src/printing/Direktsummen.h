#pragma once

#include "data/DatenSatz.h"
#include "editing/RechnungsSummen.h"

#include <cstdint>
#include <optional>

namespace fkb {

// The VAT rate of record 0, read once for a whole query: record 0 cannot change during one.
class UstVorrat {
public:
    explicit UstVorrat(const DatenSatz& parameterSatz) : parameterSatz_(parameterSatz) {}
    // The rate in tenths of a percent, or nothing where the invoice check would reject it with a message.
    std::optional<std::int64_t> satz();
    // Whether the rate was needed, and so record 0 taken as the parameter record.
    bool gebraucht() const { return gelesen_; }
    const DatenSatz& parameterSatz() const { return parameterSatz_; }

private:
    const DatenSatz& parameterSatz_;
    bool gelesen_ = false;
    std::optional<std::int64_t> satz_;
};

// The totals of a stored offer or invoice, computed straight from the record by the invoice
// calculation. Nothing where the page's check would show any message (a rejected line, cost or
// rate) or end with an error: such a record must take the page path, whose messages and page
// state are the user's.
std::optional<RechnungsSummen> direkteSummen(const DatenSatz& satz, UstVorrat& ust);

} // namespace fkb
