#pragma once
// The printer list ("SelPrint"): the installed printers as a list of options; clicking one
// returns it at once.

#include <QDialog>
#include <QList>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qv {

struct ContestoFinestre;

class FinestraSceltaStampante : public QDialog {
    Q_OBJECT
public:
    // `plPrinter` is shown selected (the current printer when empty); the
    // window opens at plLeftForm, plTopForm (twips).
    FinestraSceltaStampante(ContestoFinestre& contesto, const QString& plPrinter, int plTopForm,
                            int plLeftForm, QWidget* parent = nullptr);

    // The printer clicked, read after the window closes; empty: no choice
    // (cancelled, or confirmed without a click).
    QString pgPrinter() const { return pgPrinter_; }

private:
    QString pgPrinter_;
    bool inCaricamento_ = true;
};

} // namespace qv
