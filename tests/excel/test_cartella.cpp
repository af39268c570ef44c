// The workbook layer: cells read from workbooks written by libxlsxwriter,
// words written and read back by openpyxl with nothing else changed, and
// each kind of bad workbook refused with its error and left as it was.

#include "archive/excel/cartella_excel.h"
#include "cartelle_prova.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

namespace {

// Two sheets, shared strings, styles, a formula, a rich string, widths, a
// comment, a chart and a defined name; rows 1-3 and 6 of "Dati" (4 and 5
// missing), column D the last used one.
const QByteArray kBase = "sheet Dati\n"
                         "width 1 24\nwidth 3 12\n"
                         "bold 1 1 MRN\nbold 1 3 STATO\n"
                         "text 2 1 24IT000000000001E1\nnumber 2 2 17\nblank 2 3\ntext 2 4 nota\n"
                         "text 3 1 24IT000000000002E2\nformula 3 2 =B2*2\nrich 3 4 primo|secondo\n"
                         "number 6 1 123456\nformula 6 5 =\"  \"|  \n"
                         "comment 2 1 controllare\nchart\n"
                         "sheet Altro\ntext 1 1 24IT000000000001E1\nformula 1 2 =Dati!B2\n"
                         "name Totale =Dati!$B$2\n";

} // namespace

class TestCartella : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    QString python;

    QString base(const QString& nome) {
        const QString p = cartella.filePath(nome);
        QFile::remove(p);
        return generaCartella(p, kBase) ? p : QString();
    }

