#include "archive/excel/foglio_excel.h"

#include <QStringList>

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <string>

namespace qv {

namespace {

// Everything the part holds is kept: blanks-only texts, comments,
// processing instructions, line ends and attribute values as written.
constexpr unsigned kAnalisi = (pugi::parse_full | pugi::parse_ws_pcdata) & ~pugi::parse_eol & ~pugi::parse_wconv_attribute;

QString testoNodo(const pugi::xml_node& n) { return QString::fromUtf8(n.text().get()); }

// A cell reference's column ("AB12" -> 28), 0 when it has none.
int colonnaDi(const char* ref) {
    int c = 0;
    // Past the last column (XFD, 16384) every reference is 16385: a damaged
    // "AAAAAAAAA1" neither overflows nor meets a real column.
    for (; *ref >= 'A' && *ref <= 'Z'; ++ref)
        c = std::min(c * 26 + (*ref - 'A' + 1), 16385);
    return c;
}

// The text of a string item (<si> or <is>): its <t>, or its rich text runs
// joined; phonetic runs are not part of the value.
QString testoStringa(const pugi::xml_node& voce) {
    if (const pugi::xml_node t = voce.child("t"))
        return testoNodo(t);
    QString s;
    for (const pugi::xml_node r : voce.children("r"))
        s += testoNodo(r.child("t"));
    return s;
}

// Start and end columns of a "spans" value ("1:5").
bool leggiSpans(const char* spans, int& da, int& a) {
    const char* due = std::strchr(spans, ':');
    if (!due)
        return false;
    da = std::atoi(spans);
    a = std::atoi(due + 1);
    return true;
}

} // namespace

bool LeggiStringheCondivise(const QByteArray& xml, std::vector<QString>& stringhe, QString& errore) {
    pugi::xml_document doc;
    const pugi::xml_parse_result letto =
        doc.load_buffer(xml.constData(), size_t(xml.size()), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (!letto) {
        errore = QString::fromUtf8(letto.description());
        return false;
    }
    for (const pugi::xml_node si : doc.document_element().children("si"))
        stringhe.push_back(testoStringa(si));
    return true;
}

QString LettereColonna(int colonna) {
    QString s;
    for (int c = colonna; c > 0; c = (c - 1) / 26)
        s.prepend(QChar(u'A' + (c - 1) % 26));
    return s;
}

struct FoglioExcel::Dati {
    QString nome;
    QByteArray testo; // the part, parsed in place by doc
    pugi::xml_document doc;
    pugi::xml_node sheetData;
    const std::vector<QString>* condivise = nullptr;
    std::vector<pugi::xml_node> righe; // by row number; empty nodes for rows not present
    bool modificato = false;

    pugi::xml_node riga(qint64 r) const {
        return r > 0 && r < qint64(righe.size()) ? righe[size_t(r)] : pugi::xml_node();
    }

    // Cells without "r" follow the previous cell: number them explicitly
    // before a cell is inserted among them.
    static void numeraCelle(pugi::xml_node riga, qint64 numero) {
        int colonna = 0;
        for (pugi::xml_node c : riga.children("c")) {
            const pugi::xml_attribute r = c.attribute("r");
            colonna = r ? colonnaDi(r.value()) : colonna + 1;
            if (!r)
                c.append_attribute("r") = (LettereColonna(colonna) + QString::number(numero)).toUtf8().constData();
        }
    }

    pugi::xml_node cella(qint64 r, int colonna) const {
        int corrente = 0;
        for (pugi::xml_node c : riga(r).children("c")) {
            const pugi::xml_attribute ref = c.attribute("r");
            corrente = ref ? colonnaDi(ref.value()) : corrente + 1;
            if (corrente == colonna)
                return c;
            if (corrente > colonna)
                break;
        }
        return {};
    }

    pugi::xml_node creaRiga(qint64 r) {
        pugi::xml_node dopo; // the first row after r
        for (size_t i = size_t(r) + 1; i < righe.size() && !dopo; ++i)
            dopo = righe[i];
        pugi::xml_node nuova = dopo ? sheetData.insert_child_before("row", dopo) : sheetData.append_child("row");
        nuova.append_attribute("r") = std::to_string(r).c_str();
        if (righe.size() <= size_t(r))
            righe.resize(size_t(r) + 1);
        righe[size_t(r)] = nuova;
        return nuova;
    }

    // The style a new cell takes: its row's when the row has one, else its
    // column's.
    const char* stileNuovaCella(const pugi::xml_node& riga, int colonna) const {
        if (riga.attribute("customFormat").as_bool() && riga.attribute("s"))
            return riga.attribute("s").value();
        for (const pugi::xml_node col : doc.document_element().child("cols").children("col"))
            if (colonna >= col.attribute("min").as_int() && colonna <= col.attribute("max").as_int())
                return col.attribute("style") ? col.attribute("style").value() : nullptr;
        return nullptr;
    }

    pugi::xml_node creaCella(pugi::xml_node riga, qint64 r, int colonna) {
        numeraCelle(riga, r);
        pugi::xml_node dopo;
        for (const pugi::xml_node c : riga.children("c"))
            if (colonnaDi(c.attribute("r").value()) > colonna) {
                dopo = c;
                break;
            }
        pugi::xml_node nuova = dopo ? riga.insert_child_before("c", dopo) : riga.append_child("c");
        nuova.append_attribute("r") = (LettereColonna(colonna) + QString::number(r)).toUtf8().constData();
        if (const char* stile = stileNuovaCella(riga, colonna))
            nuova.append_attribute("s") = stile;
        int da = 0, a = 0;
        if (pugi::xml_attribute spans = riga.attribute("spans"); spans && leggiSpans(spans.value(), da, a))
            spans = (std::to_string(std::min(da, colonna)) + ':' + std::to_string(std::max(a, colonna))).c_str();
        if (nuoveMaxRiga == 0) {
            nuoveMinRiga = nuoveMaxRiga = r;
            nuoveMinColonna = nuoveMaxColonna = colonna;
        }
        nuoveMinRiga = std::min(nuoveMinRiga, r);
        nuoveMaxRiga = std::max(nuoveMaxRiga, r);
        nuoveMinColonna = std::min(nuoveMinColonna, colonna);
        nuoveMaxColonna = std::max(nuoveMaxColonna, colonna);
        return nuova;
    }

    // The sheet's <dimension> is made to cover the cells created, once,
    // when the sheet is written out.
    void allargaDimensione() {
        pugi::xml_attribute ref = doc.document_element().child("dimension").attribute("ref");
        if (!ref || nuoveMaxRiga == 0)
            return;
        const QString valore = QString::fromUtf8(ref.value());
        const QStringList parti = valore.split(QLatin1Char(':'));
        const auto angolo = [](const QString& p, int& c, qint64& rr) {
            int i = 0;
            while (i < p.size() && p[i].isLetter())
                ++i;
            c = colonnaDi(p.left(i).toLatin1().constData());
            rr = p.mid(i).toLongLong();
        };
        int c1 = 0, c2 = 0;
        qint64 r1 = 0, r2 = 0;
        angolo(parti.first(), c1, r1);
        angolo(parti.last(), c2, r2);
        if (c1 == 0 || r1 == 0)
            return;
        const QString nuovo = LettereColonna(std::min(c1, nuoveMinColonna)) + QString::number(std::min(r1, nuoveMinRiga)) +
                              QLatin1Char(':') + LettereColonna(std::max(c2, nuoveMaxColonna)) +
                              QString::number(std::max(r2, nuoveMaxRiga));
        if (nuovo != valore)
            ref = nuovo.toUtf8().constData();
    }

    // The extent of the cells created.
    qint64 nuoveMinRiga = 0, nuoveMaxRiga = 0;
    int nuoveMinColonna = 0, nuoveMaxColonna = 0;
};

FoglioExcel::FoglioExcel(std::unique_ptr<Dati> dati) : d_(std::move(dati)) {}
FoglioExcel::~FoglioExcel() = default;

std::unique_ptr<FoglioExcel> FoglioExcel::carica(const QString& nome, const QByteArray& xml,
                                                 const std::vector<QString>& condivise, QString& errore) {
    auto d = std::make_unique<Dati>();
    d->nome = nome;
    d->condivise = &condivise;
    // Parsed in place: the document keeps the part's bytes instead of a copy.
    d->testo = xml;
    const pugi::xml_parse_result letto =
        d->doc.load_buffer_inplace(d->testo.data(), size_t(d->testo.size()), kAnalisi, pugi::encoding_utf8);
    if (!letto) {
        errore = QString::fromUtf8(letto.description()) + QStringLiteral(" at offset ") + QString::number(letto.offset);
        return nullptr;
    }
    d->sheetData = d->doc.document_element().child("sheetData");
    if (std::strcmp(d->doc.document_element().name(), "worksheet") != 0 || !d->sheetData) {
        errore = QStringLiteral("no sheetData");
        return nullptr;
    }
    qint64 numero = 0;
    for (const pugi::xml_node r : d->sheetData.children("row")) {
        const qint64 dichiarato = r.attribute("r").as_llong(0);
        if (dichiarato != 0 && (dichiarato <= numero || dichiarato > 1048576)) {
            errore = QStringLiteral("row ") + QString::number(dichiarato) + QStringLiteral(" out of order");
            return nullptr;
        }
        numero = dichiarato ? dichiarato : numero + 1;
        if (d->righe.size() <= size_t(numero))
            d->righe.resize(size_t(numero) + 1);
        d->righe[size_t(numero)] = r;
    }
    return std::unique_ptr<FoglioExcel>(new FoglioExcel(std::move(d)));
}

const QString& FoglioExcel::nome() const { return d_->nome; }

qint64 FoglioExcel::ultimaRiga() const { return d_->righe.empty() ? 0 : qint64(d_->righe.size()) - 1; }

QString FoglioExcel::testo(qint64 riga, int colonna) const {
    const pugi::xml_node c = d_->cella(riga, colonna);
    if (!c)
        return {};
    const char* tipo = c.attribute("t").value();
    if (std::strcmp(tipo, "s") == 0) {
        const size_t i = c.child("v").text().as_ullong(~0ULL);
        return i < d_->condivise->size() ? (*d_->condivise)[i] : QString();
    }
    if (std::strcmp(tipo, "inlineStr") == 0)
        return testoStringa(c.child("is"));
    if (std::strcmp(tipo, "b") == 0)
        return c.child("v").text().as_bool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return testoNodo(c.child("v"));
}

bool FoglioExcel::haFormula(qint64 riga, int colonna) const {
    return bool(d_->cella(riga, colonna).child("f"));
}

bool FoglioExcel::vuota(qint64 riga, int colonna) const {
    return !haFormula(riga, colonna) && testo(riga, colonna).trimmed().isEmpty();
}

void FoglioExcel::scrivi(qint64 riga, int colonna, const QString& valore) {
    if (riga < 1 || colonna < 1)
        return;
    pugi::xml_node r = d_->riga(riga);
    if (!r)
        r = d_->creaRiga(riga);
    pugi::xml_node c = d_->cella(riga, colonna);
    if (!c)
        c = d_->creaCella(r, riga, colonna);
    while (c.first_child())
        c.remove_child(c.first_child());
    // Every one of them: a damaged cell may repeat an attribute, and a "t"
    // left behind would still be the one read back.
    for (const char* tolto : {"t", "cm", "vm"})
        while (c.remove_attribute(tolto)) {
        }
    c.append_attribute("t") = "inlineStr";
    pugi::xml_node t = c.append_child("is").append_child("t");
    if (valore != valore.trimmed())
        t.append_attribute("xml:space") = "preserve";
    t.text() = valore.toUtf8().constData();
    d_->modificato = true;
}

bool FoglioExcel::modificato() const { return d_->modificato; }

void FoglioExcel::salvato() { d_->modificato = false; }

QByteArray FoglioExcel::xml() const {
    struct Scrittore : pugi::xml_writer {
        QByteArray dati;
        void write(const void* p, size_t n) override { dati.append(static_cast<const char*>(p), qsizetype(n)); }
    } scrittore;
    scrittore.dati.reserve(d_->testo.size() + d_->testo.size() / 4);
    d_->allargaDimensione();
    d_->doc.save(scrittore, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return scrittore.dati;
}

} // namespace qv
