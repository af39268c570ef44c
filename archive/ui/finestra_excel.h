#pragma once
// The workbook status update window ("GesExcel"): the workbook, its sheet,
// the MRN column and the status column (section "AGGEXCEL"); AGGIORNA
// collects the MRNs whose status cell is blank, queries them and writes
// their words into the sheet, with a progress panel whose ANNULLA stops the
// run between rows and between MRNs, then the summary in a fixed-pitch font.
// The run lets events through once per row and per MRN.

#include "platform/finestre_esterne.h"
#include "shell/procedure_file.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace qv {

struct ContestoArchivio;
struct ContestoFinestre;
struct ParametriExcel;

class FinestraExcel : public QDialog {
    Q_OBJECT
public:
    FinestraExcel(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* parent = nullptr);
    ~FinestraExcel() override;

    // The file-open dialog of a click on the workbook's path: the chosen
    // file, "" when cancelled. Tests replace it.
    using SceltaFile = std::function<QString(QWidget* sopra, const QString& cartella)>;
    SceltaFile sceltaFile;
    // Other programs' windows, to find the one holding the workbook open;
    // the platform's unless a test gives its own (never null).
    std::unique_ptr<FinestreEsterne> finestreEsterne;

    bool inCorso() const { return inCorso_; }

public slots:
    void aggiorna(); // "&AGGIORNA IL FILE EXCEL"
    void annulla();  // "&ANNULLA"
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void scegliFile();
    void apriCartella(); // "&Apri"
    // "EXCEL APERTO": the other program's window closed and the workbook let
    // go; false (with a message when it could not be done) stops the update.
    bool chiudiAltroProgramma(const QString& file);
    void fuocoCambiato(QWidget* prima, QWidget* dopo);
    bool controlla(int campo); // ControllaParametri with its message; false: focus back on the field
    ParametriExcel parametri() const;
    void abilita(bool si);

    ContestoFinestre& contesto_;
    ContestoArchivio& archivio_;
    FileAperti fileLocali_; // when the program keeps no file table

    QLabel* etichettaFile_ = nullptr; // LbFile: a click chooses the workbook
    QPushButton* pulsanteApri_ = nullptr;
    std::array<QLineEdit*, 4> campi_{}; // Txt(1..3): sheet, MRN column, status column; [0] unused
    QPushButton* pulsanteAggiorna_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
    QWidget* pannelloAvanzamento_ = nullptr; // pctChk
    QLineEdit* testoAvanzamento_ = nullptr;
    QProgressBar* barra_ = nullptr;
    QPushButton* pulsanteAnnulla_ = nullptr;
    QLabel* pannelloRisultato_ = nullptr; // pctResult

    bool inCorso_ = false;
    bool annullato_ = false;
    bool controllando_ = false;
    bool rifiutato_ = false; // a field check just sent the focus back: the click that left it does nothing
};

} // namespace qv
