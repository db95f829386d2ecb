// Memory and time of designs full of pictures, each opened in the main
// window by a child run of this program and drawn once at 600 dpi: the whole
// process's peak resident memory and wall time. The peak is the child's own
// VmHWM, which it writes to a file as it ends: ru_maxrss of a spawned child
// also counts the parent's peak at the moment of exec.
//
//   Spellings   20 objects (200 x 200 pt) naming one 5600 x 5600 PNG under
//               20 spellings of its path (/dir/./x.png, /dir/././x.png ...)
//   Copies      60 objects (100 x 100 pt), each naming its own copy of it
//   Photos      10 objects (150 x 100 pt), each naming its own 6000 x 4000
//               JPEG photo
//   Claims      12 objects naming progressive JPEGs of a few hundred bytes
//               whose headers claim 16000 x 16000 pixels (refused or shown)
//   Claims9000  12 objects naming distinct progressive JPEGs of a few
//               hundred bytes whose headers claim 9000 x 9000 pixels in
//               4:4:4, each just under what one decode may spend
//   Progressive 10 objects (150 x 100 pt), each naming its own 8000 x 6000
//               (48 MP) progressive JPEG photo
//   BigFrames   10 objects in 2000 x 2000 pt frames (far larger than the
//               127 x 89 mm card), each naming its own 6000 x 4000 photo
//   FrameSizes  200 objects of 200 frame sizes (60 x 40 to 259 x 173 pt)
//               naming one 6000 x 4000 photo
//
// The child shows the main window and asks its canvas to paint every 16 ms
// while the design opens: gap_ms is the longest time between two paints
// from the start of the open to its end.
//
//   build/bench/picture_memory_bench
//   PICTURE_BENCH_KEEP=1 build/bench/picture_memory_bench
//                                            keeps the inputs and prints their folder
//   PICTURE_BENCH_OPEN=design.dcard build/bench/picture_memory_bench
//       --benchmark_filter=^ChildOpen/       the child run alone, to profile

#include "common/BenchMainWindow.h"
#include "common/BenchRun.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const openEnv = "PICTURE_BENCH_OPEN"; // set in the child run of this program
const char* const peakEnv = "PICTURE_BENCH_PEAK"; // where the child writes its peak
// The child's exit code when every picture object of the design shows its
// picture (not 0, which the benchmark runner gives when nothing ran).
constexpr int childDrewAll = 3;
constexpr double exportScale = 600.0 / 72.0;

// ---- The child: open the design in the main window, draw it at 600 dpi ----

