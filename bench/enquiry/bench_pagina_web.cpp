// bench_pagina_web: the page window loading a loopback page and printing it
// on the program's PDF printer, as a print-only context does (View 0).
//   bench_pagina_web [--rounds N]
// Against quorvan-demo-server started from this executable's folder; one
// export page per round. Prints the median and slowest of: loading only,
// loading and printing (with the file moved to its MRN name).

#include "enquiry/pagina_pdf.h"
#include "enquiry/stato_web.h"
#include "enquiry/ui/finestra_pagina_web.h"
#include "platform/pdf_printer.h"
#include "platform/web_engine.h"
#include "shell/messaggi.h"
#include "shell/ui/contesto_finestre.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

class NessunAvvio : public qv::Avviatore {
public:
    qint64 avviaProgramma(const QString&, const QString&, int) override { return 0; }
    bool apriIndirizzo(const QString&) override { return false; }
    qv::EsitoShell apriDocumento(const QString&, const QString&, const QString&, int) override { return {}; }
};

QString cifre(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    return QStringLiteral("median %1 ms, slowest %2 ms")
        .arg(ms.at(ms.size() / 2), 0, 'f', 1)
        .arg(ms.last(), 0, 'f', 1);
}

} // namespace

int main(int argc, char** argv) {
    qv::platform::prepareWebEngine();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList a = QCoreApplication::arguments();
    const int giri = std::max(1, a.contains(QStringLiteral("--rounds"))
                                     ? a.value(a.indexOf(QStringLiteral("--rounds")) + 1).toInt()
                                     : 20);

    QProcess server;
    server.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorvan-demo-server")),
                 {QStringLiteral("--port"), QStringLiteral("0")});
    if (!server.waitForStarted(10000) || !server.waitForReadyRead(10000)) {
        out << "quorvan-demo-server did not start" << Qt::endl;
        return 1;
    }
    const QString porta = QString::fromLatin1(server.readLine().trimmed().mid(5));
    const QString url = QStringLiteral("http://127.0.0.1:") + porta +
                        QStringLiteral("/ed/servizi/esportazione/export.htm?mrn=");

    QTemporaryDir cartella;
    qv::StatoShell shell;
    shell.FileIni = cartella.filePath(QStringLiteral("Quorvan.ini"));
    shell.cartellaProgramma = cartella.path();
    shell.stampa.StampanteCorrente = QString::fromLatin1(qv::NomeStampantePdf);
    qv::MessaggiRegistrati messaggi;
    NessunAvvio avvio;
    qv::ContestoFinestre finestre(shell, messaggi, avvio);
    finestre.preparaStampante = [&](QPrinter& p, const QString& documento) {
        return qv::platform::printToPdfFile(
            p, qv::FilePdfAutomatico(qv::LeggiImpostazioniPdf(shell.FileIni, shell.cartellaProgramma),
                                     documento));
    };
    qv::StatoWeb web;
    web.ContestoWeb = qv::ContestoSingoloElemento;

    for (int stampa : {0, 1}) {
        web.Opzioni[1].Print = stampa;
        QList<double> ms;
        for (int i = 0; i <= giri; ++i) {
            const QString mrn = QStringLiteral("24IT1234567890%1E1").arg(i % 10000, 4, 10, QLatin1Char('0'));
            QElapsedTimer t;
            t.start();
            {
                qv::FinestraPaginaWeb w(finestre, web);
                w.plUrl(url + mrn);
                w.plObject(mrn);
                w.plTipo(QStringLiteral("ex"));
                w.mostra();
            }
            if (i > 0) ms << t.nsecsElapsed() / 1e6; // the first round starts the browser
            if (stampa &&
                !QFile::exists(cartella.filePath(QStringLiteral("PDF/EX_") + mrn + QStringLiteral(".pdf")))) {
                out << "no PDF for " << mrn << Qt::endl;
                return 1;
            }
        }
        out << (stampa ? "load and print to PDF: " : "load only:             ") << cifre(ms) << " (" << giri
            << " rounds)" << Qt::endl;
    }
    server.terminate();
    server.waitForFinished(5000);
    return messaggi.mostrati().isEmpty() ? 0 : 1;
}
