#pragma once
// The desktop program for one window test, with recorded messages, launches and end of the program.

#include "app/contesto_desktop.h"
#include "avviatore_registrato.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/ui/tasti_comuni.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

namespace qv::prova {

class BancoDesktop {
public:
    BancoDesktop() : contesto(cartella.path(), messaggi, avviatore), filtro(contesto.finestre) {
        contesto.shell.FileIni = cartella.filePath(QStringLiteral("Quorvan.ini"));
        contesto.ambienteWeb.fileIni = contesto.shell.FileIni;
        ContestoFinestre& f = contesto.finestre;
        f.terminaProgramma = [this](int codice) { terminato.append(codice); };
        f.stampantiInstallate = [this] { return stampanti; };
        f.stampantePredefinita = [this] { return stampanti.value(1); };
        f.sceltaStampante = [this](QWidget*, const QString&) { return sceltaDialogo; };
        f.sceltaProgramma = [this](QWidget*, const QString& c) {
            cartellaSceltaProgramma = c;
            return programmaScelto;
        };
        f.infoSistema = [this] { return infoSistema; };
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni.path());
    }

    QTemporaryDir cartella;
    QTemporaryDir impostazioni;
    MessaggiRegistrati messaggi;
    AvviatoreRegistrato avviatore;
    ContestoDesktop contesto;
    TastiComuniFiltro filtro;

    ContestoFinestre& finestre() { return contesto.finestre; }
    const QString& ini() const { return contesto.shell.FileIni; }

    QList<int> terminato;
    QStringList stampanti{QStringLiteral("Ufficio"), QStringLiteral("Magazzino"),
                          QStringLiteral("Contabilita"), QStringLiteral("Spedizioni"),
                          QStringLiteral("PDF virtuale")};
    QString sceltaDialogo;
    QString programmaScelto;
    QString cartellaSceltaProgramma;
    QStringList infoSistema{QString(), QString()};

    QStringList testiMostrati() const {
        QStringList t;
        for (const Messaggio& m : messaggi.mostrati())
            t << m.testo;
        return t;
    }
};

// The desktop program asking the demo server: its addresses, the nations and a real HTTP client.
struct BancoInterrogazione : BancoDesktop {
    explicit BancoInterrogazione(const ServerAvviato& server) {
        server.indirizzi(contesto.web);
        contesto.web.CartellaTemp = cartella.path() + "/";
        contesto.nazioni = CaricaElencoNazioni(ini());
        contesto.ambienteWeb.http = &http;
    }
    platform::NetworkHttpClient http{10000};
};

template <class T = QWidget> T* controllo(const QWidget* finestra, const char* nome) {
    T* c = finestra->findChild<T*>(QLatin1String(nome));
    if (!c) qFatal("%s has no control %s", qPrintable(finestra->objectName()), nome);
    return c;
}
inline QLineEdit* campo(const QWidget* w, const char* nome) {
    return controllo<QLineEdit>(w, nome);
}
inline QPushButton* pulsante(const QWidget* w, const char* nome) {
    return controllo<QPushButton>(w, nome);
}

inline bool attiva(QWidget* w) {
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

template <class Finestra, class... Argomenti>
std::unique_ptr<Finestra> Mostra(BancoDesktop& banco, Argomenti&&... a) {
    auto w = std::make_unique<Finestra>(banco.finestre(), std::forward<Argomenti>(a)...);
    if (!attiva(w.get())) qWarning("the window did not become active");
    return w;
}

inline void QuandoSiApre(const QString& nome, std::function<void(QDialog*)> azione, int tentativi = 200) {
    QTimer::singleShot(10, [=] {
        auto* finestra = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (finestra && finestra->objectName() == nome) {
            finestra->activateWindow(); // focus moves only in the active window
            if (!QTest::qWaitForWindowActive(finestra))
                qWarning("%s did not become active", qPrintable(nome));
            azione(finestra);
        } else if (tentativi > 0) {
            QuandoSiApre(nome, azione, tentativi - 1);
        }
    });
}

inline void premi(QWidget* campo, Qt::Key tasto, Qt::KeyboardModifiers modificatori = {}) {
    campo->setFocus();
    QTest::keyClick(campo, tasto, modificatori);
}

inline void Rispondi(QWidget* campo, const QString& testo) {
    campo->setFocus();
    QTest::keyClicks(campo, testo);
    QTest::keyClick(campo, Qt::Key_Return);
}

} // namespace qv::prova
