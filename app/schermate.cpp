// quorvan-schermate: pictures of the program's windows for the documentation,
// taken while the program does its daily work: the main window, the single
// enquiry window with a transit MRN's result, the batch window on a list run
// into the archive, the archive browser opened on the run's results, and the
// workbook update window after a run over the demo workbook; the web
// enquiry's parameter windows and the page window on a demo page, and a page
// printed on the PDF printer.
// Usage: quorvan-schermate PROGRAM_FOLDER OUTPUT_FOLDER
// The program folder's configuration must point the enquiry addresses at a
// running demo server (tools/demo.sh --screenshots does it), hold the demo
// list "ElencoMRN.txt" and have its "AGGEXCEL" keys on the demo workbook.

#include "app/programma_desktop.h"
#include "enquiry/pagina_pdf.h"
#include "enquiry/ui/finestra_singolo_mrn.h"
#include "platform/web_engine.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

bool salva(QWidget* w, const QDir& uscita, const QString& nome) {
    QTest::qWait(300);
    return w->grab().save(uscita.filePath(nome));
}

// Runs `azione` on the modal window named `nome` (or of that class) as soon as it is open.
void quandoAperta(const QString& nome, std::function<void(QWidget*)> azione, int tentativi = 600) {
    QTimer::singleShot(50, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && (w->objectName() == nome || w->inherits(qPrintable(nome))) && w->isVisible()) {
            azione(w);
        } else if (tentativi > 0) {
            quandoAperta(nome, azione, tentativi - 1);
        } else {
            QTextStream(stderr) << "quorvan-schermate: the window " << nome << " did not open" << Qt::endl;
        }
    });
}

// One enquiry typed into the single enquiry window.
void interroga(qv::ContestoDesktop& c, QWidget* principale, const QString& codice) {
    qv::FinestraSingoloMrn singolo(c.finestre, c.web, c.ambienteWeb, principale);
    singolo.show();
    singolo.activateWindow();
    (void)QTest::qWaitForWindowActive(&singolo);
    QTest::keyClicks(singolo.findChild<QLineEdit*>(QStringLiteral("Text1")), codice);
    QTest::mouseClick(singolo.findChild<QPushButton*>(QStringLiteral("cmdAnalizza")), Qt::LeftButton);
    singolo.close();
}

// An export page in the page window (View1 with the single window), then the
// same page printed on the PDF printer only (Print1): the file must be
// "EX_" + MRN + ".pdf" in the PDF folder. The options are the run's, not written.
bool paginePerSingolo(qv::ContestoDesktop& c, QWidget* principale, const QDir& uscita) {
    const QString mrn = QStringLiteral("24IT123456789012E1");
    qv::OpzioniPagina& o = c.web.Opzioni[qv::ContestoSingoloElemento];
    const qv::OpzioniPagina prima = o;
    const int schede = c.web.IESkede;
    bool fatto = false;
    o = qv::OpzioniPagina{};
    o.View = 1;
    c.web.IESkede = 1;
    quandoAperta(QStringLiteral("FrmWeb"), [&](QWidget* w) {
        w->resize(900, 620);
        fatto = salva(w, uscita, QStringLiteral("frmweb.png"));
        w->close();
    });
    interroga(c, principale, mrn);

    o = qv::OpzioniPagina{};
    o.Print = 1;
    const QString stampante = c.shell.stampa.StampanteCorrente;
    c.shell.stampa.StampanteCorrente = QString::fromLatin1(qv::NomeStampantePdf);
    const QString pdf = qv::FilePdfAutomatico(
        qv::LeggiImpostazioniPdf(c.shell.FileIni, c.shell.cartellaProgramma), QStringLiteral("x"));
    const QString atteso =
        QFileInfo(pdf).dir().filePath(QStringLiteral("EX_") + mrn + QStringLiteral(".pdf"));
    QFile::remove(atteso);
    interroga(c, principale, mrn);
    const bool stampato = QFile::exists(atteso);
    QTextStream(stdout) << (stampato ? "PDF: " : "PDF missing: ") << atteso << Qt::endl;
    c.shell.stampa.StampanteCorrente = stampante;
    o = prima;
    c.web.IESkede = schede;
    return fatto && stampato;
}

} // namespace

