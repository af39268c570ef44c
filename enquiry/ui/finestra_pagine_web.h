#pragma once
// The page options window ("GWebPar"): whether the pages fetched in the
// current enquiry context are viewed, printed or saved, in which folder, on
// which printer.

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace qv {

struct ContestoFinestre;
struct StatoWeb;

class FinestraPagineWeb : public QDialog {
    Q_OBJECT
public:
    // Edits the options of web.ContestoWeb.
    FinestraPagineWeb(ContestoFinestre& contesto, StatoWeb& web, QWidget* parent = nullptr);

    // The folder dialog: title and starting folder in, the folder chosen out
    // ("" when cancelled). Tests replace it.
    std::function<QString(QWidget* sopra, const QString& titolo, const QString& cartella)> sceltaCartella;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void casellaCliccata(int i);
    void scegliCartella();
    void scegliStampante();
    void conferma();

    ContestoFinestre& contesto_;
    StatoWeb& web_;
    int contesto_web_ = 0;
    std::array<QCheckBox*, 3> caselle_{};   // Check1(0..2): view, print, save
    std::array<QRadioButton*, 2> schede_{}; // optSkede(0) "Multiple", optSkede(1) "Singola"
    QGroupBox* cornicePagine_ = nullptr;    // frmIEskede
    QGroupBox* corniceStampa_ = nullptr;    // frmPrint
    QGroupBox* corniceCartella_ = nullptr;  // frmPath
    QLabel* stampante_ = nullptr;           // lbPrinter
    QCheckBox* chiedi_ = nullptr;           // chkChiedi
    QLabel* cartella_ = nullptr;            // lbPath
};

} // namespace qv
