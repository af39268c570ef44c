#pragma once
// The update check's window ("Aggiorna", "NUOVA VERSIONE"): the program's
// key, the running and the available version, and one of three panels:
// the connection error, up to date, or the new version with the update
// files to download (at most ten), "&VAI AL SITO", "&AGGIORNA" (the
// installer in the browser, then the program ends) and, for an automatic
// check, the reminder.

#include "database/verifica_aggiornamenti.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace qv {

struct ContestoFinestre;

namespace platform {
class HttpClient;
}

class FinestraAggiorna : public QDialog {
    Q_OBJECT
public:
    // `esplicito` is AgInforma: true when the user asked for the check.
    FinestraAggiorna(ContestoFinestre& contesto, const EsitoVerifica& esito, bool esplicito,
                     QWidget* parent = nullptr);

    // Where a listed file clicked is downloaded to; tests set their own.
    QString cartellaScaricamenti;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* pannello(const QString& nome);
    QPushButton* pulsanteUscita(QWidget* pannello);
    void mostraErrore();
    void mostraAggiornato();
    void mostraNuovaVersione();
    void altezza(double twips);
    void coloraVoci(const QLabel* evidenziata);

    ContestoFinestre& contesto_;
    EsitoVerifica esito_;
    bool esplicito_;
    double altezzaTwips_ = 0; // the panel's window height; 0: fitted to the list
    QList<QLabel*> voci_; // "lbAgg_1".. "lbAgg_10"
    QWidget* ricorda_ = nullptr;
    QComboBox* giorni_ = nullptr;            // "cmbNum"
    QPushButton* pulsanteRicorda_ = nullptr; // "cmdRicorda"
};

// "&Verifica aggiornamenti" and the about window's version label: the active
// window's caption says the check is running, the versions page is read with
// the program's client, and the window is shown (not when the reminder skips
// the check, nor for an automatic check that finds nothing new).
void VerificaAggiornamenti(ContestoFinestre& contesto, platform::HttpClient& http, bool esplicito,
                           QWidget* sopra);

} // namespace qv
