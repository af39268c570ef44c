#pragma once
// The archive browser ("EleMRNok"): MRN rows in a grid, filtered by state,
// nation, year, kind, processing dates and a code fragment, sorted by a
// clicked heading and coloured by state. Archive mode shows MRN (re-query,
// correction and deletion of erroneous MRNs); results mode, chosen by the
// batch through MostraRisultati, shows the batch's rows in WkMRN. Column
// visibility, widths, the extraction option and the CSV export are here
// too. The grid reads its rows a page at a time (ModelloArchivio).

#include "archive/estrazione_archivio.h"
#include "archive/sql_archivio.h"

#include <QDialog>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace qv {

struct ContestoArchivio;
struct ContestoFinestre;
class ModelloArchivio;

class FinestraArchivioMrn : public QDialog {
    Q_OBJECT
public:
    FinestraArchivioMrn(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* parent = nullptr);
    ~FinestraArchivioMrn() override;

    // What the grid shows: the current statement (with its ORDER BY) and the mode.
    const QString& sqlCorrente() const { return sql_; }
    bool modoArchivio() const { return modo_.archivio; }
    const ModelloArchivio& modello() const { return *modello_; }

public slots:
    void EstraiMrn();
    void ImpostaOrdine();
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    // Building (finestra_archivio_mrn_pannelli.cpp holds the panels).
    QWidget* costruisciFiltri();
    void costruisciPannelli();
    void costruisciPannelloLayOut();
    void costruisciPannelloParametri();
    void costruisciPannelloModifica();
    void apertura();

    // Filters and extraction.
    FiltriArchivio filtri() const;
    void dopoEstrazione();
    void statoScelto();
    void annoONazioneScelti();
    void frammentoCambiato();
    void lasciaData(int campo);
    void spostaFocus(int campo, int passo);
    void apriCalendario(int quale);
    bool tastoCampo(int campo, QKeyEvent* tasto);

    // Grid.
    void intestazioneCliccata(int colonna, int verso);
    void azioneRiga(int riga);
    void larghezzaCambiata(int colonna, int vecchia, int nuova);
    bool tastoGriglia(QKeyEvent* tasto);
    double twipsPerPixel() const;

    // Buttons and menu.
    void interroga();
    void esportaCsv();
    void apriColori();
    void apriPagineWeb();

    // Panels.
    QString layOutEsteso() const;
    void abilitaLavoro(bool si);
    void apriLayOut();
    void chiudiLayOut(bool conferma);
    void invertiVoce(QListWidgetItem* voce);
    void apriParametri();
    void chiudiParametri(bool conferma);
    void chiudiModifica();
    void confermaModifica();
    void eliminaModifica();
    void trascina(QWidget* pannello, QObject* titolo, QEvent* evento);

    ContestoFinestre& contesto_;
    ContestoArchivio& archivio_;
    ModoBrowser modo_;
    OrdineArchivio ordine_;
    QString selezione_; // the statement without its ORDER BY
    QString sql_;       // the current statement
    ModelloArchivio* modello_ = nullptr;

    QMenuBar* menu_ = nullptr;
    QAction* voceFine_ = nullptr;
    QMenu* menuUtility_ = nullptr;
    QAction* voceLayOut_ = nullptr;
    QAction* voceParametri_ = nullptr;
    QAction* vocePagineWeb_ = nullptr;
    QAction* voceColori_ = nullptr;
    QAction* voceStoricizza_ = nullptr;

    QWidget* pannelloFiltri_ = nullptr; // "Picture1"
    QComboBox* sceltaStato_ = nullptr;
    QComboBox* sceltaNazione_ = nullptr;
    QComboBox* sceltaAnno_ = nullptr;
    QComboBox* sceltaTipo_ = nullptr;
    std::array<QLineEdit*, 8> campi_{}; // Txt(1..8): dates 1-6, fragment 7, corrected MRN 8
    std::array<QPushButton*, 2> pulsantiData_{};
    QPushButton* pulsanteEstrai_ = nullptr;
    QPushButton* pulsanteInterroga_ = nullptr;
    QPushButton* pulsanteCsv_ = nullptr;
    QTableView* griglia_ = nullptr;
    QLabel* suggerimento_ = nullptr; // the sorting hint over the headings

    QFrame* pannelloLayOut_ = nullptr;
    QLabel* titoloLayOut_ = nullptr;
    QListWidget* elencoLayOut_ = nullptr;
    QLabel* suggerimentoLayOut_ = nullptr;

    QFrame* pannelloParametri_ = nullptr;
    QLabel* titoloParametri_ = nullptr;
    std::array<QRadioButton*, 2> opzioniEstrazione_{};

    QFrame* pannelloModifica_ = nullptr;
    QLabel* titoloModifica_ = nullptr; // the erroneous code
    QPushButton* confermaModifica_ = nullptr;
    QPushButton* eliminaModifica_ = nullptr;
    QString codiceErrato_;

    QList<int> larghezze_; // twips, by column
    std::array<QString, 8> testoEntrata_{};
    QPoint presaPannello_;
    int campoInErrore_ = 0;
    bool caricamento_ = true;
    bool immediata_ = true;
    bool senzaEventi_ = false; // a field is changed by the window itself
};

} // namespace qv
