#pragma once

namespace fkb {

// The results of the last invoice calculation; valid after a successful run only.
struct RechnungsSummen {
    double VersandKosten = 0;
    double NachnameKosten = 0;
    double SonstigeKosten = 0;
    double NettoWert = 0;
    double UstWert = 0;
    double BruttoWert = 0;
};

} // namespace fkb
