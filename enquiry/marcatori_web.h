#pragma once
// The HTML markers the export and transit fields are cut out between
// (section "PARAMWEB"). They are read afresh at every extraction, so an edit
// in the addresses window applies to the next enquiry.

#include <QList>
#include <QString>

namespace qv {

struct MarcatoriWeb {
    QString EX_ERRINI, EX_ERRFIN, EX_DAT1INI, EX_DAT1FIN, EX_DAT2INI, EX_DAT2FIN;
    QString TR_ERRINI, TR_ERRFIN, TR_DAT1INI, TR_DAT1FIN, TR_DAT2INI, TR_DAT2FIN;
};

// Key and default of each marker, in the order the addresses window shows
// them (its boxes 3 to 14).
struct MarcatorePredefinito {
    const char* chiave;
    const char* predefinito;
};
const QList<MarcatorePredefinito>& MarcatoriPredefiniti();

// The markers of the configuration file; a missing or blank value gives the default.
MarcatoriWeb LeggiMarcatori(const QString& fileIni);

// The fixed markers of the VIES page.
namespace vies {
inline constexpr const char* Errore = R"(class="vies_er">)";
inline constexpr const char* Esito = R"(class="vies_ok">)";
inline constexpr const char* Nota = R"(class="vies_note">)";
inline constexpr const char* Data = R"(class="vies_date">)";
} // namespace vies

} // namespace qv
