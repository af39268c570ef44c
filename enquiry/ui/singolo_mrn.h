#pragma once
// SingoloMrn: one MRN typed, enquired and shown as up to nineteen lines, and
// printed. The request waits in a local event loop, so the window repaints
// while the page is fetched; its controls stay disabled until the answer.

#include <QDialog>

class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QAction;

namespace qv {

struct Desktop;

class SingoloMrn : public QDialog {
    Q_OBJECT
public:
    explicit SingoloMrn(Desktop& desktop, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdAnalizza = nullptr;
    QPushButton* cmdPrt = nullptr;
    QLabel* Label2[20] = {}; // 1..19
    QAction* Mu_end = nullptr;
    QAction* Mu_param = nullptr;
    QAction* Mu_print = nullptr;

    // The code the enquiry runs on: Text1 as it was last left.
    const QString& codice() const { return Codice; }
    bool occupata() const { return occupata_; }

public slots:
    void analizza();
    void stampa();
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void testoCambiato(const QString& testo);
    void lasciaCampo();
    void abilita(bool si);

    Desktop& desktop_;
    QMenuBar* menu_ = nullptr;
    QString Codice;
    bool SenzaControllo = false;
    bool occupata_ = false;
};

} // namespace qv
