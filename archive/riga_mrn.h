#pragma once
// One row of the MRN archive as a batch writes it, computed from the result
// arrays of one enquiry: office texts, dates as day numbers (0 when the page
// reported none), the discharge flag and the state.

#include <QString>

#include <optional>
#include <span>

namespace qv {

struct ValoriRigaMrn {
    QString Codice;
    QString Nazione;
    QString ExUffExport;
    QString ExUffUscitaCod; // "" (not null) when value 18 is blank
    QString ExUffUscitaDes;
    double ExDataUscita = 0;
    QString TrUfficio[4];
    QString TrRuolo[4];
    double TrData[4] = {0, 0, 0, 0};
    double TrDataDel[4] = {0, 0, 0, 0};
    bool discarico = false;          // OK = 1: some office reported a discharge date
    std::optional<int> OKStato;      // none: the state cannot be decided, the field keeps its default
};

// The day number of a value when it is a valid date.
std::optional<double> DataDaValore(const QString& valore);

// The row for `codice` (already upper-cased) from `esito` (0..19) and
// `titolo` (0..7, label 2 holding the page's message).
ValoriRigaMrn CalcolaRigaMrn(const QString& codice, std::span<const QString> esito, std::span<const QString> titolo);

} // namespace qv
