#pragma once

#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A scripted HTTP server on 127.0.0.1 in the test's own thread: each path answers as told,
// including badly (closing mid-body, never answering).
class LoopbackServer : public QTcpServer {
public:
    enum class Mode { Answer, CloseMidBody, Silent, NoLength };
    struct Route {
        Mode mode = Mode::Answer;
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        QByteArray location; // for redirects
    };

    LoopbackServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                serve(socket);
        });
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    QString url(const QString& path) const { return base() + path; }
    void route(const QByteArray& path, Route r) { routes_.insert(path, std::move(r)); }
    void answer(const QByteArray& path, const QByteArray& body, int status = 200) {
        route(path, {Mode::Answer, status, body});
    }

    int requests = 0;
    int answered = 0; // responses fully sent or cut off as scripted

private:
    void serve(QTcpSocket* socket) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            ++requests;
            const QByteArray path = requestLine.value(1);
            const Route r = routes_.value(path, Route{Mode::Answer, 404, "not here"});
            QPointer<QTcpSocket> guarded(socket);
            QTimer::singleShot(r.delayMs, this, [this, guarded, r] {
                if (guarded)
                    respond(guarded, r);
            });
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    void respond(QTcpSocket* socket, const Route& r) {
        if (r.mode == Mode::Silent)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + " Scripted\r\n";
        if (!r.location.isEmpty())
            head += "Location: " + r.location + "\r\n";
        if (r.mode == Mode::Answer)
            head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        if (r.mode == Mode::CloseMidBody)
            head += "Content-Length: " + QByteArray::number(r.body.size() * 2 + 10) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head + r.body);
        ++answered;
        socket->disconnectFromHost();
    }

    QHash<QByteArray, Route> routes_;
};
