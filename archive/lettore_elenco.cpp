#include "archive/lettore_elenco.h"

#include "platform/ansi_text.h"

#include <algorithm>

namespace qv {

namespace {

constexpr qint64 kBlocco = 64 * 1024;

bool blank(char c) { return c == ' ' || c == '\t'; }
bool fineRiga(char c) { return c == '\r' || c == '\n'; }
bool controllo(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

} // namespace

LettoreElenco::LettoreElenco(QIODevice& file) : file_(file) {}

bool LettoreElenco::riempi() {
    if (fine_)
        return false;
    blocco_.resize(kBlocco);
    const qint64 letti = file_.read(blocco_.data(), kBlocco);
    pos_ = 0;
    if (letti <= 0) {
        blocco_.clear();
        erroreLettura_ = letti < 0;
        fine_ = true;
        return false;
    }
    blocco_.truncate(letti);
    if (primoBlocco_) {
        primoBlocco_ = false;
        // A pipe may hand the first bytes over one at a time: the mark is
        // looked for once three are in, or the file ended before.
        while (blocco_.size() < 3) {
            char altri[3];
            const qint64 n = file_.read(altri, 3 - blocco_.size());
            if (n <= 0)
                break; // the end, or an error the next read reports again
            blocco_.append(altri, n);
        }
        if (blocco_.startsWith("\xEF\xBB\xBF"))
            pos_ = 3;
        if (pos_ >= blocco_.size())
            return riempi(); // the block held the mark alone
    }
    return true;
}

// Ends the item being collected. Returns it when it is a usable code.
std::optional<QString> LettoreElenco::chiudiElemento() {
    const bool scarta = troppoLungo_ || conControllo_;
    QByteArray testo = std::move(elemento_);
    elemento_.clear();
    troppoLungo_ = false;
    conControllo_ = false;
    stato_ = Stato::Inizio;
    const QString voce = platform::fromAnsi(testo).trimmed();
    if (voce.isEmpty())
        return std::nullopt;
    // A tab may surround an item but never stand inside a code.
    const bool tabInterno = voce.contains(QLatin1Char('\t'));
    if (scarta || tabInterno) {
        ++scartati_;
        return std::nullopt;
    }
    return voce.toUpper();
}

std::optional<QString> LettoreElenco::prossimo() {
    for (;;) {
        if (pos_ >= blocco_.size() && !riempi()) {
            // End of file: whatever was being collected is the last item.
            if (stato_ == Stato::Semplice || stato_ == Stato::TraVirgolette)
                if (auto voce = chiudiElemento())
                    return voce;
            stato_ = Stato::Inizio;
            return std::nullopt;
        }
        // An item already known to be unusable, or the tail after a quoted
        // item, is passed over up to its end without looking at each byte.
        if (stato_ == Stato::DopoVirgolette || troppoLungo_ || conControllo_) {
            const char* inizio = blocco_.constData() + pos_;
            const char* fine = blocco_.constData() + blocco_.size();
            const bool virgolette = stato_ == Stato::TraVirgolette;
            const char* trovato = std::find_if(inizio, fine, [virgolette](char x) {
                return fineRiga(x) || (virgolette ? x == '"' : x == ',');
            });
            pos_ += trovato - inizio;
            if (trovato == fine)
                continue;
        }
        const char c = blocco_.at(pos_++);
        switch (stato_) {
        case Stato::Inizio:
            if (blank(c) || c == ',' || fineRiga(c))
                break;
            if (c == '"') {
                stato_ = Stato::TraVirgolette;
                break;
            }
            stato_ = Stato::Semplice;
            [[fallthrough]];
        case Stato::Semplice:
        case Stato::TraVirgolette: {
            const bool chiude = stato_ == Stato::Semplice ? (c == ',' || fineRiga(c)) : (c == '"' || fineRiga(c));
            if (chiude) {
                const bool dopo = stato_ == Stato::TraVirgolette && c == '"';
                auto voce = chiudiElemento();
                if (dopo)
                    stato_ = Stato::DopoVirgolette;
                if (voce)
                    return voce;
                break;
            }
            if (controllo(c) && !blank(c))
                conControllo_ = true;
            if (elemento_.size() < kLunghezzaMassimaElemento)
                elemento_.append(c);
            else if (!blank(c))
                troppoLungo_ = true;
            break;
        }
        case Stato::DopoVirgolette:
            if (c == ',' || fineRiga(c))
                stato_ = Stato::Inizio;
            break;
        }
    }
}

ConteggioElenco ContaElementi(QIODevice& file) {
    LettoreElenco lettore(file);
    ConteggioElenco conto;
    while (lettore.prossimo())
        ++conto.elementi;
    conto.scartati = lettore.scartati();
    conto.erroreLettura = lettore.erroreLettura();
    return conto;
}

} // namespace qv
