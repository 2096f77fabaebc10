// The command lines of the program and of the development tools: each answers
// --help with its usage; the tools refuse an unknown option and never take an
// option for a folder or a file name, the program ignores what it does not read.
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Beh {
    int kod = -1;
    QString out, err;
};

Beh spust(const QString& program, const QStringList& argumenty, const QString& slozka, bool displej = true)
{
    QProcess p;
    p.setWorkingDirectory(slozka);
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", displej ? "offscreen" : "xcb");
    if (!displej) e.remove("DISPLAY");
    e.insert("KAVRO_REGISTRY", slozka + "/registry.ini");
    e.insert("KAVRO_DATA", slozka + "/data");
    p.setProcessEnvironment(e);
    p.start(program, argumenty);
    Beh b;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return b;
    }
    b.kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    b.out = QString::fromUtf8(p.readAllStandardOutput());
    b.err = QString::fromUtf8(p.readAllStandardError());
    return b;
}

QStringList programy() { return QString::fromUtf8(KAVRO_PROGRAMY).split('|', Qt::SkipEmptyParts); }

} // namespace

TEST(PrikazovaRadka, HelpAndUnknownOptions)
{
    kavro::test::TestEnv env(false);
    const QString dir = env.dir() + "/prace";
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_EQ(programy().size(), 5);
    for (const QString& program : programy()) {
        const QString jmeno = QFileInfo(program).fileName();
        SCOPED_TRACE(jmeno.toStdString());
        for (const QString& pomoc : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const Beh b = spust(program, {pomoc}, dir);
            EXPECT_EQ(b.kod, 0) << b.err.toStdString();
            EXPECT_TRUE(b.out.startsWith("použití: " + jmeno)) << b.out.toStdString();
        }
        if (jmeno == "kavro") continue; // it ignores other arguments (below)
        const Beh b = spust(program, {"--nesmysl"}, dir);
        EXPECT_EQ(b.kod, 2);
        EXPECT_TRUE(b.err.contains("--nesmysl")) << b.err.toStdString();
        EXPECT_TRUE(b.err.contains("použití: " + jmeno)) << b.err.toStdString();
    }
    // Nothing was created in the working folder nor in the settings.
    const QStringList zbylo = QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    EXPECT_TRUE(zbylo.isEmpty()) << zbylo.join(' ').toStdString();
}

TEST(PrikazovaRadka, AnOptionIsNeverAFolder)
{
    kavro::test::TestEnv env(false);
    const QString dir = env.dir() + "/prace";
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString demo = programy().filter("kavro-demo").value(0);
    const QString createdb = programy().filter("kavro-createdb").value(0);
    const QString gendata = programy().filter("kavro-gendata").value(0);
    // The program's usage needs no display.
    const Beh bezDispleje = spust(programy().value(0), {"--help"}, dir, false);
    EXPECT_EQ(bezDispleje.kod, 0) << bezDispleje.err.toStdString();
    EXPECT_TRUE(bezDispleje.out.startsWith("použití: kavro ")) << bezDispleje.out.toStdString();
    // The help wins wherever it stands.
    EXPECT_EQ(spust(demo, {"slozka", "--help"}, dir).kod, 0);
    EXPECT_EQ(spust(createdb, {"-h", "x.db"}, dir).kod, 0);
    // A dash word is an option, a value that is an option is missing.
    EXPECT_EQ(spust(demo, {"-x"}, dir).kod, 2);
    const Beh bezHodnoty = spust(gendata, {"--out", "--days"}, dir);
    EXPECT_EQ(bezHodnoty.kod, 2);
    EXPECT_TRUE(bezHodnoty.err.contains("--out")) << bezHodnoty.err.toStdString();
    // Too many or too few folders.
    EXPECT_EQ(spust(demo, {}, dir).kod, 2);
    EXPECT_EQ(spust(demo, {"a", "b"}, dir).kod, 2);
    EXPECT_EQ(spust(gendata, {"slozka"}, dir).kod, 2);
    const QStringList zbylo = QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    EXPECT_TRUE(zbylo.isEmpty()) << zbylo.join(' ').toStdString();
    // A real run still works.
    const Beh b = spust(createdb, {"nova.db"}, dir);
    EXPECT_EQ(b.kod, 0) << b.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir + "/nova.db"));
}

// The program takes its instance from "-n " and starts whatever else its line
// holds: "-nPobocka2" is no instance option, so the instance is "Sberac".
TEST(PrikazovaRadka, TheProgramIgnoresArgumentsItDoesNotRead)
{
    kavro::test::TestEnv env(false);
    const QString dir = env.dir() + "/start";
    ASSERT_TRUE(QDir().mkpath(dir));
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("KAVRO_REGISTRY", dir + "/registry.ini");
    e.insert("KAVRO_DATA", dir + "/data");
    p.setProcessEnvironment(e);
    p.setWorkingDirectory(dir);
    p.start(programy().value(0), {"-nPobocka2", "--nesmysl"});
    ASSERT_TRUE(p.waitForStarted());
    // The start-up opens its instance's settings before it asks for the password.
    QFile registr(dir + "/registry.ini");
    QString obsah;
    for (int i = 0; i < 300 && !obsah.contains("[Software\\Dorvek\\Kavro\\Sberac]"); ++i) {
        if (p.waitForFinished(100)) break;
        if (registr.open(QIODevice::ReadOnly)) {
            obsah = QString::fromUtf8(registr.readAll());
            registr.close();
        }
    }
    const bool bezi = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished();
    EXPECT_TRUE(bezi) << "exit " << p.exitCode() << ": " << p.readAllStandardError().toStdString();
    EXPECT_TRUE(obsah.contains("[Software\\Dorvek\\Kavro\\Sberac]")) << obsah.toStdString();
    EXPECT_FALSE(obsah.contains("Pobocka2")) << obsah.toStdString();
}
