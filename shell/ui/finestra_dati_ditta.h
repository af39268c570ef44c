#pragma once
// FinestraDatiDitta: the maker's contact data, shown when the maker's own information
// program cannot be started. The e-mail address and the web site open in the
// desktop's mail program and browser.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qv {

struct ContestoFinestre;

class FinestraDatiDitta : public QDialog {
    Q_OBJECT
public:
    explicit FinestraDatiDitta(ContestoFinestre& contesto, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ContestoFinestre& contesto_;
    QLabel* email_ = nullptr;
    QLabel* sitoWeb_ = nullptr;
};

} // namespace qv
