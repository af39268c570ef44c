#include "database/ui/registro_manutenzione.h"

#include "database/ui/finestra_colori.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace qv {

QListWidget* CreaRegistro(QWidget* finestra) {
    auto* registro = new QListWidget(finestra);
    registro->setObjectName(QStringLiteral("List1"));
    registro->setMinimumSize(QFontMetrics(registro->font()).horizontalAdvance(QString(70, QLatin1Char('x'))),
                             QFontMetrics(registro->font()).height() * 12);
    return registro;
}

UscitaAggiornamento UscitaSuRegistro(QListWidget* registro) {
    UscitaAggiornamento u;
    u.riga = [registro](const QString& testo) {
        registro->addItem(testo);
        registro->scrollToBottom();
        QCoreApplication::processEvents();
    };
    u.sfondo = [registro](quint32 colore) {
        QPalette p = registro->palette();
        p.setColor(QPalette::Base, ColoreDaRgb(qint32(colore)));
        registro->setPalette(p);
        registro->repaint();
    };
    u.eventi = [] { QCoreApplication::processEvents(); };
    return u;
}

QString ScegliDataBase(QWidget* sopra, const QString& titolo) {
    QFileDialog dialogo(sopra, titolo, QString(), QStringLiteral("File di Access (*.MDB *.mdb)"));
    dialogo.setDefaultSuffix(QStringLiteral("mdb"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.selectFile(QStringLiteral("*.mdb"));
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

bool SceltaConF4(QObject* oggetto, QEvent* evento, QWidget* finestra, const SceltaDataBase& scelta,
                 const QString& titolo) {
    auto* campo = qobject_cast<QLineEdit*>(oggetto);
    if (!campo || evento->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(evento)->key() != Qt::Key_F4)
        return false;
    const QString scelto = scelta(finestra, titolo);
    if (!scelto.isEmpty()) campo->setText(scelto);
    return true;
}

QHBoxLayout* RigaPulsanti(std::initializer_list<QPushButton*> pulsanti) {
    auto* riga = new QHBoxLayout;
    riga->addStretch();
    for (QPushButton* b : pulsanti) {
        b->setAutoDefault(false);
        riga->addWidget(b);
    }
    return riga;
}

} // namespace qv
