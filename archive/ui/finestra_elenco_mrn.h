#pragma once
// The batch window ("EleMrn"): every MRN of a list file is enquired in turn
// and its results go to "EsitiDaEle.txt" (FILE, Stampa) or to the work
// table, merged into the archive (D.B.). Opened with a list (the archive
// browser's re-query) it goes to the database and ends in the browser.
// The run lets events through once per MRN, so the window repaints and
// ANNULLA stops it between two MRNs.

#include "shell/procedure_file.h"

#include "shell/ui/menu_interrogazione.h"

#include <QDialog>

#include <memory>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace qv {

struct ContestoArchivio;
struct ContestoFinestre;

class FinestraElencoMrn : public QDialog {
    Q_OBJECT
public:
    // `plElenco`: the list file given by the calling window; empty when the
    // user chooses one.
    FinestraElencoMrn(ContestoFinestre& contesto, ContestoArchivio& archivio,
                      const QString& plElenco = QString(), QWidget* parent = nullptr);

    // The file-open dialog of "&Seleziona elenco MRN": the chosen file, ""
    // when cancelled. Tests replace it.
    using SceltaFile = std::function<QString(QWidget* sopra, const QString& cartella)>;
    SceltaFile sceltaElenco;

    bool inCorso() const { return inCorso_; }
    // After the window closed: the run went to the database (or had a list
    // given) and the archive browser is to open on its results.
    bool browserRichiesto() const { return browserRichiesto_; }

public slots:
    void analizza(); // ElaboraElenco
    void annulla();
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void scegliElenco();
    void modificaElenco();
    void destinazioneCambiata();
    void abilita(bool si);
    int destinazioneScelta() const; // 0..2, 3 when none
    QString percorsoElenco() const;

    ContestoFinestre& contesto_;
    ContestoArchivio& archivio_;
    const QString plElenco_;
    const QString fileEsiti_;
    FileAperti fileLocali_; // when the program keeps no file table

    std::unique_ptr<MenuInterrogazione> menu_; // "&FINE", "&Parametri", "&Stampante"
    QPushButton* pulsanteScegli_ = nullptr;
    QLabel* etichettaElenco_ = nullptr; // the list file; a click opens it for editing
    std::array<QRadioButton*, 3> opzioniDestinazione_{};
    QLabel* etichettaSeparatore_ = nullptr;
    QLineEdit* campoSeparatore_ = nullptr;
    QLineEdit* testoAvanzamento_ = nullptr; // active only while a run is going on
    QProgressBar* barra_ = nullptr;
    QPushButton* pulsanteAnalizza_ = nullptr;
    QPushButton* pulsanteAnnulla_ = nullptr;

    bool inCorso_ = false;
    bool annullato_ = false;
    bool browserRichiesto_ = false;
};

// Opens the batch window modally over `sopra` with the list `elenco` ("" :
// the user chooses one). When its run asks for the archive browser, the
// browser opens over `sopra` once the batch window has closed.
void ApriElencoMrn(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* sopra,
                   const QString& elenco = QString());

} // namespace qv
