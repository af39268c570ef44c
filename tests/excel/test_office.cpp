// .xls workbooks through LibreOffice: converted, updated, converted back
// and put in place with the original kept as ".bak"; without LibreOffice a
// message naming the package to install, and nothing touched.

#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/conversione_office.h"
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
            esito.fill(QString());
            titolo.fill(QString());
            if (mrn.endsWith(QLatin1Char('1')))
                esito[19] = QStringLiteral("01/02/2024");
            return 0;
        };
        return AggiornaFileExcel({file, QStringLiteral("Dati"), 1, 2}, cartella.path() + QLatin1Char('/'), interroga,
                                 esito, titolo, files, messaggi);
    }

    // soffice run by the test itself, with a profile of its own.
    bool converti(const QString& file, const QString& formato) {
        QProcess p;
        p.start(ProgrammaOffice(), {"-env:UserInstallation=" + QUrl::fromLocalFile(cartella.filePath("profilo")).toString(),
                                    "--headless", "--convert-to", formato, "--outdir", cartella.path(), file});
        return p.waitForFinished(180000) && p.exitCode() == 0;
    }

private slots:
    void senzaLibreOffice() {
        const QString p = cartella.filePath(QStringLiteral("vecchio.xls"));
        scriviFile(p, "not looked at");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", cartella.filePath(QStringLiteral("vuota")).toLocal8Bit());
        const RisultatoExcel r = aggiorna(p);
        qputenv("PATH", path);
        QCOMPARE(r.errore.codice, CodiceErroreExcel::LibreOfficeMancante);
        QVERIFY(MessaggioFineExcel(r).contains(QStringLiteral("installare il pacchetto libreoffice-calc-nogui")));
        QCOMPARE(leggiFile(p), QByteArray("not looked at"));
        QVERIFY(!QFile::exists(p + QStringLiteral(".bak")));
    }

    void xlsAggiornato() {
        if (ProgrammaOffice().isEmpty())
            QSKIP("LibreOffice (libreoffice-calc-nogui) is not installed");
        const QString xlsx = cartella.filePath(QStringLiteral("registro.xlsx"));
        QVERIFY(generaCartella(xlsx, "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\ntext 2 1 24IT000000000001E1\n"
                                     "text 3 1 24IT000000000002E5\ntext 4 1 24IT000000000003E1\n"));
        QVERIFY(converti(xlsx, QStringLiteral("xls")));
        QFile::remove(xlsx);
        const QString xls = cartella.filePath(QStringLiteral("registro.xls"));
        const QByteArray prima = leggiFile(xls);

        const RisultatoExcel r = aggiorna(xls);
        QCOMPARE(int(r.fine), int(FineExcel::Completato));
        QCOMPARE(r.conteggi, (std::array<qint64, 4>{1, 0, 0, 2}));
        QVERIFY(r.salvato);
        QCOMPARE(leggiFile(xls + QStringLiteral(".bak")), prima);

        QVERIFY(converti(xls, QStringLiteral("csv")));
        QCOMPARE(leggiFile(cartella.filePath(QStringLiteral("registro.csv"))),
                 QByteArray("MRN,STATO\n24IT000000000001E1,OK\n24IT000000000002E5,\n24IT000000000003E1,OK\n"));
    }
};

QTEST_GUILESS_MAIN(TestOffice)
#include "test_office.moc"
