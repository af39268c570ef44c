// .xls workbooks through LibreOffice: converted, updated, converted back
// and put in place with the original kept as ".bak"; without LibreOffice a
// message naming the package to install, and nothing touched.

#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/conversione_office.h"
#include "archive/excel/stato_excel.h"
#include "cartelle_prova.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <array>

using namespace qv;

class TestOffice : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    std::array<QString, 20> esito;
    std::array<QString, 8> titolo;
    FileAperti files;
    MessaggiRegistrati messaggi;

    // Export MRNs ending in 1 have left; the others are pending.
    RisultatoExcel aggiorna(const QString& file) {
        const Interroga interroga = [this](const QString& mrn) {
            esito[19] = mrn.endsWith(QLatin1Char('1')) ? QStringLiteral("01/02/2024") : QString();
            return 0;
        };
        return AggiornaFileExcel({file, "Dati", 1, 2}, cartella.path() + '/', interroga, esito, titolo, files, messaggi);
    }

    bool converti(const QString& file, const QString& formato) { // with a profile of its own
        return esegue(ProgrammaOffice(), {"-env:UserInstallation=" + QUrl::fromLocalFile(cartella.filePath("profilo")).toString(),
                                          "--headless", "--convert-to", formato, "--outdir", cartella.path(), file});
    }

private slots:
    void senzaLibreOffice() {
        const QString p = cartella.filePath(QStringLiteral("vecchio.xls"));
        scriviFile(p, "not looked at");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", cartella.filePath(QStringLiteral("vuota")).toLocal8Bit());
        const RisultatoExcel r = aggiorna(p);
        qputenv("PATH", path);
        QVERIFY(MessaggioFineExcel(r).startsWith("Errore: 11 - Per i file .xls e .ods serve LibreOffice: installare il pacchetto libreoffice-calc-nogui"));
        QCOMPARE(leggiFile(p), QByteArray("not looked at"));
        QVERIFY(!QFile::exists(p + QStringLiteral(".bak")));
    }

    void xlsAggiornato() {
        if (ProgrammaOffice().isEmpty())
            QSKIP("LibreOffice (libreoffice-calc-nogui) is not installed");
        const QString xls = cartella.filePath(QStringLiteral("registro.xls"));
        QVERIFY(generaCartella(cartella.filePath(QStringLiteral("registro.xlsx")),
                               "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\ntext 2 1 24IT000000000001E1\n"
                               "text 3 1 24IT000000000002E5\ntext 4 1 24IT000000000003E1\n"));
        QVERIFY(converti(cartella.filePath(QStringLiteral("registro.xlsx")), QStringLiteral("xls")));
        const QByteArray prima = leggiFile(xls);
        const RisultatoExcel r = aggiorna(xls);
        QCOMPARE(RiepilogoExcel(r), TestoRiepilogoExcel(3, {1, 0, 0, 2}));
        QCOMPARE(leggiFile(xls + QStringLiteral(".bak")), prima);
        QVERIFY(converti(xls, QStringLiteral("csv")));
        QCOMPARE(leggiFile(cartella.filePath(QStringLiteral("registro.csv"))),
                 QByteArray("MRN,STATO\n24IT000000000001E1,OK\n24IT000000000002E5,\n24IT000000000003E1,OK\n"));
    }
};

QTEST_GUILESS_MAIN(TestOffice)
#include "test_office.moc"
