#include "shell/ui/desktop.h"

#include "platform/desktop_programs.h"
#include "platform/printers.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>

#include <cstdlib>

namespace qv {

bool Desktop::esisteFile(const QString& percorso) const {
    return EsisteFile(messaggi, percorso);
}

QString Desktop::stampanteCorrente() const {
    if (!shell.stampa.StampanteCorrente.isEmpty()) return shell.stampa.StampanteCorrente;
    return stampantePredefinita ? stampantePredefinita() : QString();
}

void ImpostaPiattaforma(Desktop& d) {
    d.terminaProgramma = [&d](int codice) {
        if (d.fileAperti) d.fileAperti->ChiudiTutti();
        std::exit(codice);
    };
    d.stampantiInstallate = platform::installedPrinters;
    d.stampantePredefinita = platform::defaultPrinterName;
    d.sceltaStampante = platform::choosePrinter;
    d.preparaStampante = [&d](QPrinter& stampante) {
        platform::selectPrinter(stampante, d.stampanteCorrente());
    };
    d.sceltaProgramma = [](QWidget* sopra, const QString& cartella) {
        QFileDialog dialogo(sopra, QString(), cartella,
                            QStringLiteral("File eseguibile (*.EXE *.exe);;Tutti i file (*)"));
        dialogo.setDefaultSuffix(QStringLiteral("exe"));
        dialogo.setFileMode(QFileDialog::ExistingFile);
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };
    d.infoSistema = [] {
        const platform::SystemInfoLocation l = platform::systemInfoLocation();
        return QStringList{l.programPath, l.folder};
    };
}

} // namespace qv
