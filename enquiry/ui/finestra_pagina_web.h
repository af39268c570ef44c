#pragma once
// The page window ("FrmWeb"): an enquiry page loaded by the embedded browser
// straight from its address (no cache), shown and printed as the current
// context's page options ask. Printing on the PDF printer saving
// automatically moves the file it writes to a name made of the code.

#include <QDialog>

#include <chrono>
#include <functional>

class QPrinter;
class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

namespace qv {

struct ContestoFinestre;
struct StatoWeb;

class FinestraPaginaWeb : public QDialog {
    Q_OBJECT
public:
    FinestraPaginaWeb(ContestoFinestre& contesto, const StatoWeb& web, QWidget* parent = nullptr);
    ~FinestraPaginaWeb() override;

    // The page: its address, the code and the kind ("ex", "tr" or "pi").
    void plUrl(const QString& url) { url_ = url; }
    void plObject(const QString& codice) { oggetto_ = codice; }
    void plTipo(const QString& tipo) { tipo_ = tipo; }

    // Opens the window: placement, the page loaded, the caption, printing;
    // then, unless it was opened only to print (View 0), shows it modally
    // until "&USCITA" or F2. A page given up on is opened in the browser.
    void mostra();

    // 6 waiting or loaded; 7 given up; after printing the PDF check (0 or -1);
    // after handing the address to the browser, the shell's answer.
    int Stato() const { return stato_; }

    // How long to wait for the page before asking (tests shorten it).
    std::chrono::milliseconds limiteAttesa;
    // The printer dialog ("Con richiesta"); false when cancelled.
    std::function<bool(QPrinter& stampante, QWidget* sopra)> dialogoStampa;

    QWebEngineView* browser() const { return browser_; }

protected:
    void done(int risultato) override;

private:
    void colloca();
    void caricaPagina();
    void stampaPagina();
    bool stampaSu(QPrinter& stampante);
    void spostaPdf(const QString& cartellaPdf, const QPrinter& stampante);

    ContestoFinestre& contesto_;
    const StatoWeb& web_;
    QWebEngineProfile* profilo_ = nullptr;
    QWebEngineView* browser_ = nullptr; // WebBrowser1
    QPushButton* uscita_ = nullptr;     // Command1
    QString url_;
    QString oggetto_;
    QString tipo_;
    int stato_ = 0;
    bool caricata_ = false;
};

} // namespace qv
