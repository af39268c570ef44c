#include "app/programma_desktop.h"

#include "app/registro_finestre.h"
#include "enquiry/pagina_pdf.h"
#include "platform/desktop_programs.h"
#include "platform/pdf_printer.h"
#include "platform/printers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrinter>

#include <cstdlib>

namespace qv {

void ImpostaPiattaforma(ContestoDesktop& c) {
    ContestoFinestre& f = c.finestre;
    f.terminaProgramma = [&c](int codice) {
        c.fileAperti.ChiudiTutti();
        std::exit(codice);
    };
    // The program's own PDF printer is listed beside the installed ones.
    f.stampantiInstallate = [] {
        return platform::installedPrinters() << QString::fromLatin1(NomeStampantePdf);
    };
    f.stampantePredefinita = platform::defaultPrinterName;
    f.sceltaStampante = platform::choosePrinter;
    f.preparaStampante = [&c](QPrinter& stampante, const QString& documento) {
        const QString corrente = c.finestre.stampanteCorrente();
        if (corrente.compare(QLatin1String(NomeStampantePdf), Qt::CaseInsensitive) != 0) {
            platform::selectPrinter(stampante, corrente);
            return true;
        }
        const ImpostazioniPdf pdf = LeggiImpostazioniPdf(c.shell.FileIni, c.shell.cartellaProgramma);
        QString file = FilePdfAutomatico(pdf, documento);
        if (file.isEmpty()) {
            QDir().mkpath(pdf.AutosaveDirectory);
            file = platform::askPdfFileName(QApplication::activeWindow(),
                                            pdf.AutosaveDirectory + QLatin1Char('/') +
                                                TitoloComeNomeFile(documento) + QStringLiteral(".pdf"));
        }
        return !file.isEmpty() && platform::printToPdfFile(stampante, file);
    };
    f.sceltaProgramma = [](QWidget* sopra, const QString& cartella) {
        QFileDialog dialogo(sopra, QString(), cartella,
                            QStringLiteral("File eseguibile (*.EXE *.exe);;Tutti i file (*)"));
        dialogo.setDefaultSuffix(QStringLiteral("exe"));
        dialogo.setFileMode(QFileDialog::ExistingFile);
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };
    f.infoSistema = [] {
        const platform::SystemInfoLocation l = platform::systemInfoLocation();
        return QStringList{l.programPath, l.folder};
    };
    c.database.InizioAttesa = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
    c.database.FineAttesa = [] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
}

ProgrammaDesktop::ProgrammaDesktop(const QString& cartella)
    : contesto_(cartella, messaggi_, avviatore_, &http_, &apriDocumento_), filtro_(contesto_.finestre),
      principale_(contesto_) {
    ImpostaPiattaforma(contesto_);
    RegistraFinestre(contesto_);
}

bool ProgrammaDesktop::avvia() {
    if (!principale_.avvia()) return false;
    http_.setTimeoutMs(contesto_.web.SecondiAttesa * 1000);
    return true;
}

} // namespace qv
