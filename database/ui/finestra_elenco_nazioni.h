#pragma once
// The list of nations ("EleNaz"): the table Nazioni in a grid sorted by a
// click on a heading (left ascending, right descending, on the code or the
// name); the row chosen hands its code back through Messaggio.

#include <QDialog>

class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace qv {

struct ContestoFinestre;
struct StatoDatabase;

class FinestraElencoNazioni : public QDialog {
    Q_OBJECT
public:
    FinestraElencoNazioni(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent = nullptr);

public:
    // Every way out (USCITA, F2, Escape, the window's close box) ends here.
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The record source for a sort column and direction (1 ascending, 2 descending).
    void ordina(int colonna, int direzione);
    void scegli(const QModelIndex& riga);

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    QTableView* griglia_ = nullptr;
    QSqlQueryModel* modello_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
    int colonna_ = -1;
    int direzione_ = 0;
};

} // namespace qv
