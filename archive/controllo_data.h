#pragma once
// The browser's processing-date fields: three parts (day, month, year) for
// the first date, fields 1-3, and three for the last, fields 4-6. Checked one
// field at a time as the user leaves it.

#include "shell/nome_programma.h"

#include <QString>

#include <optional>

namespace qv {

// The day number of a date typed in three parts, when it is a valid date.
// Years of one or two digits follow the platform's window (00-29 -> 2000s).
std::optional<double> GiornoDaParti(const QString& giorno, const QString& mese, const QString& anno);

struct ErroreData {
    QString messaggio;  // "GIORNO INIZIALE ERRATO", ...
    QString titolo;     // program name in capitals + " -ERRORE N. " + field
    int campo = 0;      // the field in error (`CampoInErrore`)
    int campoFocus = 0; // where the focus goes back: the field, or the day field for a whole date
};

// Checks field `campo` (1..6) of `parti` (the six texts, index 0 = field 1).
// Nothing when the field is valid or the index is out of range.
std::optional<ErroreData> ControllaData(int campo, const QString (&parti)[6],
                                        const QString& nomeProgramma = NomeProgramma);

} // namespace qv