int main(int argc, char** argv) {
    qv::platform::prepareWebEngine();
    QApplication app(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 3) {
        QTextStream(stderr) << "uso: quorvan-schermate CARTELLA_PROGRAMMA CARTELLA_IMMAGINI" << Qt::endl;
        return 2;
    }
    const QDir uscita(argomenti.at(2));
    QDir().mkpath(uscita.path());

    qv::ProgrammaDesktop programma(argomenti.at(1));
    if (!programma.avvia()) return 1;
    qv::FinestraPrincipale& principale = programma.principale();
    principale.show();
    if (!QTest::qWaitForWindowExposed(&principale)) return 1;
    if (!salva(&principale, uscita, QStringLiteral("startup.png"))) return 1;

    qv::ContestoDesktop& c = programma.contesto();
    {
        qv::FinestraSingoloMrn singolo(c.finestre, c.web, c.ambienteWeb, &principale);
        singolo.show();
        singolo.activateWindow();
        if (!QTest::qWaitForWindowExposed(&singolo)) return 1;
        (void)QTest::qWaitForWindowActive(&singolo);
        auto* campo = singolo.findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTest::keyClicks(campo, QStringLiteral("24it123456789012t6"));
        QTest::keyClick(singolo.findChild<QPushButton*>(QStringLiteral("cmdAnalizza")), Qt::Key_Return);
        campo->setFocus();
        if (!salva(&singolo, uscita, QStringLiteral("singolo_mrn.png"))) return 1;
        singolo.close();
    }

    // A list run into the archive: the batch window given the demo list
    // preselects D.B.; at the end it closes and the browser opens on the results.
    bool fatto = true;
    quandoAperta(QStringLiteral("EleMrn"), [&](QWidget* elenco) {
        QTimer::singleShot(0, [&, elenco] {
            // The picture is taken while the run goes on.
            quandoAperta(QStringLiteral("EleMrn"), [&](QWidget* w) {
                QTimer::singleShot(
                    150, [&, w] { fatto = salva(w, uscita, QStringLiteral("elenco_mrn.png")) && fatto; });
            });
            QTest::mouseClick(elenco->findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);
        });
    });
    quandoAperta(QStringLiteral("EleMRNok"), [&](QWidget* archivio) {
        fatto = salva(archivio, uscita, QStringLiteral("archivio_mrn.png")) && fatto;
        archivio->close();
    });
    c.apri(qv::IdFinestra::EleMrn, &principale,
           QDir(argomenti.at(1)).filePath(QStringLiteral("ElencoMRN.txt")));

    // The demo workbook brought up to date: the picture once the run has
    // ended and its closing message is up, the summary in the window.
    quandoAperta(QStringLiteral("GesExcel"), [&](QWidget* excel) {
        QTimer::singleShot(0, [&, excel] {
            quandoAperta(QStringLiteral("QMessageBox"), [&, excel](QWidget* messaggio) {
                QTextStream(stdout)
                    << excel->findChild<QWidget*>(QStringLiteral("pctResult"))->property("text").toString()
                    << Qt::endl;
                fatto = salva(excel, uscita, QStringLiteral("excel.png")) && fatto;
                static_cast<QMessageBox*>(messaggio)->accept();
                QTimer::singleShot(0, excel, &QWidget::close);
            });
            QTest::mouseClick(excel->findChild<QPushButton*>(QStringLiteral("cmdM_1")), Qt::LeftButton);
        });
    });
    c.apri(qv::IdFinestra::GesExcel, &principale, QString());

    // The web enquiry's parameters, then pages of the single enquiry window:
    // shown in the page window, then printed on the PDF printer only.
    quandoAperta(QStringLiteral("GParHttp"), [&](QWidget* w) {
        fatto = salva(w, uscita, QStringLiteral("gparhttp.png")) && fatto;
        w->close();
    });
    c.apri(qv::IdFinestra::GParHttp, &principale);
    c.web.ContestoWeb = qv::ContestoSingoloElemento;
    quandoAperta(QStringLiteral("GWebPar"), [&](QWidget* w) {
        fatto = salva(w, uscita, QStringLiteral("gwebpar.png")) && fatto;
        w->close();
    });
    c.apri(qv::IdFinestra::GWebPar, &principale);
    fatto = paginePerSingolo(c, &principale, uscita) && fatto;
    principale.close();
    return fatto ? 0 : 1;
}
