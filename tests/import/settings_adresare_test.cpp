// Drives and folders as the directory picker lists them.
#include "import/adresare.h"
#include "platform/mounts.h"
#include "common/konfigurace.h"
#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kavro;

namespace {

QStringList cesty(const QList<Disk>& disky)
{
    QStringList r;
    for (const Disk& d : disky) r << d.cesta;
    return r;
}

} // namespace

TEST(Pripojeni, KeepsRootHomeDisksAndSharesInPathOrder)
{
    const QByteArray tabulka =
        "overlay / overlay rw,relatime 0 0\n"
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sda1 /etc/hosts ext4 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "/dev/sdb1 /run/media/petr/USB\\040DISK vfat rw 0 0\n"
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "//srv/share /mnt/share cifs rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/sdc1 /data/ ext4 rw 0 0\n"
        "/dev/sdc1 /data xfs rw 0 0\n"
        "garbage\n";
    const QList<Disk> d = rozeberPripojeni(tabulka, QStringLiteral("/home/petr/"));
    EXPECT_EQ(cesty(d), (QStringList{"/", "/data", "/home", "/home/petr", "/mnt/nfs", "/mnt/share",
                                     "/run/media/petr/USB DISK"}));
    EXPECT_EQ(d[4].vzdalenaCesta, QStringLiteral("server:/export"));
    EXPECT_EQ(d[5].vzdalenaCesta, QStringLiteral("//srv/share"));
    EXPECT_TRUE(d[0].vzdalenaCesta.isEmpty());
    EXPECT_TRUE(d[6].vzdalenaCesta.isEmpty());

    // A home on the root file system adds nothing; an empty table still gives the root.
    EXPECT_EQ(cesty(rozeberPripojeni(QByteArray(), QStringLiteral("/"))), QStringList{"/"});
}

TEST(Pripojeni, DriveOfAPathIsTheLongestMountAboveIt)
{
    const QList<Disk> d = {{"/", {}}, {"/home", {}}, {"/home/petr", {}}, {"/mnt/share", "//srv/share"}};
    EXPECT_EQ(diskCesty(d, QStringLiteral("/home/petr/data/")), 2);
    EXPECT_EQ(diskCesty(d, QStringLiteral("/home/petr/")), 2);
    EXPECT_EQ(diskCesty(d, QStringLiteral("/home/petra/")), 1);
    EXPECT_EQ(diskCesty(d, QStringLiteral("/homer/")), 0);
    EXPECT_EQ(diskCesty(d, QStringLiteral("/")), 0);
    EXPECT_EQ(diskCesty(d, QString()), -1);
    EXPECT_EQ(diskCesty(d, QStringLiteral("\\\\srv\\x")), -1);
}

TEST(Adresare, FoldersFirstThenFilesEachSortedWithoutRegardToCase)
{
    QTemporaryDir tmp;
    QDir root(tmp.path());
    for (const char* s : {"b", "A", ".skryta", "Zeta"}) root.mkdir(QString::fromLatin1(s));
    for (const char* s : {"a.txt", "B.txt", ".hidden", "c"}) {
        QFile f(root.filePath(QString::fromLatin1(s)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::link(root.filePath("b"), root.filePath("odkaz"));  // a link to a folder is a folder

    const QList<PolozkaAdresare> p = obsahAdresare(tmp.path() + "/");
    QStringList jmena;
    QList<bool> slozky;
    for (const auto& e : p) {
        jmena << e.jmeno;
        slozky << e.slozka;
    }
    EXPECT_EQ(jmena, (QStringList{".skryta", "A", "b", "odkaz", "Zeta", ".hidden", "a.txt", "B.txt", "c"}));
    EXPECT_EQ(slozky, (QList<bool>{true, true, true, true, true, false, false, false, false}));
    EXPECT_FALSE(jmena.contains(".") || jmena.contains(".."));

    // The same folder given without its final "/" lists the same.
    EXPECT_EQ(obsahAdresare(tmp.path()).size(), p.size());
    EXPECT_TRUE(obsahAdresare(tmp.path() + "/chybi/").isEmpty());
    EXPECT_TRUE(obsahAdresare(QString()).isEmpty());
}

TEST(Adresare, ParentFolderAndFinalSeparator)
{
    EXPECT_EQ(nadrizenyAdresar("/data/old/"), "/data/");
    EXPECT_EQ(nadrizenyAdresar("/data/old"), "/data/");
    EXPECT_EQ(nadrizenyAdresar("/data/"), "/");
    EXPECT_EQ(nadrizenyAdresar("/"), "");
    EXPECT_EQ(nadrizenyAdresar(""), "");
    EXPECT_EQ(nadrizenyAdresar("relative/"), "");

    EXPECT_EQ(sKoncovymLomitkem("/data"), "/data/");
    EXPECT_EQ(sKoncovymLomitkem("/data/"), "/data/");
    EXPECT_EQ(sKoncovymLomitkem(""), "");
}

TEST(Adresare, ImportReadsTheDirectoryOfTheStoredChoice)
{
    QTemporaryDir tmp;
    Registry reg(tmp.filePath("registry.ini"));
    const QString klic = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");
    reg.write(klic, "DatovyAdresar", "/var/sberac");
    reg.write(klic, "VstupniDatovyAdresarKavro", "/srv/kavro/");
    {
        konfiguracni_hodnoty k(konfiguracni_hodnoty::zakladniKlic(), "Sberac", reg);
        EXPECT_EQ(vstupniAdresar(k), "/var/sberac/");  // no choice stored: the collector's
    }
    for (const char* jina : {"Ano", "", "ne", "NE", "Ne "}) {
        reg.write(klic, "DatovyZdrojSberace", jina);
        konfiguracni_hodnoty k(konfiguracni_hodnoty::zakladniKlic(), "Sberac", reg);
        EXPECT_EQ(vstupniAdresar(k), "/var/sberac/") << jina;
    }
    reg.write(klic, "DatovyZdrojSberace", "Ne");
    konfiguracni_hodnoty k(konfiguracni_hodnoty::zakladniKlic(), "Sberac", reg);
    EXPECT_EQ(vstupniAdresar(k), "/srv/kavro/");
    k.nastav_promennou("VstupniDatovyAdresarKavro", "", "");
    EXPECT_EQ(vstupniAdresar(k), "");
}