// Times of the paints a widget receives.
class PaintClock : public QObject {
public:
    explicit PaintClock(QWidget& widget) {
        m_clock.start();
        widget.installEventFilter(this);
    }
    void begin() {
        m_last = m_clock.nsecsElapsed();
        m_longest = 0;
        m_counting = true;
    }
    // The longest gap in milliseconds, the end of the open counting as a
    // paint.
    double end() {
        note();
        m_counting = false;
        return double(m_longest) / 1e6;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            note();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void note() {
        if (m_counting) {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        }
    }
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_counting = false;
};

double longestPaintGap = 0;

int openAndDraw(const QString& design) {
    BenchMainWindow window;
    SKTWindowController& controller = window.controller();
    SKTDocument& document = window.document();
    controller.window()->show();
    QWidget* canvas = controller.canvasOfSide(0);
    PaintClock paints(*canvas);
    QTimer ticker;
    ticker.setInterval(16);
    QObject::connect(&ticker, &QTimer::timeout, canvas, [canvas] { canvas->update(); });
    ticker.start();
    QCoreApplication::processEvents();
    paints.begin();
    const int opened = controller.Read_and_load_design_Log(design, QStringLiteral("L"));
    longestPaintGap = paints.end();
    ticker.stop();
    if (opened != 1) {
        return 1;
    }
    QCoreApplication::processEvents();
    const SKTGraphicList graphics = document.graphics();
    QImage card(int(360 * exportScale), int(252 * exportScale),
                QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(exportScale, exportScale);
    qsizetype drawn = 0;
    for (const auto& graphic : graphics) {
        const auto* image = dynamic_cast<const SKTImage*>(graphic.get());
        if (image && !image->contents().isNull()) {
            ++drawn;
        }
        graphic->drawContentsInView(painter, false);
    }
    painter.end();
    return drawn == graphics.size() && drawn > 0 ? childDrewAll : 2;
}

void childOpen(benchmark::State& state) {
    for (auto _ : state) {
        const int result = openAndDraw(QString::fromLocal8Bit(std::getenv(openEnv)));
        QFile peak(QString::fromLocal8Bit(qgetenv(peakEnv)));
        if (peak.open(QIODevice::WriteOnly)) {
            peak.write(peakResidentKiB() + ' ' + QByteArray::number(longestPaintGap, 'f', 1));
        }
        peak.close();
        // No teardown: the process ends as soon as the design is drawn.
        std::_Exit(result);
    }
}
const bool childRegistered =
    std::getenv(openEnv) && benchmark::RegisterBenchmark("ChildOpen", childOpen)->Iterations(1);

// ---- The parent: make the inputs, run a child per design ----

struct ChildRun {
    bool ok = false;
    int exitCode = -1; // the child's, when it ended by itself
    double seconds = 0;
    double peakMegabytes = 0;
    double longestGapMs = 0;
};

ChildRun runChild(const QString& design, const QString& peakFile) {
    ChildRun run;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    const QByteArray filter = "--benchmark_filter=^ChildOpen/";
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(filter.constData()),
                    nullptr};
    std::vector<QByteArray> variables;
    for (char** v = environ; *v; ++v) {
        if (!QByteArray(*v).startsWith(QByteArray(openEnv) + '=') &&
            !QByteArray(*v).startsWith(QByteArray(peakEnv) + '=')) {
            variables.emplace_back(*v);
        }
    }
    variables.push_back(QByteArray(openEnv) + '=' + QFile::encodeName(design));
    variables.push_back(QByteArray(peakEnv) + '=' + QFile::encodeName(peakFile));
    std::vector<char*> envp;
    for (QByteArray& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, envp.data()) != 0) {
        return run;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return run;
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    QFile peak(peakFile);
    bool number = false;
    if (peak.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = peak.readAll().split(' ');
        run.peakMegabytes = fields.value(0).toDouble(&number) / 1024.0; // kilobytes
        run.longestGapMs = fields.value(1).toDouble();
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.ok = number && run.exitCode == childDrewAll;
    return run;
}

// A picture that compresses well as PNG but is not one colour: bands, rings
// and a little noise.
QImage poster(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(240, 236, 220));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int band = 0; band < 12; ++band) {
        painter.fillRect(0, band * height / 12, width, height / 40,
                         QColor::fromHsv(band * 30, 160, 200));
    }
    painter.setPen(QPen(QColor(40, 60, 120), width / 200.0));
    for (int ring = 1; ring < 10; ++ring) {
        painter.drawEllipse(QPointF(width / 2.0, height / 2.0), ring * width / 20.0,
                            ring * height / 20.0);
    }
    return image;
}

// A photo-like picture: smooth colour fields with fine grain, as a camera
// gives, so JPEG cannot make it small.
QImage photo(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(24u));
            line[x] = qRgb((x * 255 / width + grain) & 255, (y * 255 / height + grain) & 255,
                           (((x + y) / 16) + grain) & 255);
        }
    }
    return image;
}

QString writeDesign(const QString& folder, const QString& name, const QStringList& pictures,
                    const QSizeF& frame, const std::function<QSizeF(int)>& frameOf = {}) {
    design_file::DesignContent content;
    content.front.setCard_Size(QSizeF(360, 252));
    content.back.setCard_Size(QSizeF(360, 252));
    int i = 0;
    for (const QString& path : pictures) {
        auto image = std::make_shared<SKTImage>();
        image->Set_Control_File_path(path);
        image->setBounds(
            QRectF(QPointF((i * 17) % 200, (i * 11) % 150), frameOf ? frameOf(i) : frame));
        content.frontObjects.append(image);
        ++i;
    }
    content.titles = {QStringLiteral("Row No.")};
    const QString file = QDir(folder).filePath(name);
    return design_file::Write_Design_Array(design_file::Design_Array(content), file) ? file
                                                                                     : QString();
}

