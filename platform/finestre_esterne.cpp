#include "platform/finestre_esterne.h"

#ifdef QV_CON_XCB
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>
#endif

namespace qv {

namespace {

// Where no window manager can be asked: nothing is listed.
class FinestreAssenti : public FinestreEsterne {
public:
    std::optional<QList<FinestraEsterna>> elenco() override { return std::nullopt; }
    bool mostra(quint64) override { return false; }
    bool chiudi(quint64) override { return false; }
};

#ifdef QV_CON_XCB

// The window manager's client list (_NET_CLIENT_LIST) with each window's
// _NET_WM_NAME (else WM_NAME); the requests go to the root window as the
// standard client messages _NET_ACTIVE_WINDOW and _NET_CLOSE_WINDOW.
class FinestreX11 : public FinestreEsterne {
public:
    explicit FinestreX11(xcb_connection_t* c, int schermo) : c_(c) {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int i = 0; i < schermo && it.rem; ++i)
            xcb_screen_next(&it);
        radice_ = it.data->root;
        clientList_ = atomo("_NET_CLIENT_LIST");
        wmName_ = atomo("_NET_WM_NAME");
        utf8_ = atomo("UTF8_STRING");
        active_ = atomo("_NET_ACTIVE_WINDOW");
        close_ = atomo("_NET_CLOSE_WINDOW");
    }
    ~FinestreX11() override { xcb_disconnect(c_); }

    std::optional<QList<FinestraEsterna>> elenco() override {
        auto* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, radice_, clientList_, XCB_ATOM_WINDOW, 0, 1 << 16), nullptr);
        if (!r) return std::nullopt;
        if (r->type != XCB_ATOM_WINDOW) { // no window manager keeps the list
            std::free(r);
            return std::nullopt;
        }
        const auto* finestre = static_cast<const xcb_window_t*>(xcb_get_property_value(r));
        const int n = xcb_get_property_value_length(r) / int(sizeof(xcb_window_t));
        QList<FinestraEsterna> lista;
        for (int i = 0; i < n; ++i)
            lista.append({finestre[i], titolo(finestre[i])});
        std::free(r);
        return lista;
    }

    bool mostra(quint64 id) override {
        // Source 2: a pager, so the window manager does not refuse a request
        // that comes without a user's time stamp; it also de-iconifies.
        return messaggio(xcb_window_t(id), active_, {2, XCB_CURRENT_TIME, 0, 0, 0});
    }

    bool chiudi(quint64 id) override {
        return messaggio(xcb_window_t(id), close_, {XCB_CURRENT_TIME, 2, 0, 0, 0});
    }

private:
    xcb_atom_t atomo(const char* nome) {
        auto* r =
            xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(std::strlen(nome)), nome), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }

    QString titolo(xcb_window_t w) {
        for (const auto& [nome, tipo] :
             {std::pair{wmName_, utf8_}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_ANY)}}) {
            auto* r = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, nome, tipo, 0, 4096), nullptr);
            if (!r) continue;
            const auto* dati = static_cast<const char*>(xcb_get_property_value(r));
            const int n = xcb_get_property_value_length(r);
            const bool utf8 = r->type == utf8_;
            const bool trovato = r->type != XCB_ATOM_NONE && n > 0;
            const QString t = utf8 ? QString::fromUtf8(dati, n) : QString::fromLatin1(dati, n);
            std::free(r);
            if (trovato) return t;
        }
        return {};
    }

    bool messaggio(xcb_window_t w, xcb_atom_t tipo, std::array<uint32_t, 5> dati) {
        xcb_client_message_event_t e{};
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = w;
        e.type = tipo;
        std::memcpy(e.data.data32, dati.data(), sizeof(e.data.data32));
        const xcb_void_cookie_t k = xcb_send_event_checked(
            c_, 0, radice_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&e));
        xcb_generic_error_t* errore = xcb_request_check(c_, k);
        const bool inviato = !errore;
        std::free(errore);
        return inviato;
    }

    xcb_connection_t* c_;
    xcb_window_t radice_ = 0;
    xcb_atom_t clientList_, wmName_, utf8_, active_, close_;
};

#endif

} // namespace

std::unique_ptr<FinestreEsterne> FinestreDelSistema() {
#ifdef QV_CON_XCB
    if (std::getenv("DISPLAY")) {
        int schermo = 0;
        xcb_connection_t* c = xcb_connect(nullptr, &schermo);
        if (c && !xcb_connection_has_error(c)) return std::make_unique<FinestreX11>(c, schermo);
        if (c) xcb_disconnect(c);
    }
#endif
    return std::make_unique<FinestreAssenti>();
}

} // namespace qv
