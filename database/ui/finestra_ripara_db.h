#pragma once
// The repair window ("riparadb", "Recupero database"): the database's path
// (F4 picks a file, leaving the field checks it), "&RECUPERA" repairs it
// with its progress in the list.

#include "database/ui/registro_manutenzione.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

struct ContestoFinestre;
struct StatoDatabase;

class FinestraRiparaDb : public QDialog {
    Q_OBJECT
public:
    FinestraRiparaDb(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent = nullptr);

    SceltaDataBase sceltaFile = ScegliDataBase; // tests replace it

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void valida();
    void recupera(); // "&RECUPERA"

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    QLineEdit* percorso_ = nullptr;   // "Text1"
    QListWidget* registro_ = nullptr; // "List1"
    QPushButton* pulsanteRecupera_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
};

} // namespace qv
