#pragma once
// What the two nations windows share: the code and description fields with
// their labels and the flag picture, and when leaving the code field counts.

#include <initializer_list>

class QEvent;
class QGridLayout;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

namespace qv {

struct CampiNazione {
    QLineEdit* codice = nullptr;      // "Codice ISO", two capitals
    QLineEdit* descrizione = nullptr; // "Descrizione", capitals
    QLabel* bandiera = nullptr;       // "PctFlag"
};

// The fields in rows `riga` and `riga` + 1 of `griglia` (three columns).
CampiNazione AggiungiCampiNazione(QWidget* finestra, QGridLayout* griglia, int riga,
                                  const QString& nomeCodice, const QString& nomeDescrizione);

// True when `evento` (a FocusOut of the code field) moves the focus to
// another control of `finestra`, not one of `esclusi`: not when the window
// loses the focus, nor for the buttons that leave or abandon it.
bool LasciaPerAltroCampo(QWidget* finestra, QEvent* evento, std::initializer_list<const QWidget*> esclusi);

} // namespace qv
