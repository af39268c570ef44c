#pragma once
// A program folder with the shipped flags and a reference database, scripted answers.

#include "database/file_database.h"
#include "database/schema_riferimento.h"
#include "platform/system_launcher.h"
#include "programmi_prova.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QTest>
#include <QtWidgets>

namespace qv::prova {

class BancoDatabase {
public:
    explicit BancoDatabase(bool conDatabase = true) : contesto(shell, messaggi, avviatore), filtro(contesto) {
        shell.cartellaProgramma = cartella.path();
        shell.FileIni = cartella.filePath("Quorvan.ini");
        QDir(cartella.path()).mkpath("Images");
        const QDir spedite(cartellaProgrammi().filePath("Images"));
        for (const QString& f : spedite.entryList(QDir::Files))
            QFile::copy(spedite.filePath(f), cartella.filePath("Images/" + f));
        if (conDatabase) {
            CreaDatabaseRiferimento(database.WsLavoro, PercorsoDataBase(cartella.path()));
            ImpostaFileDataBase(database, cartella.path());
            database.DatabaseAperto = ApriDataBase(database);
        }
    }
    ~BancoDatabase() { ChiudiDataBase(database); }

    QTemporaryDir cartella;
    StatoShell shell;
    MessaggiRegistrati messaggi;
    AvviatoreSistema avviatore; // never asked: these windows start nothing
    ContestoFinestre contesto;
    TastiComuniFiltro filtro;
    StatoDatabase database;

    QStringList testi() const {
        QStringList t;
        for (const Messaggio& m : messaggi.mostrati())
            t << m.testo + " / " + m.titolo;
        return t;
    }
};

inline void Attiva(QWidget* w) { // shown and active, as the user finds it
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) qWarning("the window did not become active");
}

} // namespace qv::prova
