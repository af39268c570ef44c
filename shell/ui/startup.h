#pragma once
// Startup: the main window. Loading it is the whole start-up in its fixed
// order; its menu bar opens every other window; closing it saves its
// placement, records the run in the per-user settings and ends the program.

#include <QMainWindow>
#include <QMap>

class QAction;
class QFrame;
class QMenu;

namespace qv {

struct Desktop;

class Startup : public QMainWindow {
    Q_OBJECT
public:
    explicit Startup(Desktop& desktop, QWidget* parent = nullptr);

    // The sixteen start-up steps. False when the program must not go on
    // (a password answered wrong three times, an upgrade not done).
    bool avvia();

    // Page options and the applications menu, again after GesAppl closes.
    void CaricaParametri();

    // A menu entry by its control name ("Mu_Mrn1", "Mprg_var3", ...).
    QAction* voce(const QString& nome) const { return voci_.value(nome); }

    // Fixed size in twips.
    double AltezzaFissa = 0;
    double LarghezzaFissa = 0;

protected:
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void costruisciMenu();
    void abilitaMenu();
    QAction* aggiungi(QMenu* menu, const QString& nome, const QString& testo);
    void apri(const std::function<void(QWidget*)>& finestra);
    void apriSingolo();
    void apriApplicativi();
    void apriNazioni();
    QSize dimensioneFissaPixel() const;

    Desktop& desktop_;
    QMap<QString, QAction*> voci_;
    QFrame* Line1 = nullptr;
};

} // namespace qv
