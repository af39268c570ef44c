#pragma once
// Calendar ("CALENDARIO"): a date picked from a month grid, Monday first.
// The caller sets DataCalendario and the position, shows the window modally
// and reads DataCalendario afterwards (unchanged when the user leaves).

#include <QDate>
#include <QDialog>
#include <QLabel>

class QListWidget;
class QPushButton;
class QScrollBar;

namespace qv {

struct Desktop;

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

class Calendar : public QDialog {
    Q_OBJECT
public:
    // plPosX, plPosY in twips.
    Calendar(Desktop& desktop, int plPosX, int plPosY, QWidget* parent = nullptr);

    QLabel* lblMESE = nullptr;
    QListWidget* lstMESI = nullptr;
    QLabel* lblANNO = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QPushButton* Command2 = nullptr; // previous month
    QPushButton* Command3 = nullptr; // next month
    CellaGiorno* G[37] = {};
    QPushButton* cmdOggi = nullptr;
    QLabel* lblOGGI = nullptr;
    QPushButton* Command1[2] = {}; // 0 "&USCITA", 1 "&ACCETTA"

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

    Desktop& desktop_;
    int mese_ = 1;
    int anno_ = 2000;
    int giorno_ = 1;
    QDate selezionata_;
    bool inDisegno_ = false;
};

} // namespace qv
