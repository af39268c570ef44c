// The configuration file: reading, writing, value conversions and the nation list.

#include "file_prova.h"
#include "platform/day_number.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"

#include <QDir>
#include <QTemporaryDir>

using namespace qv;

// The program's users' locale: "," decimals, "." thousands.
static const bool italiano = qputenv("LC_ALL", "it_IT.UTF-8");

class TestFileIni : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("Quorvan.ini"); }

private slots:
    void reading_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file at all; key K of section S is read
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QByteArray() << "";
        QTest::newRow("blanks around") << QByteArray("[S]\r\nK =   a b  |x\r\n") << "a b";
        QTest::newRow("names without case") << QByteArray("[s]\r\nk=12\r\n") << "12";
        QTest::newRow("key of other section") << QByteArray("[S]\r\nJ=1\r\n[B]\r\nK=2\r\n") << "";
        QTest::newRow("first of duplicates") << QByteArray("[S]\r\nK=1\r\nK=2\r\n") << "1";
        QTest::newRow("CR-only line ends") << QByteArray("[S]\rK=cr\r") << "cr";
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[S]\r\nK=citt\xC3\xA0\r\n") << QString::fromUtf8("città");
        QTest::newRow("ANSI text") << QByteArray("[S]\r\nK=citt\xE0 \x80\r\n") << QString::fromUtf8("città €");
        QTest::newRow("garbage lines") << QByteArray("\x01\x02 x\r\n=novalue\r\n[S\r\n;K=no\r\nK=in broken header\r\n") << "in broken header";
        QTest::newRow("equals in value") << QByteArray("[S]\r\nK=a=b\r\n") << "a=b";
        QTest::newRow("cut at 199") << "[S]\r\nK=" + QByteArray(250, 'x') + "\r\n" << QString(199, 'x');
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QFile::remove(path());
        if (!file.isNull()) scriviFile(path(), file);
        QCOMPARE(LeggiIni(path(), "S", "K"), expected);
        QCOMPARE(QFile::exists(path()), !file.isNull()); // reading never creates the file
    }

    void writing_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file yet
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("file made") << QByteArray() << "STARTUP" << "POSX" << "100" << QByteArray("[STARTUP]\r\nPOSX=100\r\n");
        QTest::newRow("replaced in place, other lines kept") << QByteArray(";t\r\n[A]\r\nu=1 | n\r\n\r\n;c\r\ndue=2\r\n[B]\r\n") << "a" << "DUE"
                                                            << "22" << QByteArray(";t\r\n[A]\r\nu=1 | n\r\n\r\n;c\r\nDUE=22\r\n[B]\r\n");
        QTest::newRow("added after the last key") << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\nt=3\r\n") << "A" << "y" << "2" << QByteArray("[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nt=3\r\n");
        QTest::newRow("BOM kept, UTF-8 written") << QByteArray("\xEF\xBB\xBF[A]\r\nx=1\r\n") << "A" << "y" << QString::fromUtf8("però")
                                                 << QByteArray("\xEF\xBB\xBF[A]\r\nx=1\r\ny=per\xC3\xB2\r\n");
        QTest::newRow("line breaks flattened") << QByteArray() << "A" << "K" << "uno\r\n[B]\r\nX=due" << QByteArray("[A]\r\nK=uno  [B]  X=due\r\n");
    }
    void writing() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QFile::remove(path());
        if (!before.isNull()) scriviFile(path(), before);
        ScriviIni(path(), section, key, value);
        QCOMPARE(leggiFile(path()), after);
        QCOMPARE(LeggiIni(path(), section, key), QString(value).replace('\r', ' ').replace('\n', ' '));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Quorvan.ini"}); // no temporary left
    }

    void writeToUnwritablePlaceIsSilent() {
        ScriviIni(dir.filePath("no/such/x.ini"), "A", "K", "v");
        QVERIFY(!QFile::exists(dir.filePath("no/such/x.ini")));
    }

    void valoreNumerico_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("null") << QString() << 0.0;
        QTest::newRow("blanks around") << " -7 " << -7.0;
        QTest::newRow("hex") << "&H10" << 16.0;
        QTest::newRow("date with time") << "01/02/2006 12:00" << platform::dayNumber(QDate(2006, 2, 1)) + 0.5;
        QTest::newRow("not a date") << "99/99/9999" << 0.0;
        QTest::newRow("point decimals as written (fuzz_ini)") << "0.001" << 0.001;
        QTest::newRow("comma decimals as typed") << "1,5" << 1.5;
    }
    void valoreNumerico() {
        QFETCH(QString, value);
        QFETCH(double, expected);
        QCOMPARE(ValoreNumerico(value), expected);
    }

    void valoreTestoAndNumbersReadBack() {
        // Not trimmed; blank or NUL-led text takes the default; a blank default is one blank.
        QCOMPARE(QStringList({ValoreTesto(" abc ", "def"), ValoreTesto("   ", "def"),
                              ValoreTesto(QString(QChar(0)) + "x", "def"), ValoreTesto(QString(), "  ")}),
                 QStringList({" abc ", "def", "def", " "}));
        for (const double n : {46000.123456789, -3.25}) {
            ScriviIni(path(), "N", "V", n);
            QCOMPARE(ValoreNumerico(LeggiIni(path(), "N", "V")), n);
        }
    }

    void nations() {
        QFile::remove(path());
        ElencoNazioni e = CaricaElencoNazioni(path()); // missing: written
        QCOMPARE(LeggiIni(path(), "NAZIONI", "CODICI"),
                 QString("AT,BE,BG,CY,DK,EE,FI,FR,DE,GB,EL,IE,IT,LV,LT,LU,MT,NL,PL,PT,CZ,RO,SK,SI,ES,SE,HU,"));
        QCOMPARE(e.CodiciNazioni.last(), QString()); // the trailing comma gives a 28th, empty entry
        QCOMPARE(int(e.LunghezzeVat[12][0].minimo), 11); // IT
        QFile::remove(path());
        ScriviIni(path(), "NAZIONI", "CODICI", "IT,XX");
        ScriviIni(path(), "NAZIONI", "IT", "ITALIA");
        e = CaricaElencoNazioni(path()); // stored: kept, and without a trailing comma the last gets no name
        QCOMPARE(e.NomiNazioni, QStringList({"ITALIA", ""}));
        QCOMPARE(int(e.LunghezzeVat[1][0].minimo), 0);
        QCOMPARE(LeggiIni(path(), "NAZIONI", "AT"), QString());
    }
};

QTEST_GUILESS_MAIN(TestFileIni)
#include "test_file_ini.moc"
