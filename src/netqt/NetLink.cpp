#include "netqt/NetLink.h"

#include <QNetworkInterface>

#include "net/NetLimits.h"
#include "net/NetTexts.h"

namespace zel {

namespace {

// Bytes read from the socket at a time; the session's decoder never holds
// more than one frame and one such chunk.
constexpr qint64 kReadChunk = 64 * 1024;

}  // namespace

NetLink::NetLink(NetRole role, std::vector<std::string> localNames, int buildNumber,
                 QObject* parent)
    : QObject(parent),
      session_(role, std::move(localNames), buildNumber),
      silenceMs_(kNetLimits.SilenceTimeoutMs),
      keepAliveMs_(kNetLimits.KeepAliveMs) {
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &NetLink::OnSilence);
    connect(&keepAlive_, &QTimer::timeout, this, [this] {
        session_.SendKeepAlive();
        Flush();
    });
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            if (socket_ != nullptr || closed_) {
                // One guest per game: later ones are turned away.
                s->abort();
                s->deleteLater();
                continue;
            }
            Adopt(s);
            server_.close();
            emit connected();
        }
    });
}

NetLink::~NetLink() {
    if (socket_ != nullptr) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void NetLink::SetTimeouts(int silenceMs, int keepAliveMs) {
    silenceMs_ = silenceMs;
    keepAliveMs_ = keepAliveMs;
}

bool NetLink::Listen(const QHostAddress& address, quint16 port, std::string& error) {
    if (!server_.listen(address, port)) {
        error = std::string(nettexts::kCannotListen) + server_.errorString().toStdString();
        return false;
    }
    return true;
}

quint16 NetLink::ListenPort() const { return server_.serverPort(); }

QStringList NetLink::ListenAddresses() const {
    // The addresses another computer can reach first; this computer's own
    // loopback last (a second copy of the game here can use it).
    QStringList out, loopback;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol) continue;
        (a.isLoopback() ? loopback : out) << a.toString();
    }
    return out + loopback;
}

void NetLink::Connect(const QString& host, quint16 port) {
    auto* s = new QTcpSocket(this);
    Adopt(s);
    connect(s, &QTcpSocket::connected, this, [this] {
        session_.Start();
        Flush();
        emit connected();
    });
    s->connectToHost(host, port);
}

void NetLink::Adopt(QTcpSocket* socket) {
    socket_ = socket;
    socket_->setParent(this);
    socket_->setReadBufferSize(kReadChunk);
    connect(socket_, &QTcpSocket::readyRead, this, &NetLink::OnReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, &NetLink::OnDisconnected);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) return;  // disconnected() follows
        const bool connecting = socket_ != nullptr && socket_->state() != QAbstractSocket::ConnectedState &&
                                session_.CurrentPhase() == NetSession::Phase::Handshake;
        Fail(connecting ? std::string(nettexts::kCannotConnect) + socket_->errorString().toStdString()
                        : std::string(nettexts::kConnectionLost));
    });
    silence_.start(silenceMs_);
    keepAlive_.start(keepAliveMs_);
}

bool NetLink::IsConnected() const {
    return socket_ != nullptr && socket_->state() == QAbstractSocket::ConnectedState && !closed_;
}

bool NetLink::Drained() const {
    return socket_ == nullptr || socket_->state() == QAbstractSocket::UnconnectedState ||
           socket_->bytesToWrite() == 0;
}

void NetLink::Flush() {
    const std::string out = session_.TakeOutgoing();
    if (!out.empty() && socket_ != nullptr && socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(out.data(), static_cast<qint64>(out.size()));
    Deliver();
}

void NetLink::Deliver() {
    // An event's receiver may drive the session and Flush again: the events
    // that adds are delivered by this loop, after the ones before them.
    if (delivering_) return;
    delivering_ = true;
    for (std::vector<NetEvent> batch = session_.TakeEvents(); !batch.empty();
         batch = session_.TakeEvents())
        for (const NetEvent& e : batch) DeliverOne(e);
    delivering_ = false;
}

void NetLink::DeliverOne(const NetEvent& e) {
    if (e.Kind == NetEventKind::Closed && !closed_) {
        closed_ = true;
        silence_.stop();
        keepAlive_.stop();
        // What the session said last (a Refuse, a Bye) goes out before the close.
        if (socket_ != nullptr) {
            socket_->flush();
            socket_->disconnectFromHost();
        }
    }
    emit event(e);
}

void NetLink::OnReadyRead() {
    if (socket_ == nullptr || closed_) return;
    // Bounded: each round takes one chunk; a peer that floods the link is
    // stopped by the session's checks, not by this loop.
    while (socket_->bytesAvailable() > 0 && !closed_) {
        const QByteArray chunk = socket_->read(kReadChunk);
        if (chunk.isEmpty()) break;
        silence_.start(silenceMs_);
        session_.Receive(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
        Flush();
    }
}

void NetLink::OnDisconnected() { Fail(nettexts::kConnectionLost); }

void NetLink::OnSilence() { Fail(nettexts::kSilence); }

void NetLink::Fail(const std::string& text) {
    if (closed_) return;
    session_.Fail(text);
    Flush();
}

void NetLink::Quit() {
    if (closed_) return;
    session_.Quit();
    Flush();
}

void NetLink::Abort() {
    if (socket_ != nullptr) socket_->abort();
    Fail(nettexts::kConnectionLost);
}

}  // namespace zel
