#pragma once
// The bench of the archive's windows: a temporary program folder, a database
// from the reference schema (or none), recorded messages and launcher, an
// opener that records what it was asked and, given a demo server, enquiries to it.

#include "archive/ui/contesto_archivio.h"
#include "archivio_prova.h"
#include "avviatore_registrato.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "file_prova.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QtTest>
#include <QtWidgets>

namespace qv::prova {

// Opens nothing: records each window asked for, over which window, and the list the batch got.
struct ApritoreRegistrato : ApritoreFinestre {
    QList<IdFinestra> aperte, disponibili; // disponibili empty: every window
    QStringList sopra;
    QVariantMap parametri;
    QString lista, contenutoLista;
    bool disponibile(IdFinestra f) const override { return disponibili.isEmpty() || disponibili.contains(f); }
    void apri(IdFinestra f, QWidget* w, const QString& argomento, const QVariantMap& p) override {
        aperte << f;
        sopra << (w ? w->objectName() : QString());
        parametri = p;
        if (f == IdFinestra::EleMrn)
            contenutoLista = QString::fromLatin1(leggiFile(lista = argomento));
    }
};

struct BancoArchivio {
    explicit BancoArchivio(bool conDatabase, const ServerAvviato* server = nullptr) {
        shell.cartellaProgramma = cartella.path();
        ambiente.fileIni = shell.FileIni = percorso("Quorvan.ini");
        // Runs one enquiry at a time, where a cancel after the n-th MRN leaves n;
        // several at once belong to archive_interrogazioni_parallele and archive_giri_paralleli.
        ScriviIni(shell.FileIni, "ELEMRN", "CONNESSIONI", "1");
        finestre.apritore = &apritore;
        if (server) server->indirizzi(web);
        web.CartellaTemp = cartella.path() + "/";
        ambiente.http = &http;
        database.FileDataBase = percorso("Quorvan.mdb");
        database.CartellaTemp = cartella.path() + "/TempFile/";
        QDir().mkpath(database.CartellaTemp);
        database.DatabaseAperto = conDatabase;
        if (conDatabase) database.DbLavoro = CreaArchivioProva(database.WsLavoro, database.FileDataBase);
        nazioni = CaricaElencoNazioni(shell.FileIni);
    }
    ~BancoArchivio() { database.DbLavoro.Close(); }
    QString percorso(const QString& nome) const { return cartella.filePath(nome); }

    QTemporaryDir cartella;
    MessaggiRegistrati messaggi;
    AvviatoreRegistrato avviatore;
    StatoShell shell;
    ContestoFinestre finestre{shell, messaggi, avviatore};
    TastiComuniFiltro filtro{finestre};
    ApritoreRegistrato apritore;
    platform::NetworkHttpClient http{10000};
    StatoWeb web;
    AmbienteWeb ambiente;
    StatoDatabase database;
    StatoArchivio archivio;
    ElencoNazioni nazioni;
    ContestoArchivio contesto{web, ambiente, database, archivio, nazioni};
};

// A window shown and active, as the user finds it.
template <class W> std::unique_ptr<W> mostrata(std::unique_ptr<W> w) {
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window did not become active");
    return w;
}

template <class T = QWidget> T* c(const QWidget* w, const QString& nome) {
    T* x = w->findChild<T*>(nome);
    if (!x) qFatal("no control %s", qPrintable(nome));
    return x;
}
inline void clic(QWidget* w, const QString& nome) { QTest::mouseClick(c(w, nome), Qt::LeftButton); }

} // namespace qv::prova
