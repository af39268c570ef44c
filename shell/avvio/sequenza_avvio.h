#pragma once
// The program's start-up, written once: the steps in their fixed order, each
// with its core part here and, where the program has windows, a window part
// that the desktop program supplies (placing the main window, the password,
// the upgrade window, the menus). quorvan-cli runs the same sequence with its
// own hooks.

#include "database/avvio_database.h"

#include <QString>

#include <functional>

namespace qv {

class Messaggi;
struct ElencoNazioni;
struct StatoDatabase;
struct StatoWeb;

enum class PassoAvvio {
    CartellaProgramma, // the program folder becomes the current folder
    FileIni,           // the configuration file beside the program
    PrimoAvvio,        // window: first run, the main window centred
    DimensioniFisse,   // window: the main window's fixed size
    Posizione,         // window: the main window's stored position
    Titolo,            // window: caption
    OpzioniPagine,     // page options; window: the applications menu
    Nazioni,           // nation list written when missing, then loaded
    Colori,            // row colours
    Password,          // window: the program password
    FileSpediti,       // shipped reference database and flags; the archive of a new program folder
    Riferimento,       // newer reference database: dated copy and upgrade
    IndirizziWeb,      // enquiry addresses and the request time-out
    FileDataBase,      // database path and temporary folder (created)
    ApriDataBase,      // DatabaseAperto
    MenuDatabase,      // window: menus by DatabaseAperto
    NazioniCee,        // default nations refreshed in the table
};

// The name a step is logged and tested by ("Riferimento", ...).
QString NomePasso(PassoAvvio passo);

// What the steps work on. Everything is owned by the program.
struct DatiAvvio {
    QString& cartellaProgramma;
    QString& fileIni;
    StatoWeb& web;
    StatoDatabase& database;
    ElencoNazioni& nazioni;
    Messaggi& messaggi;
};

struct GanciAvvio {
    // The window part of a step, run after its core part. False ends the
    // start-up there (a password answered wrong three times). Unset: no
    // window part.
    std::function<bool(PassoAvvio)> finestra;
    // Runs the upgrade when the reference database is newer (the upgrade
    // window, or the engine unattended).
    AvviaAggiornamento aggiornamento;
};

enum class EsitoAvvio {
    Completato,
    CartellaInutilizzabile, // the program folder cannot be made current
    Interrotto,             // a window part said no (password)
    AggiornamentoMancato,   // the upgrade the database needs did not complete
};

struct RisultatoAvvio {
    EsitoAvvio esito = EsitoAvvio::Completato;
    PassoAvvio ultimo = PassoAvvio::CartellaProgramma; // the step that ended it
    // The archive file is missing in a program folder that had one: nothing
    // was created, the database stays closed.
    bool archivioMancante = false;
    bool completato() const { return esito == EsitoAvvio::Completato; }
};

RisultatoAvvio EseguiAvvio(DatiAvvio& dati, const GanciAvvio& ganci);

} // namespace qv
