#pragma once
// Correcting or deleting an erroneous MRN of the archive (the browser's
// edit panel). Database errors are not reported: the extraction that
// follows shows the table as it is.

#include <QString>

namespace qv {

class Messaggi;
struct StatoDatabase;

enum class EsitoModifica {
    NessunCambio, // the corrected code is the erroneous one
    NonValido,    // "Numero MRN non valido"
    GiaPresente,  // "Il numero di MRN '...' è già presente"
    Spostato,     // the row now stands under the corrected code
    Errore        // the database refused; nothing changed
};

// Moves the archive row of `errato` to the corrected code (`nuovo`, trimmed):
// Codice and Nazione from the new code, every other field copied by
// position. Adding the new row and deleting the old one happen together.
EsitoModifica ModificaMrn(StatoDatabase& s, Messaggi& m, const QString& errato, const QString& nuovo);

// Asks "Confermi la cancellazione di  " + code (Yes/No, "CANCELLAZIONE MRN")
// and on Yes deletes the code (trimmed) from the archive. True when the
// deletion ran.
bool EliminaMrn(StatoDatabase& s, Messaggi& m, const QString& codice);

} // namespace qv
