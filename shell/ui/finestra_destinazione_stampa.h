#pragma once
// The print destination window ("frmPRT"). The printer chosen through the printer
// dialog becomes the printer the program prints on; print type, preview zoom
// and page size are kept for the rest of the run.

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

struct ContestoFinestre;

class FinestraDestinazioneStampa : public QDialog {
    Q_OBJECT
public:
    // plTopForm, plLeftForm in twips: where the window opens; 0 and 0 let the
    // placement rules decide.
    FinestraDestinazioneStampa(ContestoFinestre& contesto, int plTopForm = 0, int plLeftForm = 0,
                               QWidget* parent = nullptr);

    // The printer list (F4 or a double click on the printer field).
    void elencoStampanti();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void tipoScelto(int indice);
    void conferma();

    ContestoFinestre& contesto_;
    QLineEdit* stampante_ = nullptr;  // the printer
    QComboBox* tipoStampa_ = nullptr; // "P", "D" or "V (a video)"
    QGroupBox* anteprima_ = nullptr;  // "Anteprima": zoom and page size
    QComboBox* zoom_ = nullptr;
    std::array<QRadioButton*, 8> formatiPagina_{};
};

} // namespace qv
