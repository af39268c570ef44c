#pragma once
// The addresses and markers window ("GParHttp", "Indirizzi WEB"): the two MRN
// enquiry addresses and the twelve HTML markers the fields are cut out between.

#include <QDialog>

#include <array>

class QLineEdit;

namespace qv {

struct ContestoFinestre;
struct IndirizziMarcatori;
struct StatoWeb;

class FinestraIndirizziWeb : public QDialog {
    Q_OBJECT
public:
    FinestraIndirizziWeb(ContestoFinestre& contesto, StatoWeb& web, QWidget* parent = nullptr);

private:
    void mostraValori(const IndirizziMarcatori& valori);
    void conferma();

    ContestoFinestre& contesto_;
    StatoWeb& web_;
    std::array<QLineEdit*, 14> caselle_{}; // Txt(1) .. Txt(14)
};

} // namespace qv
