#pragma once
// frmAbout ("Su &Quorvan"): title, version and purpose of the program; the
// system information program; the maker's name leads to the maker's data.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qv {

struct Desktop;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(Desktop& desktop, QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Lb_cr = nullptr;
    QLabel* Label1 = nullptr; // the maker's name
    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    Desktop& desktop_;
};

// "Su &ZENTRI": the maker-information program, or InfDitta when it cannot start.
void MostraInfoDitta(Desktop& desktop, QWidget* sopra);

// The system information program, or the message that it is not available.
void AvviaInfoSistema(Desktop& desktop);

} // namespace qv