struct Inputs {
    QTemporaryDir dir;
    QString spellings;
    QString copies;
    QString photos;

    Inputs() {
        if (qEnvironmentVariableIsSet("PICTURE_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "inputs kept in %s\n", qPrintable(dir.path()));
        }
        const QString png = QDir(dir.path()).filePath(QStringLiteral("x.png"));
        poster(5600, 5600).save(png, "PNG");
        QStringList names;
        QString spelling = dir.path();
        for (int i = 0; i < 20; ++i) {
            spelling += QStringLiteral("/.");
            names << spelling + QStringLiteral("/x.png");
        }
        spellings = writeDesign(dir.path(), QStringLiteral("spellings.dcard"), names, {200, 200});

        names.clear();
        for (int i = 0; i < 60; ++i) {
            const QString copy = QDir(dir.path()).filePath(QStringLiteral("copy%1.png").arg(i));
            QFile::copy(png, copy);
            names << copy;
        }
        copies = writeDesign(dir.path(), QStringLiteral("copies.dcard"), names, {100, 100});

        names.clear();
        for (int i = 0; i < 10; ++i) {
            const QString jpeg = QDir(dir.path()).filePath(QStringLiteral("photo%1.jpg").arg(i));
            photo(6000, 4000, quint32(i + 1)).save(jpeg, "JPEG", 90);
            names << jpeg;
        }
        photos = writeDesign(dir.path(), QStringLiteral("photos.dcard"), names, {150, 100});
    }
};

Inputs& inputs() {
    static Inputs instance;
    return instance;
}

// Frames far larger than the card, and one file under many frame sizes:
// their own photos, in their own folder.
struct FrameInputs {
    QTemporaryDir dir;
    QString bigFrames;
    QString frameSizes;

