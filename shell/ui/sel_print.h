#pragma once
// SelPrint: the installed printers as a list of options; clicking one
// returns it at once.

#include <QDialog>
#include <QList>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qv {

struct Desktop;

class SelPrint : public QDialog {
    Q_OBJECT
public:
    // `plPrinter` is shown selected (the current printer when empty); the
    // window opens at plLeftForm, plTopForm (twips).
    SelPrint(Desktop& desktop, const QString& plPrinter, int plTopForm, int plLeftForm,
             QWidget* parent = nullptr);

    // The chosen printer, read after the window closes; empty: no choice.
    QString pgPrinter() const { return pgPrinter_; }

    QGroupBox* Frame1 = nullptr;
    QList<QRadioButton*> Option1;
    QPushButton* Command1[2] = {}; // "&CONFERMA", "&ANNULLA"

private:
    QString pgPrinter_;
    bool inCaricamento_ = true;
};

} // namespace qv
