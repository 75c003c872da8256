#include "widgets/record_grid.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <thread>

namespace parlumo {
namespace {

// Warnings of the model tester, collected while a test runs.
QStringList modelWarnings;
void collectModelWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && QByteArray(context.category ? context.category : "") == "qt.modeltest")
        modelWarnings << message;
}

class RecordGridTest : public test::ProgramFolderTest {
protected:
    RecordGridTest() : database(file(QStringLiteral("db.db"))) {
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(view);
        layout->addLayout(recordCountsRow(&screen, allmobno, selmobno, QStringLiteral("条")));
        layout->addWidget(selectAll);
        screen.resize(640, 400);
    }

    static RecordListConfig sentConfig(bool tickable = true) {
        RecordListConfig config;
        config.columns = {{QStringLiteral("tag"), QStringLiteral("状态"), 5},
                          {QStringLiteral("num"), QStringLiteral("数量"), 4},
                          {QStringLiteral("msg"), QStringLiteral("短信内容"), 40}};
        config.keyField = QStringLiteral("sid");
        config.numbersField = QStringLiteral("mobno");
        config.carriedFields = {QStringLiteral("intime")};
        config.tickable = tickable;
        return config;
    }
    RecordGrid& make(RecordListConfig config = sentConfig()) {
        grid = std::make_unique<RecordGrid>(
            database, std::move(config), RecordGridControls{view, allmobno, selmobno, selectAll}, nullptr);
        return *grid;
    }

    // Rows of `send` for account "a" (keys 1..count), in one transaction.
    void addRows(int count, const QString& uid = QStringLiteral("a")) {
        QSqlDatabase db = database.connection();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into send(uid,mobno,num,msg,tag) values(?,?,1,?,'成功')"));
        for (int i = 0; i < count; ++i) {
            insert.addBindValue(uid);
            insert.addBindValue(QStringLiteral("1380000%1").arg(i, 4, 10, QLatin1Char('0')));
            insert.addBindValue(QStringLiteral("message %1").arg(i));
            insert.exec();
        }
        db.commit();
    }
    static SqlText newestOf(const QString& uid) {
        return SqlText(QStringLiteral("select * from send where uid="))
            .value(uid)
            .add(QStringLiteral(" order by sid desc"));
    }
    QList<qint64> keysOfRows(int first, int last) const {
        QList<qint64> keys;
        for (int row = first; row <= last; ++row)
            keys << grid->model().key(row);
        return keys;
    }
    // A click on the tick box of a row, where the style draws it.
    void clickTickBox(int row) {
        const QModelIndex index = grid->model().index(row, 0);
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    }

    Database database;
    QWidget screen;
    QTableView* view = new QTableView(&screen);
    QLineEdit* allmobno = nullptr;
    QLineEdit* selmobno = nullptr;
    QCheckBox* selectAll = new QCheckBox(QStringLiteral("全选"), &screen);
    std::unique_ptr<RecordGrid> grid;
};

