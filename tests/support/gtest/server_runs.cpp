// Linked into every GoogleTest program: when the program runs against the
// PostgreSQL test server and none could be started on this machine, every
// test is skipped with the reason, rather than failing or passing silently.
#include "test_env.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class ServerRuns : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        const QString why = kavro::test::serverUnavailable();
        if (!why.isEmpty()) GTEST_SKIP() << "PostgreSQL runs skipped: " << why.toStdString();
    }
};

[[maybe_unused]] ::testing::Environment* const g_serverRuns = ::testing::AddGlobalTestEnvironment(new ServerRuns);

} // namespace
