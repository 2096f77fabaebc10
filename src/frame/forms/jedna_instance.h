#pragma once
// One running program per window caption: the first instance listens on a
// local socket named after its caption; a second start with the same caption
// connects to it, which asks the first one to restore its window.
#include <QObject>
#include <QString>

class QLocalServer;

namespace kavro {

class JednaInstance : public QObject {
    Q_OBJECT
public:
    explicit JednaInstance(QObject* parent = nullptr);
    ~JednaInstance() override;

    // The socket name for a caption (the registry file is part of it, so
    // programs on different configurations never meet).
    static QString jmenoSoketu(const QString& titulek);

    // True when another instance runs under this caption; it has been asked
    // to restore its window.
    static bool jizBezi(const QString& titulek);

    // Starts listening under the caption; every request emits obnovit().
    bool naslouchej(const QString& titulek);

signals:
    void obnovit();

private:
    QLocalServer* m_server = nullptr;
};

} // namespace kavro
