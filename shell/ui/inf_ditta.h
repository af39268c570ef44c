#pragma once
// InfDitta: the maker's contact data, shown when the maker's own information
// program cannot be started. The e-mail address and the web site open in the
// desktop's mail program and browser.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qv {

struct Desktop;

class InfDitta : public QDialog {
    Q_OBJECT
public:
    explicit InfDitta(Desktop& desktop, QWidget* parent = nullptr);

    QLabel* lblEmail = nullptr;
    QLabel* lblSito = nullptr;
    QPushButton* cmdInfoSys = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    Desktop& desktop_;
};

} // namespace qv
