#pragma once
// The main window ("Startup"). Loading it is the whole start-up: the
// program's start-up sequence with this window's parts (placement, caption,
// applications menu, password, menus). Its menu bar opens every other window;
// closing it saves its placement, records the run in the per-user settings
// and releases the database.

#include "shell/avvio/sequenza_avvio.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QMenu;

namespace qv {

class ContestoDesktop;
enum class IdFinestra;

class FinestraPrincipale : public QMainWindow {
    Q_OBJECT
public:
    explicit FinestraPrincipale(ContestoDesktop& contesto, QWidget* parent = nullptr);

    // The start-up sequence. False when the program must not go on (a
    // password answered wrong three times, an upgrade not done, a program
    // folder that cannot be used).
    bool avvia();

    // A menu entry by its control name ("Mu_Mrn1", "Mprg_var3", ...).
    QAction* voce(const QString& nome) const { return voci_.value(nome); }

    // Fixed size in twips.
    double altezzaFissa() const { return altezzaFissa_; }
    double larghezzaFissa() const { return larghezzaFissa_; }

protected:
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    // This window's part of a start-up step; false ends the start-up.
    bool passoAvvio(PassoAvvio passo);
    void misuraDimensioniFisse();
    // The lines the menu bar would take at `larghezza` pixels.
    int righeMenu(int larghezza) const;
    // Page options and the applications menu, again after GesAppl closes.
    void caricaParametri();
    void menuApplicativi();
    void costruisciMenu();
    void abilitaMenu();
    QAction* aggiungi(QMenu* menu, const QString& nome, const QString& testo);
    QMenu* sottomenu(QMenu* sopra, const QString& nome, const QString& testo);
    void apri(IdFinestra finestra, const QString& argomento = QString());
    void apriSingolo();
    void apriApplicativi();
    QSize dimensioneFissaPixel() const;

    ContestoDesktop& contesto_;
    QMap<QString, QAction*> voci_;
    double altezzaFissa_ = 0;
    double larghezzaFissa_ = 0;
    bool frameMisurato_ = false;
};

} // namespace qv
