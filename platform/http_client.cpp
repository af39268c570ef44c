#include "platform/http_client.h"

#include "platform/ansi_text.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

namespace qv::platform {

namespace {

QByteArray charsetOf(const QByteArray& contentType) {
    static const QRegularExpression re(QStringLiteral(R"(charset\s*=\s*["']?([A-Za-z0-9_.:-]+))"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(contentType));
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
}

} // namespace

QString decodeBody(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = charsetOf(contentType);
    // Latin-1 labels mean Windows-1252 on the web; both go through our table.
    static const QList<QByteArray> ansi = {"windows-1252", "cp1252",     "iso-8859-1", "iso8859-1",
                                           "latin1",       "latin-1",    "us-ascii",   "ascii",
                                           "x-cp1252",     "iso_8859-1", "l1"};
    if (charset.isEmpty() || ansi.contains(charset)) return fromAnsi(body);
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid()) return fromAnsi(body);
    return decoder.decode(body);
}

QNetworkRequest requestFor(const QUrl& address) {
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    return request;
}

HttpResult resultOf(QNetworkReply* reply, bool timedOut) {
    HttpResult result;
    // A status line means the server answered: the page is processed whatever
    // the status says.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!timedOut && status.isValid() && reply->error() != QNetworkReply::OperationCanceledError) {
        result.ok = true;
        result.status = status.toInt();
        result.retryAfter = reply->rawHeader("Retry-After");
        result.body =
            decodeBody(reply->readAll(), reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    } else {
        result.error = timedOut ? QStringLiteral("time-out") : reply->errorString();
        result.retryable = timedOut || reply->error() == QNetworkReply::RemoteHostClosedError;
    }
    return result;
}

NetworkHttpClient::NetworkHttpClient(int timeoutMs)
    : manager_(new QNetworkAccessManager), timeoutMs_(timeoutMs > 0 ? timeoutMs : kDefaultTimeoutMs) {}

NetworkHttpClient::~NetworkHttpClient() {
    abort();
}

void NetworkHttpClient::abort() {
    if (current_) current_->abort();
}

HttpResult NetworkHttpClient::get(const QString& url) {
    HttpResult result;
    const QUrl address(url);
    if (!address.isValid() || address.scheme().isEmpty() || address.host().isEmpty()) {
        result.error = QStringLiteral("invalid address");
        return result;
    }
    // A second request while one waits (a re-entered event handler) is refused
    // rather than nested.
    if (current_) {
        result.error = QStringLiteral("another request is in progress");
        return result;
    }

    QNetworkReply* reply = manager_->get(requestFor(address));
    current_ = reply;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs_);
    if (!reply->isFinished()) loop.exec();
    timer.stop();
    current_ = nullptr;

    result = resultOf(reply, timedOut);
    // Deleted here rather than later: without a running event loop (the CLI,
    // batch runs) deferred deletions would pile up.
    delete reply;
    return result;
}

} // namespace qv::platform
