#pragma once
// The keyboard every window shares, in one place: an application-wide event
// filter sees each key before the focused control does (the way the
// program's windows receive keys before their controls) and applies the
// common keys to the window the key belongs to:
//   Enter        the next field (windows that ask for it); on a button, presses it
//   F2           the window's own exit keys ("%F" presses Alt+F, "%U" Alt+U)
//   Ctrl+F2      forced exit after confirmation
//   Ctrl+F8      caption toggle
//   Ctrl+F       the file manager on the root of the current drive
// and the field rules: numeric fields, upper-case fields.

#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

namespace qv {

struct ContestoFinestre;

class TastiComuniFiltro : public QObject {
    Q_OBJECT
public:
    // Installs itself on the application; one per program (or test).
    explicit TastiComuniFiltro(ContestoFinestre& contesto, QObject* parent = nullptr);
    ~TastiComuniFiltro() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ContestoFinestre& contesto_;
};

// A window joins the common keys with the key string its F2 sends; with
// `invioComeTab` Enter moves to the next field.
void UsaTastiComuni(QWidget* finestra, const QString& tasti, bool invioComeTab);

// Field kinds handled by the filter.
void CampoNumerico(QLineEdit* campo);  // SoloCifre
void CampoMaiuscolo(QLineEdit* campo); // Maiuscolo
// Enter in this field is the window's own business (not a Tab).
void InvioProprio(QWidget* campo);
// The field moves the focus on when its text reaches its maximum length.
void AvanzaSePieno(QLineEdit* campo);
// The field's text is selected whenever it gets the focus.
void SelezionaTesto(QLineEdit* campo);

// Presses what Alt + the key string's letter would press in `finestra`: a
// top-level menu item (opening its menu, or triggering it when it has none)
// or a visible, enabled button. False when nothing answers to the letter.
bool InviaTasti(QWidget* finestra, const QString& tasti);

// The focus to the next control in the window, as a Tab key would.
void ProssimoCampo(QWidget* daQui);

} // namespace qv
