#include "database/dao/recordset.h"

#include "database/dao/recordset_impl.h"

namespace qv::dao {

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::Recordset(std::unique_ptr<RecordsetImpl> impl) : impl_(std::move(impl)) {}

RecordsetImpl& Recordset::impl() const {
    if (!impl_)
        solleva(errori::OggettoNonValido);
    return *impl_;
}

bool Recordset::isOpen() const { return impl_ && impl_->aperto(); }

void Recordset::Close() {
    if (impl_)
        impl_->chiudi();
    impl_.reset();
}

int Recordset::Type() const { return impl().tipo(); }
QString Recordset::Name() const { return impl().nome(); }
QString Recordset::Index() const { return impl().indice(); }
void Recordset::setIndex(const QString& nome) { impl().impostaIndice(nome); }
void Recordset::Seek(const QString& confronto, const QVariantList& chiavi) { impl().seek(confronto, chiavi); }
bool Recordset::NoMatch() const { return impl().noMatch(); }
void Recordset::AddNew() { impl().addNew(); }
void Recordset::Edit() { impl().edit(); }
void Recordset::Update() { impl().update(); }
void Recordset::CancelUpdate() { impl().cancelUpdate(); }
void Recordset::Delete() { impl().elimina(); }
int Recordset::EditMode() const { return impl().editMode(); }
void Recordset::MoveFirst() { impl().primo(); }
void Recordset::MoveLast() { impl().ultimo(); }
void Recordset::MoveNext() { impl().successivo(); }
void Recordset::MovePrevious() { impl().precedente(); }
bool Recordset::Eof() const { return impl().eof(); }
bool Recordset::Bof() const { return impl().bof(); }
qint64 Recordset::RecordCount() const { return impl().conteggio(); }
int Recordset::FieldCount() const { return int(impl().campi().size()); }

const Field& Recordset::FieldInfo(int posizione) const {
    impl().verificaCampo(posizione);
    return impl().campi()[posizione];
}

int Recordset::FieldIndex(const QString& nome) const { return impl().posizioneCampo(nome); }
QVariant Recordset::Value(int posizione) const { return impl().valore(posizione); }
QVariant Recordset::Value(const QString& nome) const { return impl().valore(impl().posizioneCampo(nome)); }
void Recordset::setValue(int posizione, const QVariant& valore) { impl().imposta(posizione, valore); }
void Recordset::setValue(const QString& nome, const QVariant& valore) {
    impl().imposta(impl().posizioneCampo(nome), valore);
}

} // namespace qv::dao
