#include "benchmark.h"

#include "platform/database.h"
#include "tarifovani_bulk.h"

#include <QFile>
#include <sys/resource.h>
#include <unistd.h>

namespace kavro::benchmark {

qint64 peakRssKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

qint64 currentRssKiB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

bool freshDatabase(const Context& c, const QString& name, QString* error)
{
    const QString path = c.workDir + QLatin1Char('/') + name;
    Transaction::main().disconnect();
    if (!createDatabase(path, c.dbDir.isEmpty() ? QStringLiteral(KAVRO_DB_DIR) : c.dbDir, error)) return false;
    if (!Transaction::main().connectFile(path, 16 * 1024)) {
        if (error) *error = Transaction::main().lastErrorText();
        return false;
    }
    return true;
}

bool generatedCalls(const Context& c, const QString& file, std::initializer_list<const char*> statements,
                    QString* error)
{
    Transaction& t = Transaction::main();
    if (!freshDatabase(c, file, error) || !t.connectFile(c.workDir + QLatin1Char('/') + file, 256 * 1024)
        || !fillLargeDirectories(error) || !addGeneratedCalls(1, c.calls, error))
        return false;
    for (const char* s : statements) {
        if (!t.exec(QString::fromUtf8(s))) {
            if (error) *error = t.lastErrorText();
            return false;
        }
    }
    return t.commit();
}

QList<Measure>& registeredMeasures()
{
    static QList<Measure> list;
    return list;
}

} // namespace kavro::benchmark
