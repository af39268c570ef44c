#pragma once
// frmPRT: the print destination. The printer chosen through the printer
// dialog becomes the printer the program prints on; print type, preview zoom
// and page size are kept for the rest of the run.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

struct Desktop;

class frmPRT : public QDialog {
    Q_OBJECT
public:
    // plTopForm, plLeftForm in twips: where the window opens; 0 and 0 let the
    // placement rules decide.
    frmPRT(Desktop& desktop, int plTopForm = 0, int plLeftForm = 0, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;      // the printer
    QPushButton* Command1 = nullptr; // "&MODIFICA"
    QComboBox* Combo1 = nullptr;     // print type
    QGroupBox* Frame1 = nullptr;     // "Anteprima"
    QComboBox* cmbZoom = nullptr;
    QRadioButton* Option1[8] = {};  // page sizes
    QPushButton* cmds_SI = nullptr; // "&CONFERMA"
    QPushButton* cmds_NO = nullptr; // "&USCITA"

    // The printer list (F4 or a double click on the printer field).
    void elencoStampanti();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void tipoScelto(int indice);
    void conferma();

    Desktop& desktop_;
};

} // namespace qv
