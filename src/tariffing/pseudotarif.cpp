#include "tariffing/pseudotarif.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro::pseudotarif {

QString Napln_hodnotou(Transaction& t, const QString& typ_hovoru, const QString& typ_casu)
{
    Query q(t);
    q.setSQL(QStringLiteral("Select cas from dba.casy_pseudotarifu where typ_hovoru = ? and typ_casu = ?"));
    q.bind(1, typ_hovoru);
    q.bind(2, typ_casu);
    if (!q.run() || q.atEnd()) return QString();
    const QString cas = q.value(1);
    q.close();
    return cas;
}

bool Uloz(Transaction& t, const std::array<QString, 6>& casy, QString* chyba)
{
    UnitOfWork prace(t);
    auto selhani = [&](const QString& text) {
        if (chyba) *chyba = text;
        prace.rollback();
        return false;
    };
    Query q(t);
    if (!q.execute(QStringLiteral("Delete from dba.casy_pseudotarifu"))) return selhani(q.lastErrorText());
    q.setSQL(QStringLiteral("Insert into dba.casy_pseudotarifu "
                            "(typ_hovoru,typ_casu,cas,pocatek_platnosti,konec_platnosti) Values (?,?,?,?,?)"));
    for (size_t i = 0; i < Poradi.size(); ++i) {
        q.bindAll({QString::fromLatin1(Poradi[i].typ_hovoru), QString::fromLatin1(Poradi[i].typ_casu), casy[i],
                   QString::fromLatin1(Pocatek), QString::fromLatin1(Konec)});
        if (!q.execute()) return selhani(q.lastErrorText());
    }
    if (!prace.commit()) return selhani(prace.errorText());
    return true;
}

} // namespace kavro::pseudotarif
