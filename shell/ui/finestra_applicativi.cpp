#include "shell/ui/finestra_applicativi.h"

#include "shell/applicativi.h"
#include "shell/procedure_file.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace qv {

FinestraApplicativi::FinestraApplicativi(ContestoFinestre& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setObjectName(QStringLiteral("GesAppl"));
    setWindowTitle(QStringLiteral(" GESTIONE APPLICATIVI"));
    auto* layout = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Voce del menu"), this), 0, 1);
    griglia->addWidget(new QLabel(QStringLiteral("Programma, indirizzo WEB o di posta"), this), 0, 2);
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        RigaApplicativo& r = riga(n);
        griglia->addWidget(new QLabel(QString::number(n), this), n, 0);
        r.titolo = new QLineEdit(this);
        r.programma = new QLineEdit(this);
        r.cerca = new QPushButton(QStringLiteral("..."), this);
        // The designer's names: captions Txt_1..11, programs Txt_12..22.
        r.titolo->setObjectName(QStringLiteral("Txt_%1").arg(n));
        r.programma->setObjectName(QStringLiteral("Txt_%1").arg(n + kNumeroApplicativi));
        r.cerca->setObjectName(QStringLiteral("cmdTrova_%1").arg(n));
        r.cerca->setAutoDefault(false);
        r.cerca->setFocusPolicy(Qt::ClickFocus);
        r.titolo->setMaxLength(199);
        r.programma->setMaxLength(199);
        r.programma->setMinimumWidth(360);
        r.titolo->installEventFilter(this);
        r.programma->installEventFilter(this);
        griglia->addWidget(r.titolo, n, 1);
        griglia->addWidget(r.programma, n, 2);
        griglia->addWidget(r.cerca, n, 3);
        connect(r.cerca, &QPushButton::clicked, this, [this, n] { CercaProgramma(n); });
    }
    layout->addLayout(griglia);
    auto* pulsanti = new QHBoxLayout;
    auto pulsante = [&](const QString& testo, const char* nome) {
        auto* p = new QPushButton(testo, this);
        p->setObjectName(QLatin1String(nome));
        p->setAutoDefault(false);
        pulsanti->addWidget(p);
        return p;
    };
    uscita_ = pulsante(QStringLiteral("&USCITA"), "Command1_0");
    ripristina_ = pulsante(QStringLiteral("&RIPRISTINA"), "Command1_1");
    auto* conferma = pulsante(QStringLiteral("&CONFERMA"), "Command1_2");
    layout->addLayout(pulsanti);
    // Tab goes down the captions, then down the programs.
    for (int n = 1; n < kNumeroApplicativi; ++n)
        setTabOrder(riga(n).titolo, riga(n + 1).titolo);
    setTabOrder(riga(kNumeroApplicativi).titolo, riga(1).programma);
    for (int n = 1; n < kNumeroApplicativi; ++n)
        setTabOrder(riga(n).programma, riga(n + 1).programma);
    setTabOrder(riga(kNumeroApplicativi).programma, uscita_);
    connect(uscita_, &QPushButton::clicked, this, &QDialog::reject);
    connect(ripristina_, &QPushButton::clicked, this, &FinestraApplicativi::CaricaApplicativi);
    connect(conferma, &QPushButton::clicked, this, &FinestraApplicativi::conferma);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    CaricaApplicativi();
}

void FinestraApplicativi::CaricaApplicativi() {
    const QList<VoceApplicativo> righe = RigheApplicativi(contesto_.shell.FileIni);
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        const VoceApplicativo& v = righe[n - 1];
        riga(n).titolo->setText(v.titolo);
        riga(n).programma->setText(v.programma);
        riga(n).cerca->setEnabled(!v.programma.isEmpty());
        emit menuCambiato(n, v.titolo, v.visibile);
    }
}

bool FinestraApplicativi::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(oggetto);
    if (!campo) return QDialog::eventFilter(oggetto, evento);
    if (evento->type() == QEvent::FocusIn && !erroreInCorso_) {
        QTimer::singleShot(0, campo, [campo] { campo->setSelection(0, 110); });
    } else if (evento->type() == QEvent::FocusOut && !erroreInCorso_) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
        QWidget* verso = QApplication::focusWidget();
        // Leaving for the exit or the reload checks nothing: those lines are dropped anyway.
        const bool uscita = verso == uscita_ || verso == ripristina_;
        const bool dentro = r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
                            r == Qt::MouseFocusReason || r == Qt::OtherFocusReason;
        if (dentro && !uscita) {
            for (int n = 1; n <= kNumeroApplicativi; ++n) {
                if (campo == riga(n).titolo) riga(n).cerca->setEnabled(!campo->text().trimmed().isEmpty());
                if (campo == riga(n).programma) ControllaRiga(n);
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

int FinestraApplicativi::ControllaRiga(int n) {
    const int errore = qv::ControllaRiga(n, riga(n).titolo->text(), riga(n).programma->text(),
                                         [this](const QString& p) { return contesto_.esisteFile(p); });
    if (errore == 0) return 0;
    erroreInCorso_ = true;
    contesto_.messaggi.mostra(MessaggioErroreRiga(errore));
    QLineEdit* campo = errore <= kNumeroApplicativi ? riga(n).titolo : riga(n).programma;
    campo->setFocus();
    erroreInCorso_ = false;
    return errore;
}

void FinestraApplicativi::CercaProgramma(int n) {
    QString cartella = CartellaDi(riga(n).programma->text().trimmed());
    if (cartella.isEmpty()) {
        // "Programmi" at the root of the drive that holds the configuration file.
        const QStorageInfo disco(CartellaDi(contesto_.shell.FileIni));
        cartella =
            QDir(disco.isValid() ? disco.rootPath() : QDir::rootPath()).filePath(QStringLiteral("Programmi"));
    }
    if (!contesto_.sceltaProgramma) return;
    const QString scelto = contesto_.sceltaProgramma(this, cartella);
    if (!scelto.isEmpty()) riga(n).programma->setText(scelto);
}

void FinestraApplicativi::conferma() {
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        if (ControllaRiga(n) != 0) return;
    QList<VoceApplicativo> righe;
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        righe.append({riga(n).titolo->text().trimmed(), riga(n).programma->text().trimmed(),
                      !riga(n).titolo->text().trimmed().isEmpty()});
    SalvaApplicativi(contesto_.shell.FileIni, righe);
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        emit menuCambiato(n, righe[n - 1].titolo, righe[n - 1].visibile);
    accept();
}

} // namespace qv
