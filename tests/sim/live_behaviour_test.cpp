// Replies of recipients and progress of tasks, each handed out once.
#include "sim_client.h"

#include <regex>

namespace parlumo::sim::test {
namespace {

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

const std::string kReplyBox = "/sys_port/Gateway/mo.asp?id=demo&pwd=demo2026";

TEST_F(SimTest, RepliesOfRecipientsAreHandedOutOnce) {
    std::string numbers;
    for (int i = 1; i <= 7; ++i) {
        if (i > 1)
            numbers += ',';
        numbers += "1380000000" + std::to_string(i);
    }
    ASSERT_EQ(postForm("/sys_port/gateway/index.asp",
                       "id=demo&pwd=demo2026&to=" + numbers + "&content=hello&time=&ac=plorix"),
              "000");

    const std::string box = postForm(kReplyBox, "");
    const std::vector<std::string> records = split(box, "<br>");
    ASSERT_EQ(records.size(), 4u) << box; // every third recipient replies; each record is ended by <br>
    EXPECT_EQ(records.back(), "");
    const char* senders[] = {"13800000001", "13800000004", "13800000007"};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::vector<std::string> fields = split(records[i], "|");
        ASSERT_EQ(fields.size(), 4u) << records[i];
        EXPECT_EQ(fields[0], senders[i]);
        EXPECT_FALSE(fields[1].empty());
        EXPECT_EQ(fields[2], "10690888");
        EXPECT_TRUE(std::regex_match(fields[3], std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
            << fields[3];
    }
    EXPECT_EQ(split(records[0], "|")[1],
              "\xCA\xD5\xB5\xBD\xA3\xAC\xD0\xBB\xD0\xBB\xA3\xA1"); // 收到，谢谢！ in GBK
    EXPECT_EQ(postForm(kReplyBox, ""), "");
}

TEST_F(SimTest, RepliesWaitForTheReplyDelay) {
    Settings settings = sim.settings();
    settings.replyDelayMs = 3600 * 1000;
    sim.setSettings(settings);
    ASSERT_EQ(postForm("/sys_port/gateway/index.asp",
                       "id=demo&pwd=demo2026&to=13800000001&content=hello&time=&ac=plorix"),
              "000");
    EXPECT_EQ(postForm(kReplyBox, ""), "");
}

TEST_F(SimTest, InjectedReplyKeepsItsFieldsAndOwner) {
    Account other = standardAccount("other", "Other2026x");
    sim.putAccount(other);
    sim.addReply("other", "13900000009", "不是给你的");
    sim.addReply(kDemoAccountId, "13900000001", "好 的", "1069", "2026-01-02 03:04:05");
    EXPECT_EQ(postForm(kReplyBox, ""), "13900000001|\xBA\xC3 \xB5\xC4|1069|2026-01-02 03:04:05<br>");
    EXPECT_EQ(postForm("/sys_port/Gateway/mo.asp?id=other&pwd=Other2026x", "").substr(0, 12), "13900000009|");
}

struct ProgressCase {
    const char* what;
    const char* operation;
    Fields params;
    const char* page;
    std::vector<std::string> numbers; // as the progress records give them
};

void PrintTo(const ProgressCase& c, std::ostream* os) {
    *os << c.what;
}

class ProgressTest : public SimTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressTest, RecordsComeOverThePollsOnce) {
    const ProgressCase& c = GetParam();
    Fields params = {{"uid", "demo"}, {"pwd", "demo2026"}};
    params.insert(params.end(), c.params.begin(), c.params.end());
    const std::string task = soap(c.operation, params);
    ASSERT_EQ(task.size(), 8u) << task;

    const std::string poll =
        std::string(c.page) + "?uid=demo&pwd=demo2026&snum=" + task + "&o=2026-03-01%2009%3A05%3A03";
    std::vector<std::string> seen;
    for (std::size_t expected : {std::size_t{2}, c.numbers.size() - 2}) {
        const std::string reply = get(poll);
        std::vector<std::string> records = split(reply, "\\");
        ASSERT_EQ(records.back(), "") << "every record is ended by a backslash: " << reply;
        records.pop_back();
        ASSERT_EQ(records.size(), expected) << reply;
        for (const std::string& record : records) {
            const std::vector<std::string> fields = split(record, "|");
            ASSERT_EQ(fields.size(), 6u) << record;
            EXPECT_EQ(fields[0], task);
            EXPECT_TRUE(std::regex_match(fields[3], std::regex("[0-9]+"))) << record;
            EXPECT_TRUE(Money::parse(fields[4])) << record;
            EXPECT_FALSE(fields[5].empty());
            seen.push_back(fields[2]);
        }
    }
    EXPECT_EQ(seen, c.numbers);
    EXPECT_EQ(get(poll), "");
    const std::string otherPage = std::string(c.page) == "/faxservice/faxlog.asp" ? "/voice_service/vlog.asp"
                                                                                  : "/faxservice/faxlog.asp";
    EXPECT_EQ(get(otherPage + "?uid=demo&pwd=demo2026&snum=" + task + "&o=x"), "-04");
}

INSTANTIATE_TEST_SUITE_P(Tasks,
                         ProgressTest,
                         ::testing::Values(ProgressCase{"Voice",
                                                        "SendVoice",
                                                        {{"vto", "13800000001,13800000002,01088886666"},
                                                         {"vtxt", "hello"},
                                                         {"mode", "1"},
                                                         {"FileBytes", ""},
                                                         {"svrno", ""},
                                                         {"str_time", ""},
                                                         {"end_time", ""}},
                                                        "/voice_service/vlog.asp",
                                                        {"13800000001", "13800000002", "01088886666"}},
                                           ProgressCase{
                                               "Fax",
                                               "SendFax",
                                               {{"faxno", "01012345678,123,02087654321,075512345678"},
                                                {"men", ""},
                                                {"title", ""},
                                                {"Bytes", "JVBERi0="},
                                                {"FileName", "a.pdf"}},
                                               "/faxservice/faxlog.asp",
                                               {"01012345678-123", "02087654321", "075512345678"}}),
                         [](const ::testing::TestParamInfo<ProgressCase>& info) { return info.param.what; });

TEST_F(SimTest, DirectCallHasOneRecordOnTheVoicePage) {
    const std::string task =
        get("/voice_service/superphone.asp?id=demo&pwd=demo2026&from_no=01012345678&to_no=13800000001");
    ASSERT_EQ(task.size(), 8u);
    EXPECT_EQ(get("/voice_service/vlog.asp?uid=demo&pwd=demo2026&snum=" + task + "&o=x"),
              task + "|1|13800000001|65|0.3|\xCD\xA8\xBB\xB0\xBD\xE1\xCA\xF8\\"); // 通话结束
}

TEST_F(SimTest, TaskOfAnotherAccountIsNotShown) {
    const std::string task =
        get("/voice_service/superphone.asp?id=demo&pwd=demo2026&from_no=01012345678&to_no=13800000001");
    sim.putAccount(standardAccount("other", "Other2026x"));
    EXPECT_EQ(get("/voice_service/vlog.asp?uid=other&pwd=Other2026x&snum=" + task + "&o=x"), "-04");
}

} // namespace
} // namespace parlumo::sim::test
