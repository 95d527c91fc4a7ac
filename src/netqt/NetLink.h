#pragma once
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "net/NetSession.h"

namespace zel {

// One network connection of the game over TCP, driving a NetSession: the
// host listens on a port and takes the first guest that connects (later
// ones are turned away), the guest connects to an address and a port.
// Every session event comes out as the `event` signal; the session's bytes
// go out as soon as there are any. Silence for SilenceTimeoutMs (30 s; tests
// give less) closes the link with kSilence; a KeepAlive goes out every
// KeepAliveMs. Whatever the other side sends that the session refuses closes
// the connection; nothing here writes a file.
class NetLink : public QObject {
    Q_OBJECT
public:
    NetLink(NetRole role, std::vector<std::string> localNames, int buildNumber,
            QObject* parent = nullptr);
    ~NetLink() override;

    // Host: listens on `port` (0: any free port) at `address` (every
    // address of the computer for the game; tests give 127.0.0.1). False,
    // with the reason in `error` (kCannotListen and the system's words).
    bool Listen(const QHostAddress& address, quint16 port, std::string& error);
    // The same on every address of the computer, as the game listens.
    bool Listen(quint16 port, std::string& error) { return Listen(QHostAddress::Any, port, error); }
    // The port listened on, and this computer's IPv4 addresses to tell the
    // guest (the loopback address last).
    quint16 ListenPort() const;
    QStringList ListenAddresses() const;
    // Guest: connects; `event` Closed with kCannotConnect when it fails.
    void Connect(const QString& host, quint16 port);

    // Tests shorten the timers; call before Listen or Connect.
    void SetTimeouts(int silenceMs, int keepAliveMs);

    NetSession& Session() { return session_; }
    // Sends what the session has to send now; call after driving it.
    void Flush();
    // Leaves the game: Bye goes out and the connection closes.
    void Quit();
    // Cuts the connection at once without a word, as a dropped network does (tests).
    void Abort();
    bool IsConnected() const;
    // Nothing is left to send: the socket is closed or has written everything.
    bool Drained() const;

signals:
    void event(const zel::NetEvent& e);
    // A guest connected (host) or the connection was made (guest).
    void connected();

private:
    void Adopt(QTcpSocket* socket);
    void OnReadyRead();
    void OnDisconnected();
    void OnSilence();
    void Deliver();
    void DeliverOne(const NetEvent& e);
    void Fail(const std::string& text);

    NetSession session_;
    QTcpServer server_;
    QTcpSocket* socket_ = nullptr;
    QTimer silence_;
    QTimer keepAlive_;
    int silenceMs_;
    int keepAliveMs_;
    bool closed_ = false;
    bool delivering_ = false;
};

}  // namespace zel
