#pragma once
// GesAppl ("Imposta Applicativi"): the eleven entries of the applications
// menu, each a caption and what it starts, checked line by line.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qv {

struct Desktop;

class GesAppl : public QDialog {
    Q_OBJECT
public:
    explicit GesAppl(Desktop& desktop, QWidget* parent = nullptr);

    // Txt[1..11] captions, Txt[12..22] programs; cmdTrova[1..11]; index 0 unused.
    QLineEdit* Txt[23] = {};
    QPushButton* cmdTrova[12] = {};
    QPushButton* Command1[3] = {}; // "&USCITA", "&RIPRISTINA", "&CONFERMA"

signals:
    // Menu item n (1..11) takes this caption and is shown or hidden.
    void menuCambiato(int n, const QString& titolo, bool visibile);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CaricaApplicativi();
    // 0 when line n is right; otherwise its error, shown, with the focus back.
    int ControllaRiga(int n);
    void CercaProgramma(int n);
    void conferma();

    Desktop& desktop_;
    bool erroreInCorso_ = false;
};

} // namespace qv
