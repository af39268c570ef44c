#pragma once
// The program-wide state of the database subsystem: the one connection and
// its workspace, the flag that says it is open, the file paths, the shared
// words through which procedures and windows talk (Messaggio, Risposta,
// StatoChiamata), the grid colours, the tables the shared procedures keep
// open, and the busy-pointer hooks the windows fill in.

#include "database/dao/database.h"
#include "database/dao/recordset.h"
#include "database/dao/workspace.h"
#include "shell/messaggi.h"

#include <QString>

#include <array>
#include <functional>

namespace qv {

// The four row colours when the configuration holds none (pale red, green,
// yellow, blue), as Windows RGB values: red in the low byte.
inline constexpr std::array<qint32, 4> kColoriGrigliaPredefiniti = {13684991, 15400938, 12582399, 16765380};

struct StatoDatabase {
    dao::Workspace WsLavoro;     // the default workspace
    dao::Database DbLavoro;      // the working database, open from start-up to shut-down
    bool DatabaseAperto = false; // DbLavoro is open and usable
    QString FileDataBase;        // program folder + "/" + program name + ".mdb"
    QString CartellaTemp;        // program folder + "/TempFile/" (with the trailing separator)

    QString Messaggio;                        // text composed before it is shown; cleared after use
    qv::Risposta Risposta = qv::Risposta::Ok; // answer of the last shared message box
    int StatoChiamata = 0; // mode handed to a modal window and the result it hands back

    std::array<qint32, 4> ColoriGriglia = kColoriGrigliaPredefiniti;

    dao::Recordset RsNazioni; // table Nazioni, index "primaria", while NazioniAperta
    bool NazioniAperta = false;
    dao::Recordset RsColori; // table Colori, index "primaria", while ColoriAperta
    bool ColoriAperta = false;
    std::array<quint8, 64> ColoriPersonalizzati{}; // the colour dialog's 16 custom colours

    // Hourglass pointer around long operations; the windows set them. Unset
    // hooks do nothing (the CLI, the tests).
    std::function<void()> InizioAttesa;
    std::function<void()> FineAttesa;
};

} // namespace qv
