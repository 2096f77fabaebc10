#pragma once
// A small registry of keys by full path holding text values.
//
// Keys ("Software\Dorvek\Kavro\Sberac") and value names are compared without
// regard to letter case. Everything lives in one INI file, re-read before every
// write and replaced atomically, so several programs can share it without
// losing each other's values. The file's path comes from KAVRO_REGISTRY,
// else ~/.config/kavro/registry.ini. A missing value reads as "".
#include <QString>
#include <QStringList>
#include <QMap>
#include <functional>

namespace kavro {

// Where a data source is described: the key "SOFTWARE\ODBC\ODBC.INI\<name>"
// with the values "Database" (the database file) and "start" (the engine's
// start line). Other code names them through common/registry_names.h.
// A value "Driver" makes it a server's data source (see Transaction::connect).
namespace zdroj_dat {
inline const QString Klic = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\");
inline const QString Database = QStringLiteral("Database");
inline const QString Start = QStringLiteral("start");
inline const QString Driver = QStringLiteral("Driver");
} // namespace zdroj_dat

class Registry {
public:
    // The registry the program uses (path from the environment).
    static Registry& instance();
    // Path of the file behind instance(): $KAVRO_REGISTRY or ~/.config/kavro/registry.ini.
    static QString defaultPath();

    explicit Registry(const QString& path);

    QString path() const { return m_path; }
    // Points the registry at another file (tests use a temporary one).
    void setPath(const QString& path) { m_path = path; }

    // Value `name` of `key`; "" when the key or the value is missing.
    QString read(const QString& key, const QString& name) const;
    // True when the value exists (even empty).
    bool contains(const QString& key, const QString& name) const;
    // True when the key exists (even without values).
    bool hasKey(const QString& key) const;
    // Writes one value, creating the key; false (and nothing changed) when the file cannot be written.
    bool write(const QString& key, const QString& name, const QString& value);
    // Writes several values of one key in one go.
    bool writeAll(const QString& key, const QList<QPair<QString, QString>>& values);
    // Names and values of one key, in the order they were first written.
    QList<QPair<QString, QString>> values(const QString& key) const;
    // Removes a value; true when it is gone afterwards.
    bool remove(const QString& key, const QString& name);

private:
    struct Value { QString name; QString value; };
    struct Key { QString path; QList<Value> values; };
    using Store = QList<Key>;

    Store load() const;
    bool save(const Store& store) const;
    bool modify(const std::function<void(Store&)>& change);

    QString m_path;
};

} // namespace kavro
