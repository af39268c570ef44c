#pragma once
// A desktop program for one widget test: its own program folder, scripted
// message answers, a recording launcher, five fake printers, and an end of
// the program that is only recorded.

#include "avviatore_registrato.h"
#include "enquiry/stato_web.h"
#include "shell/stato_shell.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace qv::prova {

class BancoDesktop {
public:
    BancoDesktop() : desktop(shell, web, messaggi, avviatore), filtro(desktop) {
        shell.cartellaProgramma = cartella.path();
        shell.FileIni = cartella.filePath(QStringLiteral("Quorvan.ini"));
        desktop.ambienteWeb.fileIni = shell.FileIni;
        desktop.ambienteWeb.messaggi = &messaggi;
        desktop.terminaProgramma = [this](int codice) { terminato.append(codice); };
        desktop.stampantiInstallate = [this] { return stampanti; };
        desktop.stampantePredefinita = [this] { return stampanti.value(1); };
        desktop.sceltaStampante = [this](QWidget*, const QString&) { return sceltaDialogo; };
        desktop.sceltaProgramma = [this](QWidget*, const QString& c) {
            cartellaSceltaProgramma = c;
            return programmaScelto;
        };
        desktop.infoSistema = [this] { return infoSistema; };
        // Per-user settings of this test only.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni.path());
    }

    QTemporaryDir cartella;
    QTemporaryDir impostazioni;
    StatoShell shell;
    StatoWeb web;
    MessaggiRegistrati messaggi;
    AvviatoreRegistrato avviatore;
    ContestoFinestre desktop;
    TastiComuniFiltro filtro;

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

// A window of the program built on the bench, shown and made active, as the
// user would find it.
template <class Finestra, class... Argomenti>
std::unique_ptr<Finestra> Mostra(BancoDesktop& banco, Argomenti... a) {
    auto w = std::make_unique<Finestra>(banco.desktop, a...);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window did not become active");
    return w;
}

// Runs `azione` on the modal window that opens next (a QDialog of the given
// class name), once the event loop shows it.
inline void QuandoSiApre(const char* classe, std::function<void(QDialog*)> azione, int tentativi = 200) {
    QTimer::singleShot(10, [=] {
        auto* finestra = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (finestra && finestra->inherits(classe)) {
            // Focus moves only in the active window, as for a user.
            finestra->activateWindow();
            if (!QTest::qWaitForWindowActive(finestra))
                qWarning("the window %s did not become active", classe);
            azione(finestra);
            return;
        }
        if (tentativi > 0) QuandoSiApre(classe, azione, tentativi - 1);
    });
}

} // namespace qv::prova
