#include "internal_directory/directory_import.h"

#include "internal_directory/prirazeni_pobocek.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QMap>
#include <functional>

namespace kavro {

namespace {

QString velkym(QString t)
{
    if (!t.isEmpty()) t[0] = t[0].toUpper();
    return t;
}

// Who holds a number by a row: the path of names, or the pool, or the exchange.
QString drzitel(const QString& firma, const QString& oddeleni, const QString& osoba, const QString& nazevFirmy,
                const QString& nazevOddeleni, const QString& jmenoOsoby)
{
    const QString nic = QStringLiteral("9999");
    if (firma == nic && oddeleni == nic && osoba == nic) return QStringLiteral("volná linka (bez přiřazení)");
    if (firma == u"0" && oddeleni == u"0" && osoba == u"0") return QStringLiteral("přímo ústředna");
    QString cesta = nazevFirmy.isEmpty() ? QStringLiteral("firma č. ") + firma : nazevFirmy;
    if (oddeleni != u"0" && oddeleni != nic)
        cesta +=
            QLatin1Char('\\') + (nazevOddeleni.isEmpty() ? QStringLiteral("oddělení č. ") + oddeleni : nazevOddeleni);
    if (osoba != u"0" && osoba != nic)
        cesta += QLatin1Char('\\')
            + (jmenoOsoby.trimmed().isEmpty() ? QStringLiteral("osoba č. ") + osoba : jmenoOsoby.trimmed());
    return cesta;
}

} // namespace

DirectoryImport::DirectoryImport() : m_koren(std::make_unique<Node>()) {}
DirectoryImport::~DirectoryImport() = default;

DirectoryImport::Node* DirectoryImport::najdiNeboPridej(Node* rodic, const QString& klic, const QString& text,
                                                        const Str_firma& zaznam)
{
    if (Node* n = rodic->podle_klice.value(klic)) return n;
    auto n = std::make_unique<Node>();
    n->text = text;
    n->zaznam = zaznam;
    n->rodic = rodic;
    Node* p = n.get();
    rodic->deti.push_back(std::move(n));
    rodic->podle_klice.insert(klic, p);
    ++m_pocet;
    return p;
}

void DirectoryImport::Vloz_item(const Str_firma& r)
{
    Str_firma f;
    f.firma = r.firma;
    f.typ = QStringLiteral("F");
    Node* firma = najdiNeboPridej(m_koren.get(), r.firma, r.firma, f);

    Str_firma s = f;
    s.oddeleni = r.oddeleni;
    s.typ = QStringLiteral("S");
    Node* oddeleni = najdiNeboPridej(firma, r.oddeleni, r.oddeleni, s);

    Str_firma o = s;
    o.prijmeni = r.prijmeni;
    o.jmeno = r.jmeno;
    o.titul = r.titul;
    o.typ = QStringLiteral("O");
    // Two people of one surname in one department are two persons.
    const QString klic = r.prijmeni + QChar(0x1f) + r.jmeno + QChar(0x1f) + r.titul;
    QString text = r.prijmeni;
    for (const QString& cast : {r.jmeno, r.titul})
        if (!cast.isEmpty()) text += QLatin1Char(' ') + cast;
    Node* osoba = najdiNeboPridej(oddeleni, klic, text, o);

    if (r.linka.isEmpty()) return;
    Str_firma t;
    t.firma = r.firma;
    t.oddeleni = r.oddeleni;
    t.prijmeni = r.prijmeni;
    t.linka = r.linka;
    t.typ = QStringLiteral("T");
    t.soubor = r.soubor;
    t.radek = r.radek;
    najdiNeboPridej(osoba, r.linka, r.linka, t);
}

bool DirectoryImport::zkontroluj(Transaction& t, const QString& od, QString* chyba)
{
    auto odmitni = [&](const QString& text) {
        if (chyba) *chyba = text;
        return false;
    };
    // The lines in the tree's order, each with its department node.
    QList<const Node*> linky;
    std::function<void(const Node*)> projdi = [&](const Node* n) {
        if (n->zaznam.typ == u"T") linky << n;
        for (const auto& d : n->deti) projdi(d.get());
    };
    projdi(m_koren.get());
    const auto oddeleniUzlu = [](const Node* linka) { return linka->rodic ? linka->rodic->rodic : nullptr; };

    QMap<QString, const Node*> prvni; // the first line of each number
    Query pozdejsi(
        t,
        QStringLiteral(
            "SELECT p.Pocatek_platnosti, p.ID_firmy, p.ID_Oddeleni, p.ID_Osoby, f.nazev_firmy, o.nazev_oddeleni, "
            "s.prijmeni, s.jmeno "
            "FROM dba.prirazeni_pobocek p "
            "LEFT OUTER JOIN dba.ciselnik_firem f ON f.ID_Firmy = p.ID_firmy "
            "LEFT OUTER JOIN dba.ciselnik_oddeleni o ON o.ID_Oddeleni = p.ID_Oddeleni "
            "LEFT OUTER JOIN dba.ciselnik_osob s ON s.ID_Osoby = p.ID_Osoby "
            "WHERE p.Cislo_pobocky = ? AND p.Pocatek_platnosti >= ? AND p.Konec_platnosti > ? "
            "ORDER BY p.Pocatek_platnosti"));
    for (const Node* n : linky) {
        const Str_firma& z = n->zaznam;
        if (!PrirazeniPobocek::platne_cislo(z.linka))
            return odmitni(velkym(z.puvod()) + QStringLiteral(": číslo linky „%1“ nelze uložit.\n").arg(z.linka)
                           + PrirazeniPobocek::textNeplatneCislo());
        // One number in two departments of the file: both would hold it from the start.
        if (const Node* p = prvni.value(z.linka)) {
            if (oddeleniUzlu(p) != oddeleniUzlu(n))
                return odmitni(velkym(z.puvod())
                               + QStringLiteral(": linka %1 je v importu už u %2\\%3 (%4), od počátku platnosti by "
                                                "patřila dvěma oddělením.")
                                     .arg(z.linka, p->zaznam.firma, p->zaznam.oddeleni, p->zaznam.puvod()));
            continue;
        }
        prvni.insert(z.linka, n);
        // A holder from the start or later keeps the number: the line would
        // give it to a second holder then.
        pozdejsi.bindAll({z.linka, od, od});
        if (!pozdejsi.run())
            return odmitni(QStringLiteral("Přiřazení linek nelze ověřit.\n") + pozdejsi.lastErrorText());
        if (!pozdejsi.atEnd()) {
            const QString text = velkym(z.puvod())
                + QStringLiteral(": linka %1 je od %2 přiřazena jinam (%3).\nImport by ji od té chvíle ponechal "
                                 "přiřazenou dvakrát.")
                      .arg(z.linka, pozdejsi.value(1),
                           drzitel(pozdejsi.value(2), pozdejsi.value(3), pozdejsi.value(4), pozdejsi.value(5),
                                   pozdejsi.value(6), pozdejsi.value(7) + QLatin1Char(' ') + pozdejsi.value(8)));
            return odmitni(text);
        }
        pozdejsi.close();
    }
    return true;
}

bool DirectoryImport::uloz(Transaction& t, const QString& od, QString* chyba)
{
    // Everything that would leave the directory wrong is refused before anything is written.
    if (!zkontroluj(t, od, chyba)) return false;
    Savepoint sp(t);
    auto selhalo = [&](const QString& co, const QString& text) {
        if (chyba) *chyba = co + QLatin1Char('\n') + text;
        return false;
    };
    if (!sp.ok()) return selhalo(QStringLiteral("Import nelze začít."), t.lastErrorText());

    const QString konec = otevrenyKonec();
    const QString nic = QStringLiteral("9999");
    Query firma(t, QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy) VALUES (?)"));
    Query oddeleni(t, QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (nazev_oddeleni, ID_Firmy) VALUES (?, ?)"));
    Query osoba(
        t,
        QStringLiteral(
            "INSERT INTO dba.ciselnik_osob (prijmeni, jmeno, titul, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, ?, ?)"));
    Query prirazeni(t, QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (pocatek_platnosti, konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby, "
        "Cislo_pobocky) VALUES (?, ?, ?, ?, ?, ?)"));
    // The line's earlier holders give it up at the start; rows that begin at
    // the start or later are left alone.
    Query ukonci(t, QStringLiteral(
        "UPDATE dba.prirazeni_pobocek SET konec_platnosti = ? "
        "WHERE Cislo_pobocky = ? AND pocatek_platnosti < ? AND konec_platnosti > ?"));

    auto noveId = [&](Query& ins, const QString& tabulka, const QString& sloupec, const QVariantList& hodnoty,
                      QString& id) {
        ins.bindAll(hodnoty);
        if (!ins.execute()) return selhalo(QStringLiteral("Záznam nelze uložit."), ins.lastErrorText());
        QString proc;
        id = PrirazeniPobocek::novy_klic(t, tabulka, sloupec, &proc);
        return !id.isEmpty() || selhalo(QStringLiteral("Nové číslo záznamu nelze zjistit."), proc);
    };
    auto radek = [&](const Str_firma& z, const QString& osobaId, const QString& oddeleniId, const QString& linka) {
        prirazeni.bindAll({od, konec, z.ID_Firmy, oddeleniId, osobaId, linka});
        return prirazeni.execute()
               || selhalo(QStringLiteral("Přiřazení nelze uložit."), prirazeni.lastErrorText());
    };

    std::function<bool(Node*)> uloz_uzel = [&](Node* n) -> bool {
        Str_firma& z = n->zaznam;
        if (n->rodic && n->rodic != m_koren.get()) {
            const Str_firma& r = n->rodic->zaznam;
            z.ID_Firmy = r.ID_Firmy;
            if (z.typ != u"S") z.ID_Oddeleni = r.ID_Oddeleni;
            if (z.typ == u"T") z.ID_Osoby = r.ID_Osoby;
        }
        bool ok = true;
        if (z.typ == u"F") {
            ok = noveId(firma, QStringLiteral("ciselnik_firem"), QStringLiteral("ID_Firmy"), {z.firma.left(30)},
                        z.ID_Firmy)
                && radek(z, nic, nic, nic);
        } else if (z.typ == u"S") {
            ok = noveId(oddeleni, QStringLiteral("ciselnik_oddeleni"), QStringLiteral("ID_Oddeleni"),
                        {z.oddeleni.left(25), z.ID_Firmy}, z.ID_Oddeleni)
                && radek(z, nic, z.ID_Oddeleni, nic);
        } else if (z.typ == u"O") {
            ok = noveId(osoba, QStringLiteral("ciselnik_osob"), QStringLiteral("ID_Osoby"),
                        {z.prijmeni.left(22), z.jmeno.left(15), z.titul.left(8), z.ID_Firmy, z.ID_Oddeleni}, z.ID_Osoby)
                && radek(z, z.ID_Osoby, z.ID_Oddeleni, nic);
        } else if (z.typ == u"T") {
            ukonci.bindAll({od, z.linka, od, od});
            ok = (ukonci.execute() || selhalo(QStringLiteral("Předchozí přiřazení linky nelze ukončit."),
                                               ukonci.lastErrorText()))
                 && radek(z, z.ID_Osoby, z.ID_Oddeleni, z.linka);
        }
        if (!ok) return false;
        for (auto& d : n->deti)
            if (!uloz_uzel(d.get())) return false;
        return true;
    };
    for (auto& f : m_koren->deti)
        if (!uloz_uzel(f.get())) return false;  // the savepoint undoes the rest
    if (!sp.release()) return selhalo(QStringLiteral("Import nelze dokončit."), t.lastErrorText());
    return true;
}

} // namespace kavro
