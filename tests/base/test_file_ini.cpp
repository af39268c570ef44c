// The configuration file rules: what a stored line reads back as, what a
// write keeps, and the number/text conversions applied to values read.

#include "file_prova.h"
#include "platform/ansi_text.h"
#include "platform/day_number.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestFileIni : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("Quorvan.ini"); }
    void writeRaw(const QByteArray& bytes) { scriviFile(path(), bytes); }
    QByteArray readRaw() {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void reading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain") << QByteArray("[S]\r\nK=abc\r\n") << "S" << "K" << "abc";
        QTest::newRow("comment after bar") << QByteArray("[S]\r\nK=valore|commento\r\n") << "S" << "K" << "valore";
        QTest::newRow("comment after tab") << QByteArray("[S]\r\nK=valore\tcommento\r\n") << "S" << "K" << "valore";
        QTest::newRow("blanks around") << QByteArray("[S]\r\nK =   spazi   \r\n") << "S" << "K" << "spazi";
        QTest::newRow("blank before bar") << QByteArray("[S]\r\nK=a b  |x\r\n") << "S" << "K" << "a b";
        QTest::newRow("section case") << QByteArray("[startup]\r\nposx=12\r\n") << "STARTUP" << "POSX" << "12";
        QTest::newRow("empty value") << QByteArray("[S]\r\nK=\r\n") << "S" << "K" << "";
        QTest::newRow("missing key") << QByteArray("[S]\r\nK=1\r\n") << "S" << "X" << "";
        QTest::newRow("missing section") << QByteArray("[S]\r\nK=1\r\n") << "T" << "K" << "";
        QTest::newRow("key of other section") << QByteArray("[A]\r\nK=1\r\n[B]\r\nJ=2\r\n") << "B" << "K" << "";
        QTest::newRow("first of duplicates") << QByteArray("[S]\r\nK=1\r\nK=2\r\n") << "S" << "K" << "1";
        QTest::newRow("LF line ends") << QByteArray("[S]\nK=lf\n") << "S" << "K" << "lf";
        QTest::newRow("CR-only line ends") << QByteArray("[S]\rK=cr\r") << "S" << "K" << "cr";
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[S]\r\nK=citt\xC3\xA0\r\n") << "S" << "K"
                                    << QString::fromUtf8("città");
        QTest::newRow("ANSI text") << QByteArray("[S]\r\nK=citt\xE0 \x80\r\n") << "S" << "K"
                                    << QString::fromUtf8("città €");
        QTest::newRow("garbage lines") << QByteArray("\x01\x02 garbage\r\n=novalue\r\n[S\r\nK=in broken header\r\n")
                                        << "S" << "K" << "in broken header";
        QTest::newRow("comment lines kept apart") << QByteArray("[S]\r\n;K=no\r\nK=yes\r\n") << "S" << "K" << "yes";
        QTest::newRow("quoted value") << QByteArray("[S]\r\nK=\"a|b\"\r\n") << "S" << "K" << "a";
        QTest::newRow("equals in value") << QByteArray("[S]\r\nK=a=b\r\n") << "S" << "K" << "a=b";
        QTest::newRow("binary junk") << QByteArray("\x00\xFF\xFE[S]\x00\r\n", 9) << "S" << "K" << "";
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        writeRaw(file);
        QCOMPARE(LeggiIni(path(), section, key), expected);
    }

    void longValueIsCutAt199() {
        writeRaw("[S]\r\nK=" + QByteArray(250, 'x') + "\r\n");
        QCOMPARE(LeggiIni(path(), "S", "K"), QString(199, 'x'));
    }

    void missingFileReadsEmpty() {
        QCOMPARE(LeggiIni(dir.filePath("none.ini"), "S", "K"), QString());
        QVERIFY(!QFile::exists(dir.filePath("none.ini")));
    }

    void firstWriteCreatesFileAndSection() {
        QFile::remove(path());
        ScriviIni(path(), "STARTUP", "POSX", "100");
        QCOMPARE(readRaw(), QByteArray("[STARTUP]\r\nPOSX=100\r\n"));
        ScriviIni(path(), "Altro", "K", "v");
        QCOMPARE(readRaw(), QByteArray("[STARTUP]\r\nPOSX=100\r\n[Altro]\r\nK=v\r\n"));
    }

    void writeKeepsOtherLines() {
        writeRaw("; intestazione\r\n[A]\r\nuno=1 | nota\r\n\r\n; commento\r\ndue=2\r\n\r\n[B]\r\ntre=3\r\n");
        ScriviIni(path(), "a", "DUE", "22");
        ScriviIni(path(), "A", "quattro", "4");
        QCOMPARE(readRaw(), QByteArray("; intestazione\r\n[A]\r\nuno=1 | nota\r\n\r\n; commento\r\nDUE=22\r\n"
                                       "quattro=4\r\n\r\n[B]\r\ntre=3\r\n"));
    }

    void writeKeepsLfLineEnds() {
        writeRaw("[A]\nx=1\n");
        ScriviIni(path(), "A", "y", "2");
        QCOMPARE(readRaw(), QByteArray("[A]\nx=1\ny=2\n"));
    }

    void writeKeepsBomFile() {
        writeRaw("\xEF\xBB\xBF[A]\r\nx=1\r\n");
        ScriviIni(path(), "A", "y", QString::fromUtf8("però"));
        QCOMPARE(readRaw(), QByteArray("\xEF\xBB\xBF[A]\r\nx=1\r\ny=per\xC3\xB2\r\n"));
        QCOMPARE(LeggiIni(path(), "A", "y"), QString::fromUtf8("però"));
    }

    void lineBreaksCannotSplitTheFile() {
        QFile::remove(path());
        ScriviIni(path(), "A", "K", "uno\r\n[B]\r\nX=due");
        QCOMPARE(LeggiIni(path(), "A", "K"), QString("uno  [B]  X=due"));
        QCOMPARE(LeggiIni(path(), "B", "X"), QString());
    }

    void writeToUnwritablePlaceIsSilent() {
        ScriviIni(dir.filePath("no/such/folder/x.ini"), "A", "K", "v");
        QVERIFY(!QFile::exists(dir.filePath("no/such/folder/x.ini")));
    }

    void writeLeavesNoTemporaryFiles() {
        QFile::remove(path());
        for (int i = 0; i < 5; ++i)
            ScriviIni(path(), "A", QString("K%1").arg(i), QString::number(i));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Quorvan.ini"});
    }

    void valoreNumerico_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("null") << QString() << 0.0;
        QTest::newRow("blank") << "   " << 0.0;
        QTest::newRow("integer") << "1440" << 1440.0;
        QTest::newRow("negative") << "-15" << -15.0;
        QTest::newRow("blanks around") << " 7 " << 7.0;
        QTest::newRow("decimal point") << "0.5" << 0.5;
        QTest::newRow("hex") << "&H10" << 16.0;
        QTest::newRow("text") << "abc" << 0.0;
        QTest::newRow("digits then text") << "12abc" << 0.0;
        QTest::newRow("date") << "25/12/2026" << platform::dayNumber(QDate(2026, 12, 25));
        QTest::newRow("date two-digit year") << "01/02/06" << platform::dayNumber(QDate(2006, 2, 1));
        QTest::newRow("date with time") << "30/12/1899 12:00" << 0.5;
        QTest::newRow("not a date") << "99/99/9999" << 0.0;
        QTest::newRow("one slash") << "1/2" << 0.0;
    }
    void valoreNumerico() {
        QFETCH(QString, value);
        QFETCH(double, expected);
        QCOMPARE(ValoreNumerico(value), expected);
    }

    void valoreTesto_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected");
        QTest::newRow("value kept untrimmed") << " abc " << "def" << " abc ";
        QTest::newRow("null takes default") << QString() << "def" << "def";
        QTest::newRow("blank takes default") << "   " << "def" << "def";
        QTest::newRow("NUL first takes default") << QString(QChar(0)) + "x" << "def" << "def";
        QTest::newRow("blank default is one blank") << "" << "  " << " ";
        QTest::newRow("missing default is one blank") << "" << QString() << " ";
    }
    void valoreTesto() {
        QFETCH(QString, value);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        QCOMPARE(ValoreTesto(value, fallback), expected);
    }

    void numbersReadBack_data() {
        QTest::addColumn<double>("n");
        QTest::newRow("int") << 12345.0;
        QTest::newRow("fraction") << 46000.123456789;
        QTest::newRow("negative") << -3.25;
    }
    void numbersReadBack() {
        QFETCH(double, n);
        ScriviIni(path(), "N", "V", n);
        QCOMPARE(ValoreNumerico(LeggiIni(path(), "N", "V")), n);
    }
};

QTEST_GUILESS_MAIN(TestFileIni)
#include "test_file_ini.moc"