private slots:
    void initTestCase() { python = pythonConOpenpyxl(); }

    void lettura() {
        const QString p = base(QStringLiteral("lettura.xlsx"));
        QVERIFY(!p.isEmpty());
        ErroreExcel e;
        auto c = CartellaExcel::apri(p, CartellaExcel::Modo::Lettura, e);
        QVERIFY2(c, qPrintable(e.descrizione));
        QCOMPARE(c->fogli(), QStringList({"Dati", "Altro"}));
        FoglioExcel* f = c->foglio(QStringLiteral("dati"), e); // any case, as Excel
        QVERIFY(f);
        QCOMPARE(f->testo(2, 1), QStringLiteral("24IT000000000001E1"));
        QCOMPARE(f->testo(2, 2), QStringLiteral("17"));
        QCOMPARE(f->testo(3, 4), QStringLiteral("primosecondo"));
        QCOMPARE(f->testo(3, 2), QStringLiteral("0")); // the cached result libxlsxwriter stores
        QVERIFY(f->haFormula(3, 2));
        QVERIFY(!f->vuota(3, 2));
        QVERIFY(f->vuota(2, 3));   // styled, no value
        QVERIFY(f->vuota(4, 1));   // missing row
        QVERIFY(f->vuota(2, 9));   // missing cell
        QCOMPARE(f->testo(6, 1), QStringLiteral("123456"));
        QCOMPARE(f->ultimaRiga(), qint64(6));
    }

    void scrittura_data() {
        QTest::addColumn<int>("riga");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("atteso"); // openpyxl's line for the cell
        QTest::newRow("styled blank cell keeps bold and fill") << 2 << 3 << "'OK'|True|FFFFFF00";
        QTest::newRow("cell past the last used column") << 3 << 7 << "'DEL'|False|00000000";
        QTest::newRow("cell before others in its row") << 6 << 1 << "'ERR'|False|00000000";
        QTest::newRow("row missing between two rows") << 4 << 3 << "'OK'|False|00000000";
        QTest::newRow("row after the last") << 9 << 2 << "'OK'|False|00000000";
    }
    void scrittura() {
        QFETCH(int, riga);
        QFETCH(int, colonna);
        QFETCH(QString, atteso);
        if (python.isEmpty())
            QSKIP("python3-openpyxl is not installed");
        const QString p = base(QStringLiteral("scrittura.xlsx"));
        const QMap<QString, QString> prima = leggiCartella(python, p);
        QVERIFY(!prima.contains(QStringLiteral("error")));
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const QFile::Permissions permessi = QFile::permissions(p);
        ErroreExcel e;
        {
            auto c = CartellaExcel::apri(p, CartellaExcel::Modo::Scrittura, e);
            QVERIFY(c);
            FoglioExcel* f = c->foglio(QStringLiteral("Dati"), e);
            f->scrivi(riga, colonna, atteso.section(QLatin1Char('\''), 1, 1));
            QVERIFY(!c->salva());
            QCOMPARE(f->testo(riga, colonna), atteso.section(QLatin1Char('\''), 1, 1));
        }
        // A text of blanks elsewhere in the sheet survives its rewriting.
        auto c = CartellaExcel::apri(p, CartellaExcel::Modo::Lettura, e);
        QCOMPARE(c->foglio(QStringLiteral("Dati"), e)->testo(6, 5), QStringLiteral("  "));
        const QMap<QString, QString> dopo = leggiCartella(python, p);
        const QString chiave = QStringLiteral("Dati!") + LettereColonna(colonna) + QString::number(riga);
        QCOMPARE(dopo.value(chiave), atteso);
        // Only that cell and the sheet's own part changed; the other parts
        // (other sheet, strings, styles, comments, chart, names) are the same bytes.
        QCOMPARE(differenze(prima, dopo), QStringList({chiave, "zip:xl/worksheets/sheet1.xml"}));
        QCOMPARE(QFile::permissions(p), permessi);
        QVERIFY(QDir(cartella.path()).entryList({QStringLiteral(".~quorvan*")}, QDir::Hidden | QDir::Files).isEmpty());
    }

    void cartelleErrate_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("foglio");
        QTest::addColumn<int>("codice");
        QTest::newRow("text file") << QByteArray("24IT000000000001E1\r\n") << "Dati" << int(CodiceErroreExcel::NonCartella);
        QTest::newRow("empty file") << QByteArray() << "Dati" << int(CodiceErroreExcel::NonCartella);
        QTest::newRow("encrypted (OLE)") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0')
                                         << "Dati" << int(CodiceErroreExcel::ProtettaPassword);
        QTest::newRow("truncated") << QByteArray("<half>") << "Dati" << int(CodiceErroreExcel::NonCartella);
        QTest::newRow("zip without a workbook") << QByteArray("<zip:docProps/app.xml>") << "Dati"
                                                << int(CodiceErroreExcel::NonCartella);
        QTest::newRow("malformed sheet") << QByteArray("<sheet:<worksheet><sheetData><row r=\"1\"><c>>") << "Dati"
                                         << int(CodiceErroreExcel::ParteDanneggiata);
        QTest::newRow("rows out of order") << QByteArray("<sheet:<worksheet><sheetData><row r=\"3\"/><row r=\"2\"/></sheetData></worksheet>>")
                                           << "Dati" << int(CodiceErroreExcel::ParteDanneggiata);
        QTest::newRow("missing sheet") << QByteArray("<base>") << "Mancante" << int(CodiceErroreExcel::FoglioMancante);
        QTest::newRow("read-only file") << QByteArray("<readonly>") << "Dati" << int(CodiceErroreExcel::SolaLettura);
    }
    void cartelleErrate() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, foglio);
        QFETCH(int, codice);
        const QString p = base(QStringLiteral("errata.xlsx"));
        QVERIFY(!p.isEmpty());
        if (contenuto == "<half>") {
            const QByteArray tutto = leggiFile(p);
            scriviFile(p, tutto.left(tutto.size() / 2));
        } else if (contenuto == "<readonly>") {
            QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadUser);
        } else if (contenuto.startsWith("<zip:") || contenuto.startsWith("<sheet:")) {
            // The package rewritten by Python's zipfile: one entry only, or
            // the first sheet replaced.
            const bool soloUna = contenuto.startsWith("<zip:");
            const QByteArray valore = contenuto.mid(soloUna ? 5 : 7).chopped(1);
            QProcess q;
            q.start(python.isEmpty() ? QStringLiteral("python3") : python,
                    {"-c", "import sys, zipfile\n"
                           "with zipfile.ZipFile(sys.argv[1]) as z: data = {i.filename: z.read(i) for i in z.infolist()}\n"
                           "if sys.argv[3] == '1': data = {sys.argv[2]: data[sys.argv[2]]}\n"
                           "else: data['xl/worksheets/sheet1.xml'] = sys.argv[2].encode()\n"
                           "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                           "    [z.writestr(k, v) for k, v in data.items()]\n",
                     p, QString::fromUtf8(valore), soloUna ? "1" : "0"});
            QVERIFY(q.waitForFinished(30000) && q.exitCode() == 0);
        } else if (!contenuto.startsWith('<')) {
            scriviFile(p, contenuto);
        }
        const QByteArray prima = leggiFile(p);
        ErroreExcel e;
        auto c = CartellaExcel::apri(p, CartellaExcel::Modo::Scrittura, e);
        if (c && !c->foglio(foglio, e))
            c.reset();
        QVERIFY(!c);
        QCOMPARE(e.numero(), codice);
        QVERIFY(TestoErroreExcel(e).startsWith(QStringLiteral("Errore: ") + QString::number(codice) + " - "));
        QCOMPARE(leggiFile(p), prima);
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner);
    }

    void fileMancante() {
        ErroreExcel e;
        QVERIFY(!CartellaExcel::apri(cartella.filePath(QStringLiteral("nessuno.xlsx")), CartellaExcel::Modo::Lettura, e));
        QCOMPARE(e.codice, CodiceErroreExcel::FileMancante);
    }

    void fileDiBlocco_data() {
        QTest::addColumn<QString>("blocco");
        QTest::newRow("Excel") << "~$mese_corrente.xlsx";
        QTest::newRow("Excel, long name") << "~$se_corrente.xlsx";
        QTest::newRow("LibreOffice") << ".~lock.mese_corrente.xlsx#";
    }
    void fileDiBlocco() {
        QFETCH(QString, blocco);
        const QString p = cartella.filePath(QStringLiteral("mese_corrente.xlsx"));
        QCOMPARE(FileBloccoCartella(p), QString());
        scriviFile(cartella.filePath(blocco), "utente");
        QCOMPARE(FileBloccoCartella(p), cartella.filePath(blocco));
        QFile::remove(cartella.filePath(blocco));
    }
};

QTEST_GUILESS_MAIN(TestCartella)
#include "test_cartella.moc"
