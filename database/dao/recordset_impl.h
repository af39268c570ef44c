#pragma once
// What each kind of recordset does; Recordset forwards to one of these.
// Internal to the engine.

#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/schema.h"

#include <QVariantList>

#include <memory>

namespace qv::dao {

class RecordsetImpl {
public:
    explicit RecordsetImpl(std::shared_ptr<Connessione> c) : c_(std::move(c)) {}
    virtual ~RecordsetImpl() = default;

    virtual int tipo() const = 0;
    virtual QString nome() const = 0;
    virtual void chiudi() { c_.reset(); }
    bool aperto() const { return c_ && c_->aperta(); }

    virtual QString indice() const { non(); }
    virtual void impostaIndice(const QString&) { non(); }
    virtual void seek(const QString&, const QVariantList&) { non(); }
    virtual bool noMatch() const { return false; }
    virtual void addNew() { solaLettura(); }
    virtual void edit() { solaLettura(); }
    virtual void update() { solaLettura(); }
    virtual void cancelUpdate() { solaLettura(); }
    virtual void elimina() { solaLettura(); }
    virtual int editMode() const { return 0; }

    virtual void primo() = 0;
    virtual void ultimo() = 0;
    virtual void successivo() = 0;
    virtual void precedente() = 0;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    virtual qint64 conteggio() = 0;

    virtual QVariant valore(int posizione) const = 0;
    virtual void imposta(int, const QVariant&) { solaLettura(); }

    const QList<Field>& campi() const { return campi_; }
    int posizioneCampo(const QString& nome) const {
        for (int i = 0; i < campi_.size(); ++i)
            if (stessoNome(campi_[i].Name, nome))
                return i;
        solleva(errori::ElementoNonTrovato, nome);
    }
    void verificaCampo(int posizione) const {
        if (posizione < 0 || posizione >= campi_.size())
            solleva(errori::ElementoNonTrovato, QString::number(posizione));
    }
    Connessione& c() const {
        if (!c_)
            solleva(errori::OggettoNonValido);
        c_->verificaAperta();
        return *c_;
    }

protected:
    [[noreturn]] void non() const { solleva(errori::OperazioneNonSupportata, nome()); }
    [[noreturn]] void solaLettura() const { solleva(errori::SolaLettura, nome()); }

    std::shared_ptr<Connessione> c_;
    QList<Field> campi_;
};

std::unique_ptr<RecordsetImpl> apriTabella(std::shared_ptr<Connessione> c, const QString& tabella);
std::unique_ptr<RecordsetImpl> apriSnapshot(std::shared_ptr<Connessione> c, const QString& sqlJet,
                                            const QString& sqlite, const QStringList& tabelle);

} // namespace qv::dao
