#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace {

// A client that connects and never finishes its request is dropped after this long.
constexpr int idleClientMs = 10000;

QByteArray requestFor(const QByteArray& path)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(path.size()), out.data());
    return out + path;
}

} // namespace

SingleInstance::SingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), m_path(std::move(serverPath))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverPathFor(const QString& settingsFile)
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    const QByteArray key = QCryptographicHash::hash(QFileInfo(settingsFile).absoluteFilePath().toUtf8(),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(16);
    QString user = qEnvironmentVariable("USER");
    user.remove(QLatin1Char('/'));
    return dir + QStringLiteral("/" CODEORCHARDIST_APP_ID "-") + user + QLatin1Char('-') + QString::fromLatin1(key);
}

bool SingleInstance::handOver(const QByteArray& folder, int timeoutMs) const
{
    if (folder.size() > qsizetype(maximumRequest))
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(requestFor(folder));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (answer.size() < 3 && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer.startsWith("ok\n");
}

bool SingleInstance::listen()
{
    // Listening with access options replaces whatever socket is at the path, so a live instance
    // is asked first; a socket no one answers on is a dead instance's leftover.
    QLocalSocket probe;
    probe.connectToServer(m_path);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(m_path);
    return m_server.listen(m_path);
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(idleClientMs, socket, [socket] { socket->abort(); });
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket)
{
    if (socket->property("answered").toBool() || socket->bytesAvailable() < 4)
        return;
    QByteArray head = socket->peek(4);
    const quint32 length = qFromBigEndian<quint32>(head.constData());
    if (length > maximumRequest) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(4 + length))
        return;
    socket->read(4);
    const QByteArray folder = socket->read(length);
    socket->setProperty("answered", true);
    socket->write("ok\n");
    socket->flush();
    socket->disconnectFromServer();
    emit activationRequested(folder);
}
