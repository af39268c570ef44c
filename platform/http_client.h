#pragma once
// One synchronous HTTP GET, the way the enquiry pages and the versions page
// are fetched. The caller gets the body as text whatever the HTTP status:
// the program looks at the page, never at the status code. Only a request
// that brings back no answer at all (refused, unresolvable host, time-out,
// aborted) fails.

#include <QString>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QUrl;

namespace qv::platform {

struct HttpResult {
    bool ok = false;        // an answer came back (any status)
    QString body;           // the response body decoded to text
    QString error;          // why no answer came back (for logs and tests)
    int status = 0;         // the HTTP status of an answer
    QByteArray retryAfter;  // its Retry-After header, when it has one
    bool retryable = false; // no answer because the connection was reset or timed out
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResult get(const QString& url) = 0;
};

// The real client on QNetworkAccessManager. One GET, no cache read or write,
// redirects followed. The body is decoded by the charset of the response's
// Content-Type, else as Windows-1252. While it waits, a local event loop runs
// so that windows keep repainting and a cancel button can call abort().
// Needs a QCoreApplication.
class NetworkHttpClient : public HttpClient {
public:
    static constexpr int kDefaultTimeoutMs = 60000;

    explicit NetworkHttpClient(int timeoutMs = kDefaultTimeoutMs);
    ~NetworkHttpClient() override;

    HttpResult get(const QString& url) override;

    // Stops the request in progress, which then fails; nothing when idle.
    void abort();
    void setTimeoutMs(int ms) { timeoutMs_ = ms > 0 ? ms : kDefaultTimeoutMs; }
    int timeoutMs() const { return timeoutMs_; }

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* current_ = nullptr;
    int timeoutMs_;
};

// The result of a finished reply: an answer whenever a status line came
// back, unless `timedOut` or the reply was aborted. The reply is not deleted.
HttpResult resultOf(QNetworkReply* reply, bool timedOut);

// The request every GET of the program makes: no cache read or write.
QNetworkRequest requestFor(const QUrl& address);

// Text of a response body: the charset named in `contentType` when known
// (UTF-8, UTF-16, Latin-1 read as Windows-1252 the way browsers do),
// otherwise Windows-1252.
QString decodeBody(const QByteArray& body, const QByteArray& contentType);

} // namespace qv::platform
