#pragma once
// The result of one enquiry as the single enquiry window shows it: up to
// nineteen text lines. The CLI prints the same lines.

#include "enquiry/stato_web.h"

#include <QString>
#include <QStringList>

#include <array>

namespace qv {

struct RigheEsito {
    std::array<QString, 20> righe; // 1..19; index 0 unused
    bool secondaCentrata = false;  // line 2 is a message framed by "=" lines, shown centred
};

// From the outcome of InterrogaCodice and the shared arrays it filled:
// - outcome not 0: line 1 and 3 are 90 "=", line 2 the message of Titolo(2);
// - a page message ("===" or "***" opening Titolo(2)): Titolo(2) and Titolo(3);
// - otherwise one line per non-blank value, transit values 1..16 with their
//   column's label, then the export values 17..19 with theirs.
RigheEsito RigheRisultato(int esito, const StatoWeb& web);

// The lines up to the last non-empty one, line 2 centred in 90 columns when
// it is a framed message: what a text terminal should print.
QStringList RigheDaStampare(const RigheEsito& righe);

} // namespace qv
