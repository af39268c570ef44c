// quorvan-cli query CODE [--json]
//
// Plain output: the result lines the single enquiry window shows.
// --json: one line {"code":..., "outcome":N, "titolo":[8 strings],
// "esito":[20 strings]}, the shared arrays after the enquiry (index 0 empty).
// That line is a public interface for scripts: keep its form.

#include "cli/avvio.h"
#include "cli/comandi.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/righe_esito.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace qv::cli {

namespace {

const char* const kUso = "usage: quorvan-cli [--home DIR] query CODE [--json]";

// A JSON array of strings, compact.
QByteArray jsonTesti(const QStringList& testi) {
    return QJsonDocument(QJsonArray::fromStringList(testi)).toJson(QJsonDocument::Compact);
}

QByteArray jsonTesto(const QString& testo) {
    const QByteArray array = jsonTesti({testo});
    return array.mid(1, array.size() - 2);
}

template <std::size_t N> QStringList elenco(const std::array<QString, N>& a) { return QStringList(a.begin(), a.end()); }

} // namespace

int ComandoQuery(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    QString codice;
    bool json = false;
    bool codiceDato = false;
    for (const QString& a : argomenti) {
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a.startsWith(QLatin1String("--")) || codiceDato) {
            err << "quorvan-cli query: unexpected argument " << a << '\n' << kUso << Qt::endl;
            return kErroreUso;
        } else {
            codice = a;
            codiceDato = true;
        }
    }
    if (!codiceDato) {
        err << kUso << Qt::endl;
        return kErroreUso;
    }

    AmbienteCli ambiente;
    if (!AvviaAmbiente(ambiente, home))
        return kErroreAvvio;
    ambiente.web.ContestoWeb = ContestoSingoloElemento;

    GetHtmPage pagina(ambiente.web, ambiente.ambienteWeb());
    const int esito = InterrogaCodice(pagina, codice);

    QTextStream out(stdout);
    if (json) {
        out << "{\"code\":" << jsonTesto(codice) << ",\"outcome\":" << esito
            << ",\"titolo\":" << jsonTesti(elenco(ambiente.web.Titolo))
            << ",\"esito\":" << jsonTesti(elenco(ambiente.web.Esito)) << "}" << Qt::endl;
    } else {
        for (const QString& riga : RigheDaStampare(RigheRisultato(esito, ambiente.web)))
            out << riga << '\n';
        out.flush();
    }
    return esito;
}

} // namespace qv::cli
