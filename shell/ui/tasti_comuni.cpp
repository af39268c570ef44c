#include "shell/ui/tasti_comuni.h"

#include "shell/cartelle.h"
#include "shell/tastiera.h"
#include "shell/ui/contesto_finestre.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace qv {

namespace {

const char* const kTasti = "qvTasti";
const char* const kInvioComeTab = "qvInvioComeTab";
const char* const kCampo = "qvCampo";
const char* const kInvioProprio = "qvInvioProprio";

int codiceTasto(int key) {
    switch (key) {
    case Qt::Key_F:
        return CodiceTasto::F;
    case Qt::Key_F2:
        return CodiceTasto::F2;
    case Qt::Key_F8:
        return CodiceTasto::F8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CodiceTasto::Invio;
    default:
        return 0;
    }
}

int modificatori(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? kShift : 0) | ((m & Qt::ControlModifier) ? kCtrl : 0) |
           ((m & Qt::AltModifier) ? kAlt : 0);
}

bool haMnemonico(const QString& testo, QChar lettera) {
    for (int i = 0; i + 1 < testo.size(); ++i) {
        if (testo.at(i) != QLatin1Char('&')) continue;
        if (testo.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return testo.at(i + 1).toUpper() == lettera;
    }
    return false;
}

// The common keys of a key press in a window that joined them. True when the
// key was used up.
bool tastoComune(ContestoFinestre& contesto, QWidget* finestra, QWidget* campo, QKeyEvent* k) {
    const int codice = codiceTasto(k->key());
    if (codice == 0) return false;
    const int shift = modificatori(k->modifiers());
    switch (TastiComuni(codice, shift, true)) {
    case AzioneComune::CercaFile:
        CercaFile(contesto.avviatore, RadiceCartellaCorrente());
        return true;
    case AzioneComune::UscitaForzata:
        if (contesto.messaggi.mostra(DomandaUscitaForzata()) == Risposta::Si && contesto.terminaProgramma)
            contesto.terminaProgramma(0);
        return true;
    case AzioneComune::Uscita:
        InviaTasti(finestra, finestra->property(kTasti).toString());
        return true;
    case AzioneComune::CambiaTitolo:
        finestra->setWindowTitle(
            CambiaTitolo(finestra->windowTitle(), finestra->objectName(), contesto.shell.titoloRicordato));
        return true;
    case AzioneComune::Nessuna:
        break;
    }
    if (codice != CodiceTasto::Invio || shift != 0) return false;
    if (campo && campo->property(kInvioProprio).toBool()) return false;
    if (auto* pulsante = qobject_cast<QAbstractButton*>(campo)) {
        pulsante->click();
        return true;
    }
    if (!finestra->property(kInvioComeTab).toBool()) return false;
    if (qobject_cast<QTextEdit*>(campo) || qobject_cast<QPlainTextEdit*>(campo)) return false;
    ProssimoCampo(campo ? campo : finestra);
    return true;
}

// Numeric and upper-case fields: the typed character passes, changes or is
// discarded.
bool tastoCampo(QWidget* campo, QKeyEvent* k) {
    const QString tipo = campo->property(kCampo).toString();
    if (tipo.isEmpty() || k->text().size() != 1) return false;
    // Ctrl and Alt combinations are commands (copy, paste, mnemonics), not typing,
    // whatever text the platform attaches to them.
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int ascii = k->text().at(0).unicode();
    if (tipo == QLatin1String("cifre")) {
        if (ascii >= 32 && ascii != 127 && SoloCifre(ascii) == 0) return true;
        return false;
    }
    const int nuovo = Maiuscolo(ascii);
    if (nuovo == ascii) return false;
    QKeyEvent sostituto(k->type(), k->key(), k->modifiers(), QString(QChar(nuovo)), k->isAutoRepeat(),
                        ushort(k->count()));
    QCoreApplication::sendEvent(campo, &sostituto);
    return true;
}

} // namespace

TastiComuniFiltro::TastiComuniFiltro(ContestoFinestre& contesto, QObject* parent)
    : QObject(parent), contesto_(contesto) {
    qApp->installEventFilter(this);
}

TastiComuniFiltro::~TastiComuniFiltro() {
    if (qApp) qApp->removeEventFilter(this);
}

bool TastiComuniFiltro::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress || !oggetto->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(oggetto);
    QWidget* finestra = widget->window();
    // Only the first receiver: the focused control, or the window itself.
    if (widget != finestra && widget != finestra->focusWidget()) return false;
    auto* k = static_cast<QKeyEvent*>(evento);
    QWidget* campo = widget == finestra ? finestra->focusWidget() : widget;
    if (finestra->property(kTasti).isValid() && tastoComune(contesto_, finestra, campo, k)) return true;
    return widget != finestra && tastoCampo(widget, k);
}

void UsaTastiComuni(QWidget* finestra, const QString& tasti, bool invioComeTab) {
    finestra->setProperty(kTasti, tasti);
    finestra->setProperty(kInvioComeTab, invioComeTab);
}

void CampoNumerico(QLineEdit* campo) {
    campo->setProperty(kCampo, QStringLiteral("cifre"));
}
void CampoMaiuscolo(QLineEdit* campo) {
    campo->setProperty(kCampo, QStringLiteral("maiuscolo"));
}
void InvioProprio(QWidget* campo) {
    campo->setProperty(kInvioProprio, true);
}

void AvanzaSePieno(QLineEdit* campo) {
    QObject::connect(campo, &QLineEdit::textChanged, campo, [campo](const QString& testo) {
        if (qv::AvanzaSePieno(campo->maxLength() == 32767 ? 0 : campo->maxLength(), int(testo.size())) &&
            campo->hasFocus())
            ProssimoCampo(campo);
    });
}

void SelezionaTesto(QLineEdit* campo) {
    class Selezione : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::FocusIn) {
                auto* c = static_cast<QLineEdit*>(o);
                QTimer::singleShot(0, c, [c] { c->setSelection(0, 110); });
            }
            return false;
        }
    };
    campo->installEventFilter(new Selezione(campo));
}

bool InviaTasti(QWidget* finestra, const QString& tasti) {
    const QChar lettera = LetteraTasti(tasti);
    if (lettera.isNull()) return false;
    for (QMenuBar* barra : finestra->findChildren<QMenuBar*>()) {
        if (barra->window() != finestra) continue;
        for (QAction* a : barra->actions()) {
            if (!a->isVisible() || !a->isEnabled() || !haMnemonico(a->text(), lettera)) continue;
            if (a->menu())
                barra->setActiveAction(a);
            else
                a->trigger();
            return true;
        }
    }
    for (QAbstractButton* b : finestra->findChildren<QAbstractButton*>()) {
        const bool risponde = haMnemonico(b->text(), lettera) ||
                              b->shortcut() == QKeySequence(Qt::ALT | Qt::Key(lettera.unicode()));
        if (b->isVisible() && b->isEnabled() && b->window() == finestra && risponde) {
            b->click();
            return true;
        }
    }
    return false;
}

void ProssimoCampo(QWidget* daQui) {
    QWidget* destinatario = daQui->window()->focusWidget() ? daQui->window()->focusWidget() : daQui;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(destinatario, &tab);
}

} // namespace qv
