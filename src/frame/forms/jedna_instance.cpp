#include "jedna_instance.h"

#include "platform/registry.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace kavro {

JednaInstance::JednaInstance(QObject* parent) : QObject(parent) {}

JednaInstance::~JednaInstance() = default;

QString JednaInstance::jmenoSoketu(const QString& titulek)
{
    // Captions may be long and hold any character: the name is a digest of them.
    const QByteArray klic = (titulek + u'\n' + Registry::instance().path()).toUtf8();
    return QStringLiteral("kavro-")
        + QString::fromLatin1(QCryptographicHash::hash(klic, QCryptographicHash::Sha1).toHex().left(24));
}

bool JednaInstance::jizBezi(const QString& titulek)
{
    QLocalSocket s;
    s.connectToServer(jmenoSoketu(titulek));
    if (!s.waitForConnected(1000)) return false;
    s.write("obnov\n");
    s.waitForBytesWritten(1000);
    s.disconnectFromServer();
    return true;
}

bool JednaInstance::naslouchej(const QString& titulek)
{
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString jmeno = jmenoSoketu(titulek);
    if (!m_server->listen(jmeno)) {
        // A socket left behind by a program that ended abnormally.
        QLocalServer::removeServer(jmeno);
        if (!m_server->listen(jmeno)) return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit obnovit();
        }
    });
    return true;
}

} // namespace kavro
