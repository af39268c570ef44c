#pragma once
// The one procedure every enquiry goes through, from whichever window: the
// single enquiry, the batch runs, the workbook update and the CLI.

#include "enquiry/get_htm_page.h"

#include <QString>

namespace qv {

// Outcomes of InterrogaCodice.
inline constexpr int EsitoLetto = 0;        // page fetched: results, or the page's own message, in Esito/Titolo
inline constexpr int EsitoRifiutato = 1;    // code rejected; the rejection in Titolo(2)
inline constexpr int EsitoSenzaRete = 9;    // no connection; message in Titolo(2); batch runs stop

// One enquiry of `codice` (upper-cased here) through `paginaWeb`, which the
// calling window created and keeps for as many enquiries as it likes. A code
// of fewer than 18 characters is a VAT number, any other an MRN. Clears and
// fills the shared Esito 1..19 and Titolo 1..7 of the StatoWeb the page was
// built on, lets pending events through, and returns 0, 1 or 9.
int InterrogaCodice(GetHtmPage& paginaWeb, const QString& codice);

} // namespace qv
