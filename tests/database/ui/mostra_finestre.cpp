// Shows a database window with sample content and saves its picture, for the
// documentation: qv_mostra_finestre_database nazioni|colori file.png
// (under Xvfb with QT_QPA_PLATFORM=xcb, or offscreen).

#include "banco_database.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/finestra_nazioni.h"

#include <QLineEdit>

using namespace qv;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 3 || (a[1] != "nazioni" && a[1] != "colori")) {
        qWarning("usage: qv_mostra_finestre_database nazioni|colori file.png");
        return 2;
    }
    prova::BancoDatabase b;
    std::unique_ptr<QDialog> w;
    if (a[1] == "nazioni") {
        w = std::make_unique<FinestraNazioni>(b.contesto, b.database);
        prova::Attiva(w.get());
        auto* codice = w->findChild<QLineEdit*>("Cod1");
        QTest::keyClicks(codice, "it");
        QTest::keyClick(codice, Qt::Key_Return);
    } else {
        w = std::make_unique<FinestraColori>(b.contesto, b.database, "Colori stato MRN", 1500, 1500,
                                             "IN SOSPESO,CANCELLATI,ERRATI,CONCLUSI,");
        prova::Attiva(w.get());
    }
    QTest::qWait(200);
    return w->grab().save(a[2]) ? 0 : 1;
}
