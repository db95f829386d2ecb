#include "editor/model/PictureDecodeBudget.h"

#include "platform/HookSlot.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace PictureDecodeBudget {
namespace {

constexpr qint64 kDefaultBytes = qint64(384) << 20;

// Turns are numbered as they are asked for; the oldest waiting turn is the
// only one that may take its share, once it fits beside those held.
struct State {
    std::mutex mutex;
    std::condition_variable changed;
    qint64 budget = kDefaultBytes;
    qint64 held = 0;
    int holders = 0;
    qint64 peakBytes = 0;
    int peakCount = 0;
    quint64 nextTurn = 0;
    quint64 servedTurns = 0;
};

State& state() {
    static State instance;
    return instance;
}

HookSlot<DecodeHook>& decodeHook() {
    static HookSlot<DecodeHook> slot;
    return slot;
}

} // namespace

qint64 budgetBytes() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.budget;
}

void setBudgetBytes(qint64 bytes) {
    State& s = state();
    {
        const std::lock_guard lock(s.mutex);
        s.budget = bytes > 0 ? bytes : kDefaultBytes;
    }
    s.changed.notify_all();
}

Share::Share(qint64 bytes) {
    if (bytes <= 0) {
        return;
    }
    State& s = state();
    std::unique_lock lock(s.mutex);
    const quint64 turn = s.nextTurn++;
    s.changed.wait(lock, [&] {
        // A share larger than the budget waits for all others to end.
        return turn == s.servedTurns && (s.held == 0 || s.held + bytes <= s.budget);
    });
    ++s.servedTurns;
    m_bytes = bytes;
    s.held += bytes;
    ++s.holders;
    s.peakBytes = std::max(s.peakBytes, s.held);
    s.peakCount = std::max(s.peakCount, s.holders);
    lock.unlock();
    // The next turn may fit beside this one.
    s.changed.notify_all();
}

Share::~Share() {
    if (m_bytes == 0) {
        return;
    }
    State& s = state();
    {
        const std::lock_guard lock(s.mutex);
        s.held -= m_bytes;
        --s.holders;
    }
    s.changed.notify_all();
}

qint64 heldBytes() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.held;
}

qint64 peakHeldBytes() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.peakBytes;
}

int peakHolders() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.peakCount;
}

void resetPeak() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.peakBytes = s.held;
    s.peakCount = s.holders;
}

int waitingShares() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return int(s.nextTurn - s.servedTurns);
}

void setDecodeHook(DecodeHook hook) {
    decodeHook().set(std::move(hook));
}

void runDecodeHook(const QString& path) {
    if (const DecodeHook hook = decodeHook().get()) {
        hook(path);
    }
}

} // namespace PictureDecodeBudget
