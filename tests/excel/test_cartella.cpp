// The workbook layer on workbooks written by libxlsxwriter and read back by openpyxl.

#include "archive/excel/cartella_excel.h"
#include "cartelle_prova.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qv;

// Two sheets, shared strings, styles, formulas, a rich string, widths, a
// comment, a chart and a defined name; rows 4 and 5 of "Dati" missing.
static const QByteArray kBase =
    "sheet Dati\nwidth 1 24\nwidth 3 12\nbold 1 1 MRN\nbold 1 3 STATO\n"
    "text 2 1 24IT000000000001E1\nnumber 2 2 17\nblank 2 3\ntext 2 4 nota\n"
    "text 3 1 24IT000000000002E2\nformula 3 2 =B2*2\nrich 3 4 primo|secondo\n"
    "number 6 1 123456\nformula 6 5 =\"  \"|  \ncomment 2 1 controllare\nchart\n"
    "sheet Altro\ntext 1 1 24IT000000000001E1\nformula 1 2 =Dati!B2\nname Totale =Dati!$B$2\n";

class TestCartella : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;

    static std::unique_ptr<CartellaExcel> apri(const QString& p, ErroreExcel& e, bool scrittura = false) {
        return CartellaExcel::apri(
            p, scrittura ? CartellaExcel::Modo::Scrittura : CartellaExcel::Modo::Lettura, e);
    }

