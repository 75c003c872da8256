#include "core/settings.h"

#include "tests/support/program_fixture.h"

#include <QFile>
#include <sys/stat.h>

namespace parlumo {
namespace {

class SettingsTest : public test::ProgramFolderTest {
protected:
    Settings settings() const { return Settings(file(QStringLiteral("ovarn.ini"))); }
};

TEST_F(SettingsTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(settings().ReadSetting("config", "agentcode", "OVARN"), QStringLiteral("OVARN"));
    writeBytes("ovarn.ini", "[login]\r\nuid=abc\r\n");
    EXPECT_EQ(settings().ReadSetting("config", "uid", "d"), QStringLiteral("d"));
    EXPECT_EQ(settings().ReadSetting("login", "pwd", "d"), QStringLiteral("d"));
    EXPECT_EQ(settings().ReadSetting("login", "uid", "d"), QStringLiteral("abc"));
}

TEST_F(SettingsTest, ReadsByTheProfileFileRules) {
    writeBytes("ovarn.ini",
               "top=ignored\n"
               "[ Config ]\n"
               "  Reg  =  yes  \n"
               "cop=a=b=c\n"
               "empty=\n"
               "; comment=no\n"
               "agentcode=first\n"
               "agentcode=second\n"
               "[login]\r\n"
               "uid=\t 10086 \t\r\n"
               "[config]\n"
               "late=seen only in the first section\n");
    const struct {
        const char *section, *key, *expected;
    } cases[] = {
        {"config", "reg", "yes"}, // case of section and key, blanks around both
        {"CONFIG", "REG", "yes"},
        {"config", "cop", "a=b=c"}, // the value starts after the first "="
        {"config", "empty", ""},    // present and empty is not the default
        {"config", "; comment", "dflt"},
        {"config", "agentcode", "first"}, // the first of two equal keys
        {"login", "uid", "10086"},        // tabs are blanks too; CR LF line ends
        {"config", "late", "dflt"},
        {"", "top", "dflt"}, // lines before any section belong to none
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings().ReadSetting(c.section, c.key, "dflt"), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
}

TEST_F(SettingsTest, ReadsAtMost2047Characters) {
    writeBytes("ovarn.ini", "[config]\ncop=" + QByteArray(3000, 'x') + "\n");
    EXPECT_EQ(settings().ReadSetting("config", "cop").size(), 2047);
}

TEST_F(SettingsTest, WriteCreatesFileSectionAndKeyAndReadsBackTrimmed) {
    settings().WriteSetting("login", "uid", "  demo  ");
    settings().WriteSetting("login", "pwd", "");
    settings().WriteSetting("config", "lasttxt", QString::fromUtf8("你好，世界"));
    EXPECT_EQ(settings().ReadSetting("login", "uid"), QStringLiteral("demo"));
    EXPECT_EQ(settings().ReadSetting("login", "pwd", "missing"), QString());
    EXPECT_EQ(settings().ReadSetting("config", "lasttxt"), QString::fromUtf8("你好，世界"));
    // GBK on disk, CR LF line ends, sections in the order they were first written.
    EXPECT_EQ(readBytes("ovarn.ini"),
              QByteArray("[login]\r\nuid=  demo  \r\npwd=\r\n[config]\r\n"
                         "lasttxt=\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\r\n"));
}

TEST_F(SettingsTest, WriteKeepsEveryOtherLineByteForByte) {
    const QByteArray before = "; installer notes \xB0\xA1\r\n"
                              "[Config]\r\n"
                              "COP = \xD6\xD0 banner \r\n"
                              "\r\n"
                              "[login]\n"
                              "UID=old\n"
                              "weird line without equals\n"
                              "pwd=secret\n"
                              "\n"
                              "[ui]\r\n"
                              "loginbg=bg.bmp";
    writeBytes("ovarn.ini", before);
    settings().WriteSetting("login", "uid", "new");
    settings().WriteSetting("config", "agentcode", "X");
    settings().WriteSetting("ui", "extra", "1");
    EXPECT_EQ(readBytes("ovarn.ini"),
              QByteArray("; installer notes \xB0\xA1\r\n"
                         "[Config]\r\n"
                         "COP = \xD6\xD0 banner \r\n"
                         "agentcode=X\r\n"
                         "\r\n"
                         "[login]\n"
                         "uid=new\n"
                         "weird line without equals\n"
                         "pwd=secret\n"
                         "\n"
                         "[ui]\r\n"
                         "loginbg=bg.bmp\r\n"
                         "extra=1\r\n"));
}

// A file whose last line ends in a lone CR (a file cut short, or fuzzing's find): the new
// entry must start a line of its own instead of joining the last one.
TEST_F(SettingsTest, WriteAfterALastLineEndedByALoneCarriageReturn) {
    const struct {
        const char* name;
        QByteArray before;
        const char *section, *key, *value;
        QByteArray after;
    } cases[] = {
        {"new key in the last section", "[config]\r\nuid=demo\r", "config", "pwd", "x",
         "[config]\r\nuid=demo\r\npwd=x\r\n"},
        {"new section", "; comment\n[\x02[Cid=deONFIG]C\r", "service", "lasttxt", "v a=l",
         "; comment\n[\x02[Cid=deONFIG]C\r\n[service]\nlasttxt=v a=l\n"},
        {"CR LF ending kept", "[a]\r\nk=1\r\n", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes("ovarn.ini", c.before);
        settings().WriteSetting(c.section, c.key, c.value);
        EXPECT_EQ(readBytes("ovarn.ini"), c.after) << c.name;
        EXPECT_EQ(settings().ReadSetting(c.section, c.key, "missing"), QString::fromUtf8(c.value)) << c.name;
    }
}

TEST_F(SettingsTest, LineBreaksInAValueCannotAddLines) {
    settings().WriteSetting("config", "lasttxt", "one\r\n[login]\npwd=x");
    EXPECT_EQ(settings().ReadSetting("login", "pwd", "none"), QStringLiteral("none"));
    EXPECT_EQ(settings().ReadSetting("config", "lasttxt"), QStringLiteral("one  [login] pwd=x"));
}

TEST_F(SettingsTest, CharactersOutsideGbkBecomeQuestionMarks) {
    settings().WriteSetting("config", "lasttxt", QString::fromUtf8("a😀b"));
    EXPECT_EQ(settings().ReadSetting("config", "lasttxt"), QStringLiteral("a?b"));
}

TEST_F(SettingsTest, NewFileIsPrivateAndAnExistingOneKeepsItsMode) {
    settings().WriteSetting("login", "uid", "a");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file("ovarn.ini")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ::chmod(QFile::encodeName(file("ovarn.ini")).constData(), 0640);
    settings().WriteSetting("login", "uid", "b");
    ASSERT_EQ(::stat(QFile::encodeName(file("ovarn.ini")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SettingsTest, FailedWriteNamesTheFileAndLeavesItIntact) {
    writeBytes("ovarn.ini", "[login]\r\nuid=keep\r\n");
    const Settings blocked(file("no-such-folder/ovarn.ini"));
    try {
        blocked.WriteSetting("login", "uid", "x");
        FAIL() << "the write should fail";
    } catch (const Error& error) {
        EXPECT_TRUE(error.reason().contains(QStringLiteral("no-such-folder/ovarn.ini"))) << error.what();
    }
    if (::geteuid() != 0) {
        ::chmod(QFile::encodeName(folder()).constData(), 0500);
        EXPECT_THROW(settings().WriteSetting("login", "uid", "x"), Error);
        ::chmod(QFile::encodeName(folder()).constData(), 0700);
    }
    EXPECT_EQ(readBytes("ovarn.ini"), QByteArray("[login]\r\nuid=keep\r\n"));
}

} // namespace
} // namespace parlumo
