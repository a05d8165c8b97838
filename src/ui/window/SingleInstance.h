#pragma once

#include <QLocalServer>
#include <QObject>
#include <QByteArray>
#include <QString>

class QLocalSocket;

// One running window per settings file. The first start listens on a local socket of the
// user's own; a later start hands its FOLDER to it and exits instead of opening a second window
// that would fight over the stored root folder.
//
// On the socket a request is a 4-byte big-endian length and that many bytes of the folder
// path ("" only brings the window forward); the running instance answers "ok\n".
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket path for the instance that keeps its settings in `settingsFile`: in
    // $XDG_RUNTIME_DIR (else the temporary folder), named by the application id and the file.
    static QString serverPathFor(const QString& settingsFile);

    // Hands `folder` to a running instance; true when it took it. False at once when no instance
    // listens, and after `timeoutMs` when one does not answer.
    bool handOver(const QByteArray& folder, int timeoutMs = 10000) const;

    // Becomes the running instance; a socket left behind by one that crashed is replaced. False
    // when another instance answers there or the socket cannot be made (the program then runs
    // on its own).
    bool listen();
    bool isListening() const { return m_server.isListening(); }

    // Longest folder path a request may carry.
    static constexpr quint32 maximumRequest = 64 * 1024;

signals:
    // A later start asked for `folder` ("" when it gave none).
    void activationRequested(const QByteArray& folder);

private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString m_path;
    QLocalServer m_server;
};
