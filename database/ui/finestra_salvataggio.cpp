#include "database/ui/finestra_salvataggio.h"

#include "database/file_database.h"
#include "database/salva_ark.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/registro_manutenzione.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace qv {

namespace {

QString dialogoFile(QWidget* sopra, const QString& titolo, const QString& proposto, bool esistente) {
    QFileDialog dialogo(sopra, titolo, QString(), QStringLiteral("Tutti i file (*);;DataBase (*.mdb *.MDB)"));
    dialogo.setFileMode(esistente ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialogo.selectFile(proposto);
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

} // namespace

FinestraSalvataggio::FinestraSalvataggio(ContestoFinestre& contesto, StatoDatabase& database, Modo modo,
                                         QWidget* parent)
    : QDialog(parent), sceltaFile(dialogoFile), contesto_(contesto), database_(database), modo_(modo) {
    const bool salva = modo_ == Modo::Salva;
    setObjectName(salva ? QStringLiteral("SalvaArk") : QStringLiteral("RestoreArk"));
    setWindowTitle(salva ? QStringLiteral("SALVATAGGIO ARCHIVI")
                         : QStringLiteral("RIPRISTINO ARCHIVI DA SALVATAGGIO"));
    auto* griglia = new QGridLayout(this);
    griglia->addWidget(
        new QLabel(salva ? QStringLiteral("SALVATAGGIO ARCHIVI ") : QStringLiteral("RIPRISTINO ARCHIVI "),
                   this),
        0, 0);
    griglia->addWidget(new QLabel(salva ? QStringLiteral("su") : QStringLiteral("da"), this), 1, 0);
    for (int i = 0; i < 2; ++i) {
        file_[i] = new QLabel(this);
        file_[i]->setObjectName(QStringLiteral("LbFile_%1").arg(i));
        file_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        file_[i]->setAutoFillBackground(true);
        file_[i]->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(60, QLatin1Char('x'))));
        file_[i]->setCursor(Qt::PointingHandCursor);
        file_[i]->installEventFilter(this);
        // The save reads "archives <working file> on <saved file>", the restore
        // "archives <working file> from <saved file>": the working file first.
        griglia->addWidget(file_[i], salva ? i : 1 - i, 1);
    }
    const QString cartella = contesto_.shell.cartellaProgramma;
    lavoro_ = database_.FileDataBase.isEmpty() ? PercorsoDataBase(cartella) : database_.FileDataBase;
    file_[salva ? 0 : 1]->setText(lavoro_);
    file_[salva ? 1 : 0]->setText(FileSalvataggio(cartella));
    if (!salva) {
        data_ = new QLabel(this);
        data_->setObjectName(QStringLiteral("Lbdata"));
        ora_ = new QLabel(this);
        ora_->setObjectName(QStringLiteral("Lbora"));
        auto* riga = new QHBoxLayout;
        riga->addWidget(new QLabel(QStringLiteral("Data del file salvato"), this));
        riga->addWidget(data_);
        riga->addWidget(new QLabel(QStringLiteral("ore"), this));
        riga->addWidget(ora_);
        riga->addStretch();
        griglia->addLayout(riga, 2, 0, 1, 2);
    }
    pulsanteConferma_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    pulsanteFloppy_ = new QPushButton(QStringLiteral("&FLOPPY"), this);
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    int n = 0;
    for (QPushButton* b : {pulsanteConferma_, pulsanteFloppy_, pulsanteUscita_})
        b->setObjectName(QStringLiteral("cmdM_%1").arg(n++));
    griglia->addLayout(RigaPulsanti({pulsanteConferma_, pulsanteFloppy_, pulsanteUscita_}), 3, 0, 1, 2);
    connect(pulsanteConferma_, &QPushButton::clicked, this, &FinestraSalvataggio::conferma);
    connect(pulsanteFloppy_, &QPushButton::clicked, this, &FinestraSalvataggio::floppy);
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    if (!salva) {
        const DataSalvataggio d = DataFileSalvato(file_[0]->text());
        data_->setText(d.data);
        ora_->setText(d.ora);
        pulsanteConferma_->setEnabled(d.esiste);
        pulsanteFloppy_->setEnabled(d.esiste);
    }
}

void FinestraSalvataggio::done(int esito) {
    SalvaFinestra(this, contesto_, false);
    QDialog::done(esito);
}

void FinestraSalvataggio::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (modo_ == Modo::Salva) PreparaCartellaSalvataggi(contesto_.shell.cartellaProgramma);
}

bool FinestraSalvataggio::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 2; ++i) {
            if (oggetto != file_[i]) continue;
            // Only the save's destination may be a file that does not exist yet.
            const QString scelto = sceltaFile(this,
                                              modo_ == Modo::Salva ? QStringLiteral("SALVATAGGIO ARCHIVI")
                                                                   : QStringLiteral("RIPRISTINO ARCHIVI"),
                                              file_[i]->text(), !(modo_ == Modo::Salva && i == 1));
            if (!scelto.isEmpty()) file_[i]->setText(scelto);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraSalvataggio::coloraOrigine(quint32 rgb) {
    QPalette p = file_[0]->palette();
    p.setColor(QPalette::Window, ColoreDaRgb(qint32(rgb)));
    file_[0]->setPalette(p);
    file_[0]->repaint();
}

void FinestraSalvataggio::conferma() {
    const QString origine = file_[0]->text();
    const QString destinazione = file_[1]->text();
    const bool salva = modo_ == Modo::Salva;
    const auto copia = [&] {
        return salva ? SalvaArchivio(database_, contesto_.messaggi, origine, destinazione)
                     : RipristinaArchivio(database_, contesto_.messaggi, origine, destinazione);
    };
    // A missing source or a file that is no archive: refused with its message, no colour.
    if (salva ? !QFileInfo::exists(origine) : !ControllaArchivioSalvato(origine).isEmpty()) {
        copia();
        return;
    }
    coloraOrigine(kEtichettaInCopia);
    QCoreApplication::processEvents();
    copia();
    coloraOrigine(kEtichettaCopiata);
}

void FinestraSalvataggio::floppy() {
    AvviaProgrammaBackup(contesto_.messaggi, contesto_.avviatore, contesto_.shell.FileIni,
                         contesto_.shell.cartellaProgramma, modo_ == Modo::Salva ? lavoro_ : QString());
}

} // namespace qv
