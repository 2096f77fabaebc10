#include "registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace kavro {

namespace {

// Values are kept on one line: backslash, CR and LF are escaped.
QString escape(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'\\') out += QStringLiteral("\\\\");
        else if (c == u'\n') out += QStringLiteral("\\n");
        else if (c == u'\r') out += QStringLiteral("\\r");
        else out += c;
    }
    return out;
}

QString unescape(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size()) {
            QChar n = s[++i];
            if (n == u'n') out += u'\n';
            else if (n == u'r') out += u'\r';
            else out += n;
        } else {
            out += c;
        }
    }
    return out;
}

// Key paths are compared without regard to case and to a trailing separator.
QString normKey(const QString& key)
{
    QString k = key.trimmed();
    while (k.endsWith(u'\\')) k.chop(1);
    while (k.startsWith(u'\\')) k.remove(0, 1);
    return k;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

Registry& Registry::instance()
{
    static Registry r(defaultPath());
    return r;
}

QString Registry::defaultPath()
{
    const QByteArray env = qgetenv("KAVRO_REGISTRY");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return QDir::homePath() + QStringLiteral("/.config/kavro/registry.ini");
}

Registry::Registry(const QString& path) : m_path(path) {}

Registry::Store Registry::load() const
{
    Store store;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return store;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    Key* cur = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString path = normKey(line.mid(1, line.size() - 2));
            cur = nullptr;
            for (Key& k : store)
                if (sameName(k.path, path)) cur = &k;
            if (!cur) {
                store.append(Key{path, {}});
                cur = &store.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!cur || eq < 0) continue;
        const QString name = unescape(line.left(eq));
        const QString value = unescape(line.mid(eq + 1));
        bool found = false;
        for (Value& v : cur->values)
            if (sameName(v.name, name)) { v.value = value; found = true; }
        if (!found) cur->values.append(Value{name, value});
    }
    return store;
}

bool Registry::save(const Store& store) const
{
    QFileInfo fi(m_path);
    QDir().mkpath(fi.absolutePath());
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    // Passwords are kept here: only the owner may read the file.
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    for (const Key& k : store) {
        out << '[' << k.path << "]\n";
        for (const Value& v : k.values) {
            // '=' in a name would split it wrongly: names never hold one in this program.
            out << escape(v.name) << '=' << escape(v.value) << '\n';
        }
        out << '\n';
    }
    out.flush();
    return f.commit();
}

bool Registry::modify(const std::function<void(Store&)>& change)
{
    QFileInfo fi(m_path);
    QDir().mkpath(fi.absolutePath());
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(10000)) return false;
    Store store = load();
    change(store);
    return save(store);
}

QString Registry::read(const QString& key, const QString& name) const
{
    const QString path = normKey(key);
    const Store store = load();
    for (const Key& k : store)
        if (sameName(k.path, path))
            for (const Value& v : k.values)
                if (sameName(v.name, name)) return v.value;
    return QString();
}

bool Registry::contains(const QString& key, const QString& name) const
{
    const QString path = normKey(key);
    const Store store = load();
    for (const Key& k : store)
        if (sameName(k.path, path))
            for (const Value& v : k.values)
                if (sameName(v.name, name)) return true;
    return false;
}

bool Registry::hasKey(const QString& key) const
{
    const QString path = normKey(key);
    for (const Key& k : load())
        if (sameName(k.path, path)) return true;
    return false;
}

bool Registry::writeAll(const QString& key, const QList<QPair<QString, QString>>& values)
{
    const QString path = normKey(key);
    return modify([&](Store& store) {
        Key* cur = nullptr;
        for (Key& k : store)
            if (sameName(k.path, path)) cur = &k;
        if (!cur) {
            store.append(Key{path, {}});
            cur = &store.last();
        }
        for (const auto& [name, value] : values) {
            bool found = false;
            for (Value& v : cur->values)
                if (sameName(v.name, name)) { v.value = value; found = true; }
            if (!found) cur->values.append(Value{name, value});
        }
    });
}

bool Registry::write(const QString& key, const QString& name, const QString& value)
{
    return writeAll(key, {{name, value}});
}

QList<QPair<QString, QString>> Registry::values(const QString& key) const
{
    QList<QPair<QString, QString>> out;
    const QString path = normKey(key);
    for (const Key& k : load())
        if (sameName(k.path, path))
            for (const Value& v : k.values) out.append({v.name, v.value});
    return out;
}

bool Registry::remove(const QString& key, const QString& name)
{
    const QString path = normKey(key);
    return modify([&](Store& store) {
        for (Key& k : store)
            if (sameName(k.path, path))
                k.values.removeIf([&](const Value& v) { return sameName(v.name, name); });
    });
}

} // namespace kavro
