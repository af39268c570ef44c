#pragma once
// Errors of the database engine. Every engine operation that fails throws an
// ErroreDao carrying the engine's error number and its description, the way
// the program's procedures expect to find them after a failed call. Callers
// catch it where the program's own procedure catches its errors.

#include <QString>

#include <exception>

class QSqlError;

namespace qv::dao {

// The numbers the program and its tests rely on, with the engine's meaning.
namespace errori {
inline constexpr int FileNonTrovato = 3024;          // file missing
inline constexpr int FormatoNonRiconosciuto = 3343;  // not a database (text, Access, empty file)
inline constexpr int DatabaseDanneggiato = 3049;     // truncated or damaged database
inline constexpr int AccessoNegato = 3051;           // no permission to open read-write
inline constexpr int ApertoInEsclusiva = 3356;      // held exclusively by someone else
inline constexpr int InUsoDaAltri = 3196;            // in use by another person or process
inline constexpr int TabellaInUso = 3211;            // table locked by a pending operation
inline constexpr int NessunRecordCorrente = 3021;
inline constexpr int UpdateSenzaEdit = 3020;
inline constexpr int ValoriDuplicati = 3022;
inline constexpr int CampoTroppoPiccolo = 3163;
inline constexpr int RecordEliminato = 3167;
inline constexpr int CampoRichiesto = 3314;
inline constexpr int LunghezzaZero = 3315;
inline constexpr int ConversioneTipo = 3421;
inline constexpr int Overflow = 3349;
inline constexpr int ElementoNonTrovato = 3265;      // no such item in a collection
inline constexpr int OggettoNonTrovato = 3011;       // no such table for a table-type open
inline constexpr int TabellaNonTrovata = 3078;       // no such table or query in SQL
inline constexpr int ParametriInsufficienti = 3061;  // unknown name in SQL
inline constexpr int ErroreSintassi = 3075;          // SQL the engine cannot take
inline constexpr int IstruzioneNonValida = 3129;     // not SELECT, INSERT, UPDATE or DELETE
inline constexpr int CampoSconosciutoInsert = 3127;
inline constexpr int QuerySelezione = 3065;          // Execute given a selection
inline constexpr int OperazioneNonSupportata = 3251;
inline constexpr int IndiceNonImpostato = 3019;      // Seek without an index
inline constexpr int TabellaEsistente = 3010;
inline constexpr int OggettoEsistente = 3012;
inline constexpr int NomeDuplicato = 3367;           // append of a name already in the collection
inline constexpr int CampoInIndice = 3280;           // delete of a field an index uses
inline constexpr int TipoNonValido = 3259;
inline constexpr int ArgomentoNonValido = 3001;
inline constexpr int TransazioneAssente = 3034;
inline constexpr int OggettoNonValido = 3420;        // object used after its database closed
inline constexpr int DiscoPieno = 3183;
inline constexpr int NomeNonValido = 3125;
inline constexpr int IndiceNonValido = 3015;        // no index of that name in the table
inline constexpr int NessunCampo = 3264;            // a table definition without fields
inline constexpr int CampoDuplicato = 3191;
inline constexpr int IndiceEsistente = 3284;
inline constexpr int ChiavePrimariaEsistente = 3283;
inline constexpr int SolaLettura = 3027;            // writing through a snapshot
inline constexpr int DatabaseEsistente = 3204;      // compaction onto an existing file
inline constexpr int Riservato = 3000;               // anything else, with the engine's own text
} // namespace errori

class ErroreDao : public std::exception {
public:
    ErroreDao(int numero, QString descrizione);

    int numero() const { return numero_; }
    const QString& descrizione() const { return descrizione_; }
    const char* what() const noexcept override { return testo_.constData(); }

private:
    int numero_;
    QString descrizione_;
    QByteArray testo_;
};

// The engine's own description of an error number; "|" in the text is
// replaced by `argomento` (a file, table or field name).
QString testoErrore(int numero, const QString& argomento = QString());

[[noreturn]] void solleva(int numero, const QString& argomento = QString());

// Turns an SQLite failure into the engine's error. `inApertura` tells a lock
// met while opening (someone holds the file exclusively) from one met later.
ErroreDao erroreDaSqlite(const QSqlError& e, const QString& oggetto = QString(), bool inApertura = false);

} // namespace qv::dao
