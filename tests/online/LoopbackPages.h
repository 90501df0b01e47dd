#pragma once

#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// Answers every GET on 127.0.0.1 with a small page and keeps the request targets.
class LoopbackPages : public QObject {
public:
    LoopbackPages() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
        server_.listen(QHostAddress::LocalHost);
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    QStringList received;

private:
    void answer(QTcpSocket* socket) {
        QByteArray& buffer = buffers_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QByteArray target = buffer.left(buffer.indexOf("\r\n")).split(' ').value(1);
        buffers_.remove(socket);
        if (!target.endsWith("favicon.ico"))
            received << QString::fromLatin1(target);
        const QByteArray body =
            "<html><body>" + QString::fromLatin1(target).toHtmlEscaped().toLatin1() + "</body></html>";
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};
