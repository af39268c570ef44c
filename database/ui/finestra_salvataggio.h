#pragma once
// The backup and restore windows: "SalvaArk" ("SALVATAGGIO ARCHIVI")
// copies the working database into "Save" or any file picked on its label,
// "RestoreArk" ("RIPRISTINO ARCHIVI DA SALVATAGGIO") copies a saved file
// back and shows its date and time. "&CONFERMA" copies (source label orange
// while it runs, green after), "&FLOPPY" starts the external backup
// program, "&USCITA" closes.

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace qv {

struct ContestoFinestre;
struct StatoDatabase;

class FinestraSalvataggio : public QDialog {
    Q_OBJECT
public:
    enum class Modo { Salva, Ripristina };
    FinestraSalvataggio(ContestoFinestre& contesto, StatoDatabase& database, Modo modo,
                        QWidget* parent = nullptr);

    // A click on a file label: the file chosen, "" when cancelled. Tests replace it.
    using SceltaFile = std::function<QString(QWidget* sopra, const QString& titolo, const QString& proposto,
                                             bool esistente)>;
    SceltaFile sceltaFile;

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void conferma(); // "&CONFERMA"
    void floppy();   // "&FLOPPY"
    void coloraOrigine(quint32 rgb);

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    Modo modo_;
    QString lavoro_;                // the working file, whatever the labels say
    std::array<QLabel*, 2> file_{}; // "LbFile_0" source, "LbFile_1" destination
    QLabel* data_ = nullptr;        // "Lbdata" (RestoreArk)
    QLabel* ora_ = nullptr;         // "Lbora"
    QPushButton* pulsanteConferma_ = nullptr;
    QPushButton* pulsanteFloppy_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
};

} // namespace qv
