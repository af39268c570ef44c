#pragma once
// The date picker ("Calendar", "CALENDARIO"): a date picked from a month grid, Monday first.
// The caller sets DataCalendario and the position, shows the window modally
// and reads DataCalendario afterwards (unchanged when the user leaves).

#include "shell/calendario.h"

#include <QDate>
#include <QDialog>
#include <QLabel>

#include <array>

class QListWidget;
class QPushButton;
class QScrollBar;

namespace qv {

struct ContestoFinestre;

// One day cell: a click selects it, a double click accepts it.
class CellaGiorno : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void cliccata();
    void doppioClic();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
};

class FinestraCalendario : public QDialog {
    Q_OBJECT
public:
    // plPosX, plPosY in twips.
    FinestraCalendario(ContestoFinestre& contesto, int plPosX, int plPosY, QWidget* parent = nullptr);

    QDate dataSelezionata() const { return selezionata_; }
    int mese() const { return mese_; }
    int anno() const { return anno_; }

    void mesePrecedente();
    void meseSuccessivo();
    void mostraMese(int mese, int anno);
    void oggi();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void disegna();
    void accetta();

    ContestoFinestre& contesto_;
    QLabel* nomeMese_ = nullptr; // a click shows the list of months
    QListWidget* elencoMesi_ = nullptr;
    QLabel* etichettaAnno_ = nullptr; // a click goes back to this year
    QScrollBar* barraAnni_ = nullptr;
    QPushButton* mesePrecedente_ = nullptr;
    QPushButton* meseSuccessivo_ = nullptr;
    std::array<CellaGiorno*, kCelleCalendario> giorni_{}; // the month grid, Monday first
    QLabel* dataOggi_ = nullptr;
    QPushButton* pulsanteOggi_ = nullptr;
    QPushButton* accetta_ = nullptr;
    QPushButton* uscita_ = nullptr;
    int mese_ = 1;
    int anno_ = 2000;
    int giorno_ = 1;
    QDate selezionata_;
    bool inDisegno_ = false;
};

} // namespace qv
