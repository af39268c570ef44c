#pragma once
// The row colours window ("ColorTdbg"): one label per colour named in
// plTabLb, on its colour; a click picks a new colour (ScegliColore), which
// the grids use at once; "&CONFERMA" writes the colours of the labels shown
// to the configuration file, "&ANNULLA" writes nothing.

#include <QColor>
#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace qv {

struct ContestoFinestre;
class Messaggi;
struct StatoDatabase;

// The colour dialog: opened over `sopra` on `iniziale`, with the dialog's
// custom colours (QColorDialog::customColor) as they are; an invalid colour
// when cancelled. Tests put their own in its place.
using SceltaColore = std::function<QColor(QWidget* sopra, const QColor& iniziale)>;
SceltaColore SceltaColoreQt(); // QColorDialog::getColor

// Windows RGB values (red in the low byte) and colours.
QColor ColoreDaRgb(qint32 rgb);
quint32 RgbDaColore(const QColor& colore);

// ScegliColore(window): the custom colours loaded from the table Colori
// into the dialog, the dialog shown, and, when a colour was chosen, the
// custom colours saved back. The colour as decimal text, empty when cancelled.
QString ScegliColore(QWidget* finestra, StatoDatabase& database, Messaggi& messaggi,
                     const SceltaColore& scelta, const QColor& iniziale = QColor());

class FinestraColori : public QDialog {
    Q_OBJECT
public:
    // The caller's properties: caption, top-left corner in twips, labels
    // separated by commas (the list ending with a comma).
    FinestraColori(ContestoFinestre& contesto, StatoDatabase& database, const QString& plTitolo,
                   double plPosX, double plPosY, const QString& plTabLb, QWidget* parent = nullptr);

    SceltaColore sceltaColore = SceltaColoreQt();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void coloreEtichetta(int i);
    void dipingi(int i); // label i on its row colour
    void conferma();

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    std::array<QLabel*, 4> etichette_{}; // "lbColor_0".."lbColor_3"
    QPushButton* pulsanteAnnulla_ = nullptr;
    QPushButton* pulsanteConferma_ = nullptr;
};

} // namespace qv
