#include "mms/mms_send_rules.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"
#include "text/error.h"

#include <QSqlQuery>

namespace parlumo {
namespace {

class MmsSendRulesTest : public test::ProgramFolderTest {
protected:
    // A draft that passes every check, in picture mode with a picture of `pictureBytes` bytes.
    MmsDraft valid(qint64 pictureBytes = 10) {
        writeBytes("p.gif", QByteArray(pictureBytes, 'G'));
        MmsDraft d;
        d.numbersText = QStringLiteral("13800000001\n13800000002");
        d.numberCount = 2;
        d.title = QStringLiteral("张三");
        d.text = QStringLiteral("你好");
        d.textLength = 2;
        d.textLimit = textLimit(MmsMode::Picture);
        d.mode = MmsMode::Picture;
        d.picturePath = file("p.gif");
        d.balance = QStringLiteral("0.6");
        d.unitPrice = QStringLiteral("0.3");
        return d;
    }
    static QString refusal(const std::variant<MmsRefusal, MmsSend>& result, MmsField* focus = nullptr) {
        const auto* r = std::get_if<MmsRefusal>(&result);
        if (r && focus)
            *focus = r->focus;
        return r ? r->message : QString();
    }
};

TEST_F(MmsSendRulesTest, ChecksRunInOrderAndStopAtTheFirstThatFails) {
    const QString noNumbers = QStringLiteral("接收彩信的手机号码为空。");
    const QString noTitle = QStringLiteral("请填写好彩信标题。");
    const QString tooLong = QStringLiteral("内容超过长度。");
    const QString noMoney = QStringLiteral("您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。");
    const QString noPicture = QStringLiteral("没有选择彩信图片文件");
    const QString tooLarge = QStringLiteral("彩信图片太大，建议在50K之内。");
    const struct {
        const char* what;
        std::function<void(MmsDraft&)> change;
        QString message;
        MmsField focus;
    } cases[] = {
        {"valid", [](MmsDraft&) {}, QString(), MmsField::None},
        {"no numbers",
         [](MmsDraft& d) {
             d.numbersText.clear();
             d.numberCount = 0;
         },
         noNumbers,
         MmsField::Numbers},
        {"count below one", [](MmsDraft& d) { d.numberCount = 0; }, noNumbers, MmsField::Numbers},
        {"every check fails",
         [](MmsDraft& d) {
             d = MmsDraft{};
             d.textLength = 9;
         },
         noNumbers,
         MmsField::Numbers},
        {"empty title",
         [](MmsDraft& d) {
             d.title.clear();
             d.textLength = 9999;
         },
         noTitle,
         MmsField::Title},
        {"title still the hint", [](MmsDraft& d) { d.title = kTitleHint; }, noTitle, MmsField::Title},
        {"title is more than the hint",
         [](MmsDraft& d) { d.title = kTitleHint + "x"; },
         QString(),
         MmsField::None},
        {"499 of 500", [](MmsDraft& d) { d.textLength = 499; }, QString(), MmsField::None},
        {"500 of 500", [](MmsDraft& d) { d.textLength = 500; }, QString(), MmsField::None},
        {"501 of 500",
         [](MmsDraft& d) {
             d.textLength = 501;
             d.balance = "0";
         },
         tooLong,
         MmsField::Text},
        {"1000 of 1000",
         [](MmsDraft& d) {
             d.mode = MmsMode::Text;
             d.textLimit = 1000;
             d.textLength = 1000;
         },
         QString(),
         MmsField::None},
        {"1001 of 1000",
         [](MmsDraft& d) {
             d.mode = MmsMode::Text;
             d.textLimit = 1000;
             d.textLength = 1001;
         },
         tooLong,
         MmsField::Text},
        {"balance equal to 0.3 x 3",
         [](MmsDraft& d) {
             d.numbersText = "1\n2\n3";
             d.numberCount = 3;
             d.balance = "0.9";
         },
         QString(),
         MmsField::None},
        {"balance a cent short",
         [](MmsDraft& d) {
             d.numberCount = 3;
             d.balance = "0.89";
             d.picturePath.clear();
         },
         noMoney,
         MmsField::None},
        {"no picture", [](MmsDraft& d) { d.picturePath.clear(); }, noPicture, MmsField::PictureFile},
        {"text mode needs no picture",
         [](MmsDraft& d) {
             d.mode = MmsMode::Text;
             d.picturePath.clear();
         },
         QString(),
         MmsField::None},
    };
    for (const auto& c : cases) {
        MmsDraft d = valid();
        c.change(d);
        MmsField focus = MmsField::None;
        EXPECT_EQ(refusal(prepareMmsSend(d), &focus), c.message) << c.what;
        EXPECT_EQ(focus, c.focus) << c.what;
    }
    EXPECT_EQ(textLimit(MmsMode::Picture), 500);
    EXPECT_EQ(textLimit(MmsMode::Text), 1000);

    for (const qint64 size : {qint64(99999), kMaxPictureBytes})
        EXPECT_EQ(std::get<MmsSend>(prepareMmsSend(valid(size))).picture, QByteArray(size, 'G'));
    MmsField focus = MmsField::None;
    EXPECT_EQ(refusal(prepareMmsSend(valid(kMaxPictureBytes + 1)), &focus), tooLarge);
    EXPECT_EQ(focus, MmsField::PictureFile);
}

TEST_F(MmsSendRulesTest, WhatIsSentComesFromTheDraftTrimmedAndJoined) {
    const struct {
        const char* numbers;
        const char* mobno;
    } joins[] = {{"13800000001\n13800000002", "13800000001,13800000002"},
                 {"13800000001\n\n13800000002", "13800000001,,13800000002"},
                 {"  13800000001\r\n138 0000 0002\n\n", "13800000001,13800000002"}};
    for (const auto& j : joins) {
        MmsDraft d = valid();
        d.numbersText = j.numbers;
        EXPECT_EQ(std::get<MmsSend>(prepareMmsSend(d)).mobno, j.mobno) << j.numbers;
    }

    MmsDraft d = valid();
    d.title = QStringLiteral("  O'Neil 公司 ");
    d.text = QStringLiteral("\t内容 ");
    d.numberCount = 2;
    d.balance = QStringLiteral("000100.00");
    d.unitPrice = QStringLiteral(".35");
    const MmsSend send = std::get<MmsSend>(prepareMmsSend(d));
    EXPECT_EQ(send.title, QStringLiteral("O'Neil 公司"));
    EXPECT_EQ(send.content, QStringLiteral("内容"));
    EXPECT_EQ(send.pictureName, QStringLiteral("p.gif"));
    EXPECT_EQ(send.cost.toString(), QStringLiteral("0.7"));
    EXPECT_EQ(send.numberCount, 2);

    // Text mode sends no bytes and whatever name the box still holds.
    d.mode = MmsMode::Text;
    d.picturePath = QStringLiteral("/gone/old.png");
    const MmsSend text = std::get<MmsSend>(prepareMmsSend(d));
    EXPECT_TRUE(text.picture.isEmpty());
    EXPECT_EQ(text.pictureName, QStringLiteral("old.png"));
    d.picturePath.clear();
    EXPECT_TRUE(std::get<MmsSend>(prepareMmsSend(d)).pictureName.isEmpty());
}

TEST_F(MmsSendRulesTest, AnUnreadablePictureOrAnAmountThatIsNoNumberRaises) {
    MmsDraft d = valid();
    d.picturePath = file("absent.gif");
    EXPECT_THROW(prepareMmsSend(d), Error);
    d = valid();
    d.balance = QStringLiteral("很多");
    EXPECT_THROW(prepareMmsSend(d), Error);
}

TEST_F(MmsSendRulesTest, ResultCodesHaveTheirMessagesAndOtherRepliesNone) {
    const struct {
        const char* reply;
        const char* message;
    } cases[] = {{"-01", "余额不足以本次操作,请重新登录再试"},
                 {"-02", "很抱歉！您尚未开通彩信服务，如需开通请与我们联系！祝您工作愉快！"},
                 {"-03", "发送失败!密码验证失败，请重新登录 -03"},
                 {"-04", "参数不足"},
                 {"-09", "系统维护中..请稍侯再试！ -9"},
                 {"000", ""},
                 {"-07", ""},
                 {"", ""},
                 {" -04", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(mmsResultMessage(QString::fromUtf8(c.reply)), QString::fromUtf8(c.message)) << c.reply;
}

TEST_F(MmsSendRulesTest, TheRecordBindsEveryValueSoQuotesAreStoredIntact) {
    Database database(file("db.db"));
    MmsDraft d = valid();
    d.title = QStringLiteral("it's");
    d.text = QStringLiteral("'); drop table mms_list; --");
    const MmsSend send = std::get<MmsSend>(prepareMmsSend(d));
    database.execute(mmsRecordInsert(QStringLiteral(" demo "), QStringLiteral(" 20261211 "), send));

    QSqlQuery row = database.execute(
        SqlText("select uid,snum,mobcount,typeof(mobcount),mobno,title,coutent,mmsfiles,tag from mms_list"));
    ASSERT_TRUE(row.next());
    QStringList values;
    for (int i = 0; i < 9; ++i)
        values << row.value(i).toString();
    EXPECT_EQ(values,
              (QStringList{"demo",
                           "20261211",
                           "2",
                           "integer",
                           "13800000001,13800000002",
                           "it's",
                           "'); drop table mms_list; --",
                           "p.gif",
                           QStringLiteral("成功")}));
}

} // namespace
} // namespace parlumo
