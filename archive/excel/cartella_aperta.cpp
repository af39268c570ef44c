#include "archive/excel/cartella_aperta.h"

#include "archive/excel/cartella_excel.h"

#include <QFileInfo>

namespace qv {

QList<FinestraEsterna> FinestreCartella(const QString& percorso, FinestreEsterne& finestre) {
    const QString nome = QFileInfo(percorso).fileName().toUpper();
    QList<FinestraEsterna> trovate;
    if (nome.isEmpty()) return trovate;
    for (const FinestraEsterna& f : finestre.elenco().value_or(QList<FinestraEsterna>{}))
        if (f.titolo.toUpper().startsWith(nome)) trovate.append(f);
    return trovate;
}

bool MostraFinestraCartella(const QString& percorso, FinestreEsterne& finestre) {
    const QList<FinestraEsterna> trovate = FinestreCartella(percorso, finestre);
    return !trovate.isEmpty() && finestre.mostra(trovate.last().id);
}

ChiusuraCartella ChiudiCartellaAperta(const QString& percorso, FinestreEsterne& finestre,
                                      const std::function<void(int ms)>& attendi, int limiteMs) {
    const QList<FinestraEsterna> trovate = FinestreCartella(percorso, finestre);
    if (trovate.isEmpty())
        return FileBloccoCartella(percorso).isEmpty() ? ChiusuraCartella::Chiusa
                                                      : ChiusuraCartella::NessunaFinestra;
    bool chiesto = false;
    for (const FinestraEsterna& f : trovate)
        chiesto = finestre.chiudi(f.id) || chiesto;
    if (!chiesto) return ChiusuraCartella::NessunaFinestra;
    constexpr int passo = 100;
    for (int atteso = 0;; atteso += passo) {
        if (FileBloccoCartella(percorso).isEmpty() && FinestreCartella(percorso, finestre).isEmpty())
            return ChiusuraCartella::Chiusa;
        if (atteso >= limiteMs) return ChiusuraCartella::AncoraAperta;
        attendi(passo);
    }
}

} // namespace qv
