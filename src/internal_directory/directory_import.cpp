#include "internal_directory/directory_import.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <functional>

namespace kavro {

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
    najdiNeboPridej(osoba, r.linka, r.linka, t);
}

bool DirectoryImport::uloz(Transaction& t, const QString& od, QString* chyba)
{
    Savepoint sp(t);
    auto selhalo = [&](const QString& co, const QString& text) {
        if (chyba) *chyba = co + QLatin1Char('\n') + text;
        return false;
    };
    if (!sp.ok()) return selhalo(QStringLiteral("Import nelze začít."), t.lastErrorText());

    const QString konec = otevrenyKonec();
    const QString nic = QStringLiteral("9999");
    Query firma(t, QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy) VALUES (?)"));
    Query maxFirma(t, QStringLiteral("SELECT max(ID_Firmy) FROM dba.ciselnik_firem"));
    Query oddeleni(t, QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (nazev_oddeleni, ID_Firmy) VALUES (?, ?)"));
    Query maxOddeleni(t, QStringLiteral("SELECT max(ID_Oddeleni) FROM dba.ciselnik_oddeleni"));
    Query osoba(t, QStringLiteral(
        "INSERT INTO dba.ciselnik_osob (prijmeni, jmeno, titul, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, ?, ?)"));
    Query maxOsoba(t, QStringLiteral("SELECT max(ID_Osoby) FROM dba.ciselnik_osob"));
    Query prirazeni(t, QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (pocatek_platnosti, konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby, "
        "Cislo_pobocky) VALUES (?, ?, ?, ?, ?, ?)"));
    // The line's earlier holders give it up at the start; rows that begin at
    // the start or later are left alone.
    Query ukonci(t, QStringLiteral(
        "UPDATE dba.prirazeni_pobocek SET konec_platnosti = ? "
        "WHERE Cislo_pobocky = ? AND pocatek_platnosti < ? AND konec_platnosti > ?"));

    auto noveId = [&](Query& ins, Query& max, const QVariantList& hodnoty, QString& id) {
        ins.bindAll(hodnoty);
        if (!ins.execute()) return selhalo(QStringLiteral("Záznam nelze uložit."), ins.lastErrorText());
        if (!max.run() || max.atEnd()) return selhalo(QStringLiteral("Nové číslo záznamu nelze zjistit."), max.lastErrorText());
        id = max.value(1);
        max.close();
        return true;
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
            ok = noveId(firma, maxFirma, {z.firma.left(30)}, z.ID_Firmy) && radek(z, nic, nic, nic);
        } else if (z.typ == u"S") {
            ok = noveId(oddeleni, maxOddeleni, {z.oddeleni.left(25), z.ID_Firmy}, z.ID_Oddeleni)
                 && radek(z, nic, z.ID_Oddeleni, nic);
        } else if (z.typ == u"O") {
            ok = noveId(osoba, maxOsoba,
                        {z.prijmeni.left(22), z.jmeno.left(15), z.titul.left(8), z.ID_Firmy, z.ID_Oddeleni},
                        z.ID_Osoby)
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
