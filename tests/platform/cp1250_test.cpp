#include "platform/cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, CzechLettersBothWays)
{
    const QString text = QStringLiteral("Příchozí ŽLUŤOUČKÝ kůň úpěl ďábelské ódy §€");
    const QByteArray bytes = kavro::toCp1250(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(kavro::fromCp1250(bytes), text);
    // A few fixed points of the code page.
    EXPECT_EQ(kavro::fromCp1250(QByteArray("\xF8\xE9\x8A\x9E", 4)), QStringLiteral("řéŠž"));
    EXPECT_EQ(kavro::toCp1250(QStringLiteral("日")), QByteArray("?"));
}
