// The text rules every extracted field goes through: the cleaned
// 150-character window, marker searches with 16-bit positions and the
// numbered failures they raise.

#include "enquiry/testo_pagina.h"

#include <QtTest>

using namespace qv;

class TestTestoPagina : public QObject {
    Q_OBJECT

private slots:
    void pulizia_data() {
        QTest::addColumn<QString>("grezzo");
        QTest::addColumn<QString>("pulito");
        // The scan ends at the original length: what a replacement pushes past it stays.
        QTest::newRow("later one pushed out") << "?abcd?" << "e' sabcd?";
        QTest::newRow("both replaced") << "?abcd?efgh" << "e' sabcde' sefgh";
        QTest::newRow("outside Windows-1252") << QString::fromUtf8("a\u0107b") << "ae' sb";
        QTest::newRow("Windows-1252 letters stay") << QString::fromUtf8("Citt\u00e0 \u20ac") << QString::fromUtf8("Citt\u00e0 \u20ac");
        QTest::newRow("line ends go") << "a\r\nb\nc\rd" << "abcd";
        QTest::newRow("strong goes") << "<strong>12/03</strong><" << "12/03<";
        QTest::newRow("agrave") << "Localit&agrave; e citt&agrave;" << QString::fromUtf8("Localit\u00e0 e citt\u00e0");
    }
    void pulizia() {
        QFETCH(QString, grezzo);
        QFETCH(QString, pulito);
        QCOMPARE(PulisciFinestra(grezzo), pulito);
    }

    void ricerca_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("da");
        QTest::addColumn<QString>("marcatore");
        QTest::addColumn<int>("pos"); // 0: not found; below 0: the failure's number, negated
        QTest::newRow("from the given position") << "<a>1<a>2" << 5 << "<a>" << 8;
        QTest::newRow("case-sensitive") << "<A>" << 1 << "<a>" << 0;
        QTest::newRow("start past the end") << "abc" << 10 << "a" << 0;
        QTest::newRow("search from position 0") << "<m>" << 0 << "<m>" << -2;
        QTest::newRow("position just past the limit") << QString(32764, '.') + "<m>" << 1 << "<m>" << -3;
        QTest::newRow("position at the limit") << QString(32763, '.') + "<m>" << 1 << "<m>" << int(PosizioneMassima);
    }
    void ricerca() {
        QFETCH(QString, html);
        QFETCH(int, da);
        QFETCH(QString, marcatore);
        QFETCH(int, pos);
        int p = da;
        try {
            QCOMPARE(CercaMarcatore(html, p, marcatore), pos > 0);
            QCOMPARE(p, pos);
        } catch (const GuastoEstrazione& g) {
            QCOMPARE(-g.numero(), pos);
            QCOMPARE(g.marcatore, marcatore);
            QVERIFY(g.testo().startsWith(QString::number(g.numero()) + QStringLiteral(" - ")));
        }
    }

    void finestra_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("finestra");
        QTest::newRow("from position") << "abcdef" << 3 << "cdef";
        QTest::newRow("150 characters only") << QString(140, QLatin1Char('x')) + QStringLiteral("0123456789ABCD") << 1
                                             << QString(140, QLatin1Char('x')) + QStringLiteral("0123456789");
        QTest::newRow("cleaned after cutting") << QString(148, QLatin1Char('y')) + QStringLiteral(" <strong>") << 1
                                               << QString(148, QLatin1Char('y')) + QStringLiteral(" <");
    }
    void finestra() {
        QFETCH(QString, html);
        QFETCH(int, pos);
        QFETCH(QString, finestra);
        QCOMPARE(FinestraTesto(html, pos), finestra);
    }

    void finestraDaZero() { QVERIFY_THROWS_EXCEPTION(GuastoEstrazione, FinestraTesto(QStringLiteral("abc"), 0)); }

    void fino_data() {
        QTest::addColumn<QString>("finestra");
        QTest::addColumn<QString>("fine");
        QTest::addColumn<QString>("campo"); // null: the end is missing
        QTest::newRow("before first") << "a<b<c" << "<" << "a";
        QTest::newRow("long marker") << "Ufficio&nbsp;x" << "&nbsp" << "Ufficio";
        QTest::newRow("end missing") << "senza fine" << "</div" << QString();
    }
    void fino() {
        QFETCH(QString, finestra);
        QFETCH(QString, fine);
        QFETCH(QString, campo);
        try {
            QCOMPARE(TestoFinoA(finestra, fine), campo);
            QVERIFY(!campo.isNull());
        } catch (const GuastoEstrazione& g) {
            QVERIFY(campo.isNull());
            QCOMPARE(g.tipo, TipoGuasto::FineMancante);
            QCOMPARE(g.testo(), QStringLiteral("1 - FINE DEL CAMPO NON TROVATA (</div)"));
            QCOMPARE(QString::fromUtf8(g.what()), g.testo());
        }
    }

    void spazi() {
        // Only blanks go: tabs and no-break spaces stay.
        QCOMPARE(TogliSpazi(QString::fromUtf8(" \u00a0a\t ")), QString::fromUtf8("\u00a0a\t"));
    }
};

QTEST_GUILESS_MAIN(TestTestoPagina)
#include "test_testo_pagina.moc"