private slots:
    // Every kind of value read; then written into a styled blank cell, past the last used column, over a
    // number before others in its row, into a missing row between two rows and into one after the last.
    void letturaScrittura() {
        const QString p = cartella.filePath("base.xlsx");
        QVERIFY(generaCartella(p, kBase));
        const QString prima = copiaPrima(p);
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const QFile::Permissions permessi = QFile::permissions(p);
        ErroreExcel e;
        auto c = apri(p, e, true);
        QVERIFY2(c, qPrintable(e.descrizione));
        QCOMPARE(c->fogli(), QStringList({"Dati", "Altro"}));
        FoglioExcel* f = c->foglio("dati", e); // any case, as Excel
        QVERIFY(f);
        // 3,2: the cached result libxlsxwriter stores for a formula.
        QCOMPARE(QStringList({f->testo(2, 1), f->testo(2, 2), f->testo(3, 4), f->testo(3, 2)}),
                 QStringList({"24IT000000000001E1", "17", "primosecondo", "0"}));
        QVERIFY(f->haFormula(3, 2) && !f->vuota(3, 2));
        QVERIFY(f->vuota(2, 3) && f->vuota(4, 1) && f->vuota(2, 9)); // styled blank, no row, no cell
        QCOMPARE(f->ultimaRiga(), qint64(6));
        if (!haOpenpyxl()) QSKIP("python3-openpyxl is not installed");
        f->scrivi(2, 3, "OK");
        f->scrivi(3, 7, "DEL");
        f->scrivi(4, 3, "OK");
        f->scrivi(6, 1, "ERR");
        f->scrivi(9, 2, "OK");
        QVERIFY(!c->salva());
        // Only those cells (the blank one keeps bold and fill) and their sheet's entry changed: the
        // other sheet, strings, styles, comment, chart, names and widths are as they were.
        const QString semplice = "|False|00000000";
        QCOMPARE(differenze(prima, p),
                 QStringList({"Dati!A6='ERR'" + semplice, "Dati!B9='OK'" + semplice,
                              "Dati!C2='OK'|True|FFFFFF00", "Dati!C4='OK'" + semplice,
                              "Dati!G3='DEL'" + semplice, "zip:xl/worksheets/sheet1.xml"}));
        QCOMPARE(QFile::permissions(p), permessi);
        QCOMPARE(QDir(cartella.path()).entryList({".~quorvan*"}, QDir::Hidden | QDir::Files), QStringList());
        // A text of blanks elsewhere in the sheet survives its rewriting.
        const auto dopo = apri(p, e);
        QVERIFY2(dopo && dopo->foglio("Dati", e), qPrintable(e.descrizione));
        QCOMPARE(dopo->foglio("Dati", e)->testo(6, 5), QStringLiteral("  "));
    }

    // "sheet XML" and "workbook XML" replace that part, "only ENTRY" keeps
    // that entry alone (through Python's zipfile); "=BYTES" is the whole file.
    void cartelleErrate_data() {
        QTest::addColumn<QByteArray>("caso");
        QTest::addColumn<CodiceErroreExcel>("codice");
        using C = CodiceErroreExcel;
        // clang-format off
        QTest::newRow("missing file") << QByteArray("missing") << C::FileMancante;
        QTest::newRow("text file") << QByteArray("=24IT000000000001E1\r\n") << C::NonCartella;
        QTest::newRow("encrypted (OLE)") << "=" + QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, 0) << C::ProtettaPassword;
        QTest::newRow("zip without a workbook") << QByteArray("only docProps/app.xml") << C::NonCartella;
        QTest::newRow("malformed sheet") << QByteArray("sheet <worksheet><sheetData><row r=\"1\"><c>") << C::ParteDanneggiata;
        QTest::newRow("rows out of order") << QByteArray("sheet <worksheet><sheetData><row r=\"3\"/><row r=\"2\"/></sheetData></worksheet>") << C::ParteDanneggiata;
        QTest::newRow("two sheets on one part (fuzz_cartella)") << QByteArray("workbook <workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet name=\"Dati\" r:id=\"rId1\"/><sheet name=\"Copia\" r:id=\"rId1\"/></sheets></workbook>") << C::ParteDanneggiata;
        // Opens; MWLQKWX is column 2^32 + 2, which an overflowing column number would make B.
        QTest::newRow("column letters past XFD (fuzz_cartella)") << QByteArray("sheet <worksheet><sheetData><row r=\"1\"><c r=\"MWLQKWX1\"><v>7</v></c></row></sheetData></worksheet>") << C::Nessuno;
        // Opens; a status written over the damaged cell must read back, not the "t" left behind.
        QTest::newRow("cell repeating its type (fuzz_cartella)") << QByteArray("sheet <worksheet><sheetData><row r=\"1\"><c r=\"B1\" t=\"s\" t=\"s\"/></row></sheetData></worksheet>") << C::Nessuno;
        QTest::newRow("read-only file") << QByteArray("read-only") << C::SolaLettura;
        // clang-format on
    }
    void cartelleErrate() {
        QFETCH(QByteArray, caso);
        QFETCH(CodiceErroreExcel, codice);
        const QString p = cartella.filePath("errata.xlsx");
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(generaCartella(p, kBase));
        if (caso == "missing")
            QFile::remove(p);
        else if (caso.startsWith('='))
            scriviFile(p, caso.mid(1));
        else if (caso == "read-only")
            QFile::setPermissions(p, QFile::ReadOwner);
        else
            QVERIFY(esegue(
                kPython,
                {"-c",
                 "import sys, zipfile\n"
                 "with zipfile.ZipFile(sys.argv[1]) as z: d = {i.filename: z.read(i) for i in z.infolist()}\n"
                 "k, v = sys.argv[2].split(' ', 1)\n"
                 "d = {v: d[v]} if k == 'only' else {**d, f'xl/{\"worksheets/sheet1\" if k == \"sheet\" else "
                 "k}.xml': v.encode()}\n"
                 "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z: [z.writestr(*i) for i "
                 "in d.items()]\n",
                 p, QString::fromUtf8(caso)}));
        const QByteArray prima = leggiFile(p);
        ErroreExcel e;
        auto c = apri(p, e, true);
        FoglioExcel* f = c ? c->foglio("Dati", e) : nullptr;
        QCOMPARE(e.codice, codice);
        QCOMPARE(f != nullptr, codice == CodiceErroreExcel::Nessuno);
        if (f) {
            QCOMPARE(f->testo(1, 2), QString());
            f->scrivi(1, 2, QStringLiteral("OK"));
            QCOMPARE(f->testo(1, 2), QStringLiteral("OK"));
        }
        QCOMPARE(leggiFile(p), prima);
    }
};

QTEST_GUILESS_MAIN(TestCartella)
#include "test_cartella.moc"