    FrameInputs() {
        if (qEnvironmentVariableIsSet("PICTURE_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "frame inputs kept in %s\n", qPrintable(dir.path()));
        }
        QStringList names;
        for (int i = 0; i < 10; ++i) {
            const QString jpeg = QDir(dir.path()).filePath(QStringLiteral("photo%1.jpg").arg(i));
            photo(6000, 4000, quint32(i + 101)).save(jpeg, "JPEG", 90);
            names << jpeg;
        }
        bigFrames = writeDesign(dir.path(), QStringLiteral("bigframes.dcard"), names, {2000, 2000});
        const QString one = names.first();
        names.clear();
        for (int i = 0; i < 200; ++i) {
            names << one;
        }
        frameSizes = writeDesign(dir.path(), QStringLiteral("framesizes.dcard"), names, {},
                                 [](int i) { return QSizeF(60 + i, (60 + i) * 2 / 3.0); });
    }
};

FrameInputs& frameInputs() {
    static FrameInputs instance;
    return instance;
}

void measure(benchmark::State& state, const QString& design) {
    if (design.isEmpty()) {
        state.SkipWithError("the design could not be written");
        return;
    }
    ChildRun run;
    for (auto _ : state) {
        run = runChild(design, QFileInfo(design).dir().filePath(QStringLiteral("peak")));
        if (!run.ok) {
            state.SkipWithError("the child run failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["seconds"] = run.seconds;
    state.counters["gap_ms"] = run.longestGapMs;
}

void BM_Spellings(benchmark::State& state) {
    measure(state, inputs().spellings);
}
void BM_Copies(benchmark::State& state) {
    measure(state, inputs().copies);
}
void BM_Photos(benchmark::State& state) {
    measure(state, inputs().photos);
}
void BM_BigFrames(benchmark::State& state) {
    measure(state, frameInputs().bigFrames);
}
void BM_FrameSizes(benchmark::State& state) {
    measure(state, frameInputs().frameSizes);
}

// ---- Progressive JPEGs: what they claim and what they cost ----

// A progressive JPEG of a few hundred bytes whose frame header claims
// `width` x `height` pixels: a 16 x 16 one with its size changed (and, with
// `fullColour`, every component sampled at full size, 4:4:4).
QByteArray claimingProgressiveJpeg(int width, int height, bool fullColour = false) {
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(QColor(200, 80, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(50);
    writer.setProgressiveScanWrite(true);
    writer.write(small);
    const qsizetype frame = bytes.indexOf(QByteArray("\xff\xc2", 2));
    if (frame < 0 || frame + 9 > bytes.size()) {
        return {};
    }
    qToBigEndian(quint16(height), bytes.data() + frame + 5);
    qToBigEndian(quint16(width), bytes.data() + frame + 7);
    const int components = quint8(bytes.at(frame + 9));
    for (int c = 0; fullColour && c < components && frame + 12 + 3 * c < bytes.size(); ++c) {
        bytes[frame + 11 + 3 * c] = char(0x11);
    }
    return bytes;
}

struct ProgressiveInputs {
    QString claims;
    QString claims9000;
    QString progressive;

    ProgressiveInputs() {
        const QDir dir(inputs().dir.path());
        QStringList names;
        // Distinct files (a byte of each comment differs), so each is
        // decoded on its own.
        for (int i = 0; i < 12; ++i) {
            QByteArray claim = claimingProgressiveJpeg(9000, 9000, true);
            const qsizetype frame = claim.indexOf(QByteArray("\xff\xc2", 2));
            if (claim.isEmpty() || frame < 0) {
                return;
            }
            claim.insert(frame, QByteArray("\xff\xfe\x00\x03", 4) + char('a' + i));
            const QString path = dir.filePath(QStringLiteral("claims9000_%1.jpg").arg(i));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(claim) < 0) {
                return;
            }
            names << path;
        }
        claims9000 = writeDesign(dir.path(), QStringLiteral("claims9000.dcard"), names, {100, 100});

        names.clear();
        const QByteArray claim = claimingProgressiveJpeg(16000, 16000);
        for (int i = 0; i < 12; ++i) {
            const QString path = dir.filePath(QStringLiteral("claims%1.jpg").arg(i));
            QFile file(path);
            if (claim.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(claim) < 0) {
                return;
            }
            names << path;
        }
        claims = writeDesign(dir.path(), QStringLiteral("claims.dcard"), names, {100, 100});

        names.clear();
        const QString first = dir.filePath(QStringLiteral("progressive0.jpg"));
        QImageWriter writer(first, "jpeg");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(true);
        if (!writer.write(photo(8000, 6000, 99))) {
            return;
        }
        names << first;
        for (int i = 1; i < 10; ++i) {
            const QString copy = dir.filePath(QStringLiteral("progressive%1.jpg").arg(i));
            QFile::copy(first, copy);
            names << copy;
        }
        progressive =
            writeDesign(dir.path(), QStringLiteral("progressive.dcard"), names, {150, 100});
    }
};

ProgressiveInputs& progressiveInputs() {
    static ProgressiveInputs instance;
    return instance;
}

// As measure, for a design whose pictures may be refused: the child run
// must end by itself, every picture shown (3) or some refused (2).
void measureRefusable(benchmark::State& state, const QString& design) {
    if (design.isEmpty()) {
        state.SkipWithError("the design could not be written");
        return;
    }
    ChildRun run;
    for (auto _ : state) {
        run = runChild(design, QDir(inputs().dir.path()).filePath(QStringLiteral("peak")));
        if (run.exitCode != childDrewAll && run.exitCode != 2) {
            state.SkipWithError("the child run failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["seconds"] = run.seconds;
    state.counters["gap_ms"] = run.longestGapMs;
    state.counters["all_shown"] = run.exitCode == childDrewAll ? 1 : 0;
}

void BM_Claims(benchmark::State& state) {
    measureRefusable(state, progressiveInputs().claims);
}
void BM_Claims9000(benchmark::State& state) {
    measureRefusable(state, progressiveInputs().claims9000);
}
void BM_Progressive(benchmark::State& state) {
    measure(state, progressiveInputs().progressive);
}

// ---- end of the progressive JPEG inputs ----

} // namespace

BENCHMARK(BM_Spellings)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copies)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Photos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Claims)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Claims9000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Progressive)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigFrames)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSizes)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