// The tester fetches more rows from its own modelReset handler before it has noted the end of the
// reset, so a list longer than one page is attached to it after it opens; resets are checked on
// lists of one page.
TEST_F(RecordGridTest, ModelKeepsTheItemModelRulesThroughEveryChange) {
    addRows(600);
    addRows(100, QStringLiteral("b"));
    make();
    modelWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectModelWarnings);
    grid->open(newestOf(QStringLiteral("a")));
    {
        QAbstractItemModelTester tester(&grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        while (grid->model().canFetchMore({}))
            grid->model().fetchMore({});
        grid->model().setTicked(3, true);
        grid->setAllTicked(true);
        grid->setAllTicked(false);
    }
    grid->open(newestOf(QStringLiteral("b")));
    {
        QAbstractItemModelTester tester(&grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        grid->model().setTicked(3, true);
        grid->reopen();
        grid->open(newestOf(QStringLiteral("nobody")));
        EXPECT_THROW(grid->open(SqlText(QStringLiteral("select * from nowhere"))), DatabaseError);
        grid->open(newestOf(QStringLiteral("b")));
        grid->setAllTicked(true);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(modelWarnings, QStringList());
}

TEST_F(RecordGridTest, ALargeListOpensAtOnceAndReadsRowsAsTheyAreScrolledTo) {
    addRows(100000);
    make();
    screen.show();
    grid->open(newestOf(QStringLiteral("a")));
    EXPECT_EQ(grid->totalRows(), 100000);
    EXPECT_EQ(allmobno->text(), QStringLiteral("100000"));
    EXPECT_EQ(grid->model().rowCount(), RecordListModel::kPageRows);
    EXPECT_TRUE(grid->model().canFetchMore({}));
    EXPECT_EQ(grid->currentKey(), 100000);

    // "全选" ticks every row of the query, read or not.
    grid->setAllTicked(true);
    EXPECT_EQ(selmobno->text(), QStringLiteral("100000"));
    EXPECT_EQ(grid->model().tickedKeys().size(), 100000);
    EXPECT_EQ(grid->model().tickedKeys().last(), 1);
    EXPECT_EQ(grid->model().rowCount(), RecordListModel::kPageRows);

    view->scrollToBottom();
    QApplication::processEvents();
    const int read = grid->model().rowCount();
    EXPECT_GT(read, RecordListModel::kPageRows);
    EXPECT_LT(read, 100000);
    EXPECT_EQ(grid->model().data(grid->model().index(read - 1, 0), Qt::CheckStateRole), Qt::Checked);
}

TEST_F(RecordGridTest, CountersFollowTicksAndSelectAll) {
    addRows(5);
    make();
    screen.show();
    grid->open(newestOf(QStringLiteral("a")));
    EXPECT_EQ(allmobno->text(), QStringLiteral("5"));
    EXPECT_EQ(selmobno->text(), QStringLiteral("0"));

    clickTickBox(1);
    clickTickBox(3);
    EXPECT_EQ(selmobno->text(), QStringLiteral("2"));
    EXPECT_EQ(grid->model().tickedKeys(), (QList<qint64>{4, 2}));
    clickTickBox(1);
    EXPECT_EQ(selmobno->text(), QStringLiteral("1"));
    EXPECT_EQ(grid->model().tickedKeys(), (QList<qint64>{2}));

    grid->setAllTicked(true);
    EXPECT_EQ(selmobno->text(), allmobno->text());
    grid->setAllTicked(false);
    EXPECT_EQ(selmobno->text(), QStringLiteral("0"));
    for (int row = 0; row < 5; ++row)
        EXPECT_FALSE(grid->model().isTicked(row));

    // A new query starts with nothing ticked and "全选" unticked.
    selectAll->setChecked(true);
    grid->setAllTicked(true);
    grid->open(newestOf(QStringLiteral("a")));
    EXPECT_FALSE(selectAll->isChecked());
    EXPECT_EQ(selmobno->text(), QStringLiteral("0"));
}

TEST_F(RecordGridTest, TicksBelongToRowsAndSurviveRunningTheQueryAgain) {
    addRows(4);
    make();
    grid->open(newestOf(QStringLiteral("a")));
    grid->model().setTicked(0, true); // key 4
    grid->model().setTicked(2, true); // key 2
    grid->setCurrentRow(2);

    // A new newest row moves every row down one place; a ticked row goes.
    addRows(1);
    database.execute(SqlText(QStringLiteral("delete from send where sid=4")));
    grid->reopen();
    EXPECT_EQ(keysOfRows(0, 3), (QList<qint64>{5, 3, 2, 1}));
    EXPECT_EQ(grid->model().tickedKeys(), (QList<qint64>{2}));
    EXPECT_TRUE(grid->model().isTicked(2));
    EXPECT_FALSE(grid->model().isTicked(0));
    EXPECT_EQ(selmobno->text(), QStringLiteral("1"));
    EXPECT_EQ(grid->currentKey(), 2);
    EXPECT_EQ(allmobno->text(), QStringLiteral("4"));
}

TEST_F(RecordGridTest, TickedValuesComeInTickOrderAlsoForRowsNotYetRead) {
    addRows(1000);
    make();
    grid->open(newestOf(QStringLiteral("a")));
    grid->model().setTicked(5, true);
    grid->model().setTicked(1, true);
    EXPECT_EQ(grid->model().tickedNumbers(), (QStringList{"13800000994", "13800000998"}));

    grid->model().untickAll();
    grid->model().tickAll();
    const QStringList all = grid->model().tickedNumbers();
    ASSERT_EQ(all.size(), 1000);
    EXPECT_EQ(all.first(), QStringLiteral("13800000999"));
    EXPECT_EQ(all.last(), QStringLiteral("13800000000"));
    EXPECT_LT(grid->model().rowCount(), 1000);
}

TEST_F(RecordGridTest, PreviousAndNextMoveTheCurrentRowWithinTheList) {
    addRows(RecordListModel::kPageRows + 2);
    make();
    QSignalSpy changed(grid.get(), &RecordGrid::currentChanged);
    grid->open(newestOf(QStringLiteral("a")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(grid->currentRow(), 0);
    grid->previous();
    EXPECT_EQ(grid->currentRow(), 0);
    grid->next();
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentValue(QStringLiteral("msg")).toString(), QStringLiteral("message 256"));
    EXPECT_EQ(changed.count(), 2);

    // The last read row's next is the first row of the next page; the last row has no next.
    grid->setCurrentRow(RecordListModel::kPageRows - 1);
    grid->next();
    EXPECT_EQ(grid->currentRow(), RecordListModel::kPageRows);
    grid->next();
    grid->next();
    EXPECT_EQ(grid->currentRow(), RecordListModel::kPageRows + 1);
    EXPECT_EQ(grid->currentKey(), 1);
    grid->previous();
    EXPECT_EQ(grid->currentKey(), 2);
}

TEST_F(RecordGridTest, RowsListedTwiceUnderOneKeyAreTickedTogether) {
    addRows(2);
    database.execute(
        SqlText(QStringLiteral("insert into telbook(mobno,tname,uid) values('13800000001','甲','a'),"
                               "('13800000001','乙','a')")));
    RecordListConfig config;
    config.columns = {{QStringLiteral("mobno"), QStringLiteral("号码"), 12},
                      {QStringLiteral("tname"), QStringLiteral("姓名"), 8}};
    config.keyField = QStringLiteral("sid");
    config.numbersField = QStringLiteral("mobno");
    make(config);
    grid->open(
        SqlText(QStringLiteral("select send.sid,send.mobno,telbook.tname from send left join telbook on "
                               "send.mobno=telbook.mobno order by send.sid desc, telbook.tname")));
    ASSERT_EQ(grid->totalRows(), 3);
    grid->model().setTicked(0, true);
    EXPECT_TRUE(grid->model().isTicked(1));
    EXPECT_FALSE(grid->model().isTicked(2));
    EXPECT_EQ(selmobno->text(), QStringLiteral("2"));
    EXPECT_EQ(grid->model().tickedNumbers(), QStringList{"13800000001"});
    grid->setAllTicked(true);
    EXPECT_EQ(selmobno->text(), QStringLiteral("3"));
    grid->model().setTicked(1, false);
    EXPECT_EQ(selmobno->text(), QStringLiteral("1"));
}

TEST_F(RecordGridTest, AFailedStatementLeavesTheListEmpty) {
    addRows(3);
    make();
    grid->open(newestOf(QStringLiteral("a")));
    grid->model().setTicked(0, true);
    EXPECT_THROW(grid->open(SqlText(QStringLiteral("select * from send where nosuchcolumn=1"))),
                 DatabaseError);
    EXPECT_EQ(grid->model().rowCount(), 0);
    EXPECT_EQ(allmobno->text(), QStringLiteral("0"));
    EXPECT_EQ(selmobno->text(), QStringLiteral("0"));
    EXPECT_FALSE(grid->hasCurrent());
}

TEST_F(RecordGridTest, AListWithoutTicksShowsOnlyItsColumns) {
    addRows(2);
    make(sentConfig(false));
    grid->open(newestOf(QStringLiteral("a")));
    const RecordListModel& model = grid->model();
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("状态"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("message 1"));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::CheckStateRole).isValid());
}

TEST_F(RecordGridTest, OnlyADraggableListOffersItsRowsToDrag) {
    addRows(1);
    for (const bool draggable : {false, true}) {
        RecordListConfig config = sentConfig();
        config.draggable = draggable;
        make(config);
        grid->open(newestOf(QStringLiteral("a")));
        const RecordListModel& model = grid->model();
        EXPECT_EQ(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsDragEnabled), draggable);
        EXPECT_EQ(view->dragEnabled(), draggable);
        EXPECT_EQ(view->dragDropMode(),
                  draggable ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
    }
}

TEST_F(RecordGridTest, HeaderNamesTheTickColumnAndTheConfiguredCaptions) {
    make();
    grid->open(newestOf(QStringLiteral("a")));
    QStringList captions;
    for (int column = 0; column < grid->model().columnCount(); ++column)
        captions << grid->model().headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"选择", "状态", "数量", "短信内容"}));
    EXPECT_GT(view->columnWidth(3), view->columnWidth(1) * 4);
}

// The open list reads its own snapshot: writes of this thread after another thread's write go
// through, and the next query sees both.
TEST_F(RecordGridTest, AnOpenListHoldsBackNoWrite) {
    addRows(1000);
    make();
    grid->open(newestOf(QStringLiteral("a")));
    ASSERT_TRUE(grid->model().canFetchMore({}));
    std::thread other([this] {
        database.execute(
            SqlText(QStringLiteral("insert into send(uid,mobno,msg,tag) values('a','1','x','成功')")));
        database.releaseThreadConnection();
    });
    other.join();
    EXPECT_NO_THROW(database.execute(
        SqlText(QStringLiteral("insert into send(uid,mobno,msg,tag) values('a','2','y','成功')"))));
    EXPECT_EQ(grid->totalRows(), 1000);
    grid->reopen();
    EXPECT_EQ(grid->totalRows(), 1002);
}

} // namespace
} // namespace parlumo
