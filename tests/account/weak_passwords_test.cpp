#include "account/weak_passwords.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(WeakPasswords, OneTextOf118CharactersHolding16Entries) {
    EXPECT_EQ(kWeakPasswords.size(), 118);
    const QStringList entries = kWeakPasswords.split(',');
    EXPECT_EQ(entries.size(), 16);
    for (const QString& entry : entries)
        EXPECT_FALSE(entry.isEmpty());
}

// A plain substring test against the whole text, commas included.
TEST(WeakPasswords, AnyPartOfTheTextIsWeak) {
    const struct {
        QString password;
        bool weak;
    } cases[] = {
        {"0123456789", true},
        {"2345", true},
        {"89,98", true},
        {"qweqwe", true},
        {"qwe", true},
        {",", true},
        {"", false},
        {"Abc12345", false},
        {"qwerty", false},
        {"13579", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isWeakPassword(c.password), c.weak) << c.password.toStdString();
}

} // namespace
} // namespace parlumo
