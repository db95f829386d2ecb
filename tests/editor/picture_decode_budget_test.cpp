// Decodes running at the same time share one memory budget: each waits for
// its turn in the order asked, a share larger than the budget runs alone,
// and many files read together never hold more than the budget.

#include "editor/model/PictureDecodeBudget.h"
#include "editor/model/SKTPictureLoading.h"
#include "platform/PictureDecoder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Waits (at most 20 s) until the condition holds; whether it did.
bool eventually(const std::function<bool()>& condition) {
    const QDeadlineTimer patience(20000);
    while (!condition()) {
        if (patience.hasExpired()) {
            return false;
        }
        QThread::msleep(1);
    }
    return true;
}

// A share held on a thread of its own until it is let go.
class Holder {
public:
    explicit Holder(qint64 bytes)
        : m_thread([this, bytes] {
              const PictureDecodeBudget::Share share(bytes);
              m_holding = true;
              eventually([this] { return m_letGo.load(); });
          }) {}
    ~Holder() {
        m_letGo = true;
        m_thread.join();
    }
    bool holding() const { return m_holding; }

private:
    std::atomic<bool> m_holding = false;
    std::atomic<bool> m_letGo = false;
    std::thread m_thread;
};

class DecodeBudgetTest : public ::testing::Test {
protected:
    void TearDown() override {
        PictureDecodeBudget::setDecodeHook({});
        PictureDecodeBudget::setBudgetBytes(0);
    }
};

TEST_F(DecodeBudgetTest, SharesAreGivenInTheOrderAskedAndALargeOneRunsAlone) {
    PictureDecodeBudget::setBudgetBytes(10);
    {
        auto first = std::make_unique<Holder>(4);
        ASSERT_TRUE(eventually([&] { return first->holding(); }));
        // 8 do not fit beside 4; 2 would, but wait behind the 8.
        Holder large(8);
        ASSERT_TRUE(eventually([] { return PictureDecodeBudget::waitingShares() == 1; }));
        Holder small(2);
        ASSERT_TRUE(eventually([] { return PictureDecodeBudget::waitingShares() == 2; }));
        EXPECT_EQ(PictureDecodeBudget::heldBytes(), 4);
        EXPECT_FALSE(small.holding());
        // Once the 4 end, the 8 and then the 2 fit together.
        first.reset();
        ASSERT_TRUE(eventually([&] { return large.holding() && small.holding(); }));
        EXPECT_EQ(PictureDecodeBudget::heldBytes(), 10);
    }
    EXPECT_EQ(PictureDecodeBudget::heldBytes(), 0);
    {
        // More than the whole budget: it waits for the 1 to end, and the
        // next waits for it.
        auto one = std::make_unique<Holder>(1);
        ASSERT_TRUE(eventually([&] { return one->holding(); }));
        auto huge = std::make_unique<Holder>(12);
        ASSERT_TRUE(eventually([] { return PictureDecodeBudget::waitingShares() == 1; }));
        Holder after(1);
        ASSERT_TRUE(eventually([] { return PictureDecodeBudget::waitingShares() == 2; }));
        one.reset();
        ASSERT_TRUE(eventually([&] { return huge->holding(); }));
        EXPECT_EQ(PictureDecodeBudget::heldBytes(), 12);
        EXPECT_FALSE(after.holding());
        huge.reset();
        ASSERT_TRUE(eventually([&] { return after.holding(); }));
    }
    EXPECT_EQ(PictureDecodeBudget::heldBytes(), 0);
    // Nothing held asks for no turn.
    const PictureDecodeBudget::Share none(0);
    EXPECT_EQ(PictureDecodeBudget::waitingShares(), 0);
}

TEST_F(DecodeBudgetTest, FilesReadTogetherHoldNoMoreThanTheBudget) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<SKTPictureRequest> asked;
    for (int i = 0; i < 6; ++i) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 60, 200, 200));
        const QString file = QDir(dir.path()).filePath(QStringLiteral("p%1.png").arg(i));
        ASSERT_TRUE(image.save(file));
        asked.push_back({file, QSize(), {}, {}});
    }
    // What one of them costs, as the decoder counts it.
    const qint64 cost = PictureDecoder::decodingCost(asked.front().path, QSize());
    ASSERT_GT(cost, 0);

    const struct {
        double budgetInCosts;
        int gather;     // each decode waits until this many ran at once...
        int patienceMs; // ...or this long
        int mostAtOnce; // decodes running together at most
        bool waiting;   // read with a waiting caller
    } rows[] = {
        {1.5, 2, 200, 1, false},
        {3.5, 3, 20000, 3, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.budgetInCosts);
        PictureDecodeBudget::setBudgetBytes(qint64(cost * row.budgetInCosts));
        PictureDecodeBudget::resetPeak();
        std::mutex threadsMutex;
        std::vector<std::thread::id> decodedOn;
        PictureDecodeBudget::setDecodeHook([&](const QString&) {
            {
                const std::lock_guard lock(threadsMutex);
                decodedOn.push_back(std::this_thread::get_id());
            }
            const QDeadlineTimer patience(row.patienceMs);
            while (PictureDecodeBudget::peakHolders() < row.gather && !patience.hasExpired()) {
                QThread::msleep(1);
            }
        });
        std::vector<SKTPictureRequest> requests = asked;
        std::vector<std::pair<int, int>> told;
        SKTPictureReadWait wait;
        if (row.waiting) {
            wait = [&](int read, int files) { told.emplace_back(read, files); };
        }
        SKTReadPictureFiles(requests, wait);
        PictureDecodeBudget::setDecodeHook({});

        for (const SKTPictureRequest& request : requests) {
            EXPECT_EQ(request.problem, SKTPictureProblem::None);
            EXPECT_EQ(request.read.picture.image().size(), QSize(200, 200));
        }
        EXPECT_LE(PictureDecodeBudget::peakHeldBytes(), qint64(cost * row.budgetInCosts));
        EXPECT_EQ(PictureDecodeBudget::peakHolders(), row.mostAtOnce);
        EXPECT_EQ(decodedOn.size(), 6u);
        if (row.waiting) {
            // Told on the calling thread, which decoded nothing itself.
            ASSERT_FALSE(told.empty());
            EXPECT_EQ(told.back(), std::make_pair(6, 6));
            for (size_t i = 1; i < told.size(); ++i) {
                EXPECT_LE(told[i - 1].first, told[i].first);
                EXPECT_EQ(told[i].second, 6);
            }
            for (const std::thread::id id : decodedOn) {
                EXPECT_NE(id, std::this_thread::get_id());
            }
        }
    }
}

} // namespace
