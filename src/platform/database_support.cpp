// What the database layer offers beside its connection and statements: the
// Czech sentence of an engine error, and a new database file made from db/.
#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace kavro {

QString engineErrorText(int code, const QString& engineText)
{
    QString czech;
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: czech = QStringLiteral("Databázi právě používá jiný program, zkuste to prosím znovu."); break;
    case SQLITE_READONLY: czech = QStringLiteral("Databázi lze pouze číst, změny nelze uložit."); break;
    case SQLITE_CANTOPEN: czech = QStringLiteral("Databázový soubor nelze otevřít."); break;
    case SQLITE_NOTADB: czech = QStringLiteral("Soubor není databáze."); break;
    case SQLITE_CORRUPT: czech = QStringLiteral("Databázový soubor je poškozen."); break;
    case SQLITE_FULL: czech = QStringLiteral("Na disku není místo pro databázi."); break;
    case SQLITE_IOERR: czech = QStringLiteral("Databázový soubor nelze číst nebo do něj zapisovat."); break;
    case SQLITE_CONSTRAINT: czech = QStringLiteral("Záznam porušuje pravidla databáze (například je již uložen)."); break;
    case SQLITE_PERM:
    case SQLITE_AUTH: czech = QStringLiteral("K databázi nemáte přístup."); break;
    default: czech = QStringLiteral("Databáze příkaz odmítla."); break;
    }
    return engineText.isEmpty() ? czech : czech + QLatin1Char('\n') + engineText;
}

// ---------------------------------------------------------------- new database

bool createDatabase(const QString& path, const QString& dbDir, QString* error)
{
    auto setErr = [&](const QString& e) { if (error) *error = e; return false; };
    if (QFileInfo::exists(path)) return setErr(QStringLiteral("Soubor %1 už existuje").arg(path));
    QDir dir(dbDir);
    const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) return setErr(QStringLiteral("Ve složce %1 nejsou soubory *.sql").arg(dbDir));
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Call records are personal data: the file (and the engine's -wal and -shm
    // files, which take its mode) is readable by its owner only.
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
            return setErr(QStringLiteral("Soubor %1 nelze vytvořit").arg(path));
    }
    // The scripts name tables without an owner: they run on the file itself.
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return setErr(QStringLiteral("Soubor %1 nelze vytvořit").arg(path));
    }
    registerSqlFunctions(db);
    auto abandon = [&](const QString& e) {
        sqlite3_close(db);
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        return setErr(e);
    };
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const QString& f : files) {
        QFile file(dir.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            return abandon(QStringLiteral("Soubor %1 nelze číst").arg(file.fileName()));
        char* err = nullptr;
        if (sqlite3_exec(db, file.readAll().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            const QString e = f + QStringLiteral(": ") + QString::fromUtf8(err ? err : "?");
            sqlite3_free(err);
            return abandon(e);
        }
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return abandon(QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_close(db);
    return true;
}

} // namespace kavro
