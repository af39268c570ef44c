#pragma once
// The archive browser's two exports of the rows it shows: a list of MRN
// codes (also what a re-query hands to the batch) and a ";"-separated CSV
// file for the spreadsheet. Both take the browser's current SQL, write
// Windows-1252 text with CR LF line ends, and replace their file in one step,
// so a failed export never leaves half a file behind.

#include <QList>
#include <QLocale>
#include <QString>

namespace qv {

class Avviatore;
class Messaggi;
struct StatoDatabase;

enum class EsitoEsportazione {
    Fatto,
    NessunDato, // "NESSUN DATO DA ESPORTARE"; no file written
    FileAperto, // "Il file è già aperto"; nothing written
    Errore      // the engine refused the statement; nothing written
};

struct RisultatoEsportazione {
    EsitoEsportazione esito = EsitoEsportazione::Errore;
    qint64 righe = 0;
    QString percorso;
};

// One line per row: the trimmed "CODICE". With `mostraMessaggio`, a box
// "Creato il file  '" + path + "'" / "con la lista di " + n + " elementi".
RisultatoEsportazione EsportaLista(StatoDatabase& s, Messaggi& m, const QString& sql, const QString& percorso,
                                   bool mostraMessaggio);

// The CSV file of a table: the temporary folder + "EXP" + table + ".csv".
QString PercorsoCsv(const QString& cartellaTemp, const QString& tabella);

// The grid columns (by index) to export: all of them, or the ones the
// "LayOUT" string (already extended) shows.
QList<int> ColonneDaEsportare(bool tutte, const QString& layOutEsteso);

// The heading line, then one line per row with each column's value
// formatted by its field's type, each followed by ";".
RisultatoEsportazione EsportaCsv(StatoDatabase& s, Messaggi& m, const QString& sql, const QString& tabella,
                                 const QList<int>& colonne, const QLocale& locale = QLocale::system());

// Opens the CSV in the configured spreadsheet program: the program in double
// quotes, a blank, the file in double quotes; when it cannot be started, a
// box with that command line + "  NON TROVATO". Without a configured program
// the file goes to the desktop's program for its type.
bool ApriCsv(Avviatore& avviatore, Messaggi& m, const QString& programmaExcel, const QString& csv);

} // namespace qv
