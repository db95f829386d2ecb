#pragma once
// The memory that picture decodes running at the same time may spend
// together, whoever started them: a design being opened, a frame grown on
// the canvas, the Picture tool, an output on a worker thread. A decode
// holds its share, counted from the file's header as the decoder spends it,
// for as long as it runs. One that does not fit beside those running waits;
// turns are given in the order they were asked for, so none waits forever,
// and a decode that costs more than the whole budget runs alone. Safe on
// any thread; a thread holding a share must not ask for another.

#include <QString>
#include <QtGlobal>
#include <functional>

namespace PictureDecodeBudget {

// The budget: 384 MB, which with the program's own memory keeps a process
// decoding several large photos at once under 600 MB. A single decode may
// spend up to 512 MB; such a one waits for the others and runs alone.
qint64 budgetBytes();
// Another budget (tests); 0 or less puts 384 MB back.
void setBudgetBytes(qint64 bytes);

// Holds `bytes` of the budget (the whole budget at most) from when they fit
// until it ends. Zero bytes hold nothing and never wait.
class Share {
public:
    explicit Share(qint64 bytes);
    ~Share();
    Share(const Share&) = delete;
    Share& operator=(const Share&) = delete;

private:
    qint64 m_bytes = 0;
};

// Bytes held now; the most held at once since the last resetPeak (or the
// start of the process); how many decodes held a share at once at most.
qint64 heldBytes();
qint64 peakHeldBytes();
int peakHolders();
void resetPeak();
// Shares asked for and not yet held.
int waitingShares();

// Called on the decoding thread with the share held, just before each
// decode of a file (tests make decodes slow with it). Empty by default.
using DecodeHook = std::function<void(const QString& path)>;
void setDecodeHook(DecodeHook hook);
void runDecodeHook(const QString& path);

} // namespace PictureDecodeBudget
