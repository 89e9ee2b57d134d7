// The benchmark of Vestrano's user actions over registries of 1,000, 10,000 and 100,000 cards,
// and of those that read the whole registry over 1,000,000 cards as well.
//
//   vestrano_bench [--data DIR] [--sizes 1000,10000,100000,1000000] [--only ID,ID...]
//       generates the data under DIR when missing, times every action in a process of its
//       own (one per action and size), measures the floors in the same run and prints the
//       table with the verdict on each target.
//   vestrano_bench --run ID --folder DIR [--reps N]
//       (the child) creates the screens as start-up does, runs action ID once to warm up,
//       then N times, and prints "RESULT <median seconds> <peak kB>".

#include "actions.h"
#include "generator.h"
#include "measure.h"

#include "app/screens.h"
#include "core/register/yearfile.h"
#include "core/storage/programfolder.h"
#include "ui/messages.h"
#include "ui/sessiongate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kGeneratorVersion = 1;
const QList<int> kDefaultSizes = {1000, 10000, 100000, 1000000};
// The actions that do not read the whole registry stop at this size.
constexpr int kLargestForAll = 100000;
// The size the ratios to the floors are judged at.
constexpr int kJudgedAt = 100000;

QString option(const QStringList& args, const QString& name, const QString& fallback = QString())
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
}

void useHeadlessDisplay(const QString& dataDir)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = dataDir + QStringLiteral("/xdg-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
}

// ---- the child: one action in a process of its own ------------------------------------------

int runAction(const QStringList& args)
{
    const QString id = option(args, QStringLiteral("--run"));
    const QString folder = option(args, QStringLiteral("--folder"));
    const int reps = qMax(1, option(args, QStringLiteral("--reps"), QStringLiteral("5")).toInt());
    for (const BenchAction& action : benchActions()) {
        if (action.id != id)
            continue;
        setProgramFolderForTests(folder);
        createScreens();
        // The person at the desk has given the password: the screens behind the login act.
        unlockSession();
        // Nothing may wait for a person: a message box would hang the run.
        MessageRecorder quiet;
        action.run(); // warm-up: first use of fonts, artwork and file cache
        resetPeakResident();
        QList<double> times;
        for (int i = 0; i < reps; ++i)
            times.append(action.run());
        std::printf("RESULT %.9f %ld\n", median(times), peakResidentKb());
        std::fflush(stdout);
        std::_Exit(0); // tearing the screens down is nobody's wait
    }
    std::fprintf(stderr, "unknown action %s\n", qPrintable(id));
    return 2;
}

int pdfFloor(const QStringList& args)
{
    const QString path = option(args, QStringLiteral("--pdf-floor")) + QStringLiteral("/floor.pdf");
    QList<double> times;
    for (int i = 0; i < 7; ++i) {
        const double start = nowSeconds();
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&writer);
        }
        times.append(nowSeconds() - start);
    }
    QFile::remove(path);
    std::printf("RESULT %.9f 0\n", median(times));
    return 0;
}

// ---- the driver --------------------------------------------------------------------------------

struct Result {
    bool ok = false;
    double seconds = 0;
    long peakKb = 0;
};

Result parseResult(const ChildRun& run)
{
    Result result;
    for (const QByteArray& line : run.output.split('\n')) {
        if (!line.startsWith("RESULT "))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        result.ok = run.exitCode == 0 && parts.size() >= 3;
        result.seconds = parts.value(1).toDouble();
        result.peakKb = parts.value(2).toLong();
    }
    return result;
}

QString sizeFolder(const QString& dataDir, int cards)
{
    return dataDir + QLatin1Char('/') + QString::number(cards);
}

// Generates the registry and the year files of one size unless they are there already.
bool prepareData(const QString& folder, int cards)
{
    const QString marker = folder + QStringLiteral("/generated");
    const QByteArray stamp =
        QByteArray::number(kGeneratorVersion) + ' ' + QByteArray::number(cards);
    QFile existing(marker);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == stamp
        && QFileInfo(folder + QStringLiteral("/Anagrafica.pro")).size() == qint64(cards) * 3151)
        return true;
    QDir().mkpath(folder);
    std::fprintf(stderr, "generating %d cards in %s\n", cards, qPrintable(folder));
    GeneratedRegistry registry;
    if (!generateRegistry(folder, cards, unsigned(cards), &registry))
        return false;
    setProgramFolderForTests(folder);
    for (const QString& cf : registry.codiciFiscali.mid(0, 3)) {
        for (int year : {2023, 2024})
            SaveYear(YearFileName(cf, QString::number(year)),
                     generateYearTexts(year, unsigned(year)));
    }
    setProgramFolderForTests(QString());
    QFile out(marker);
    return out.open(QIODevice::WriteOnly) && out.write(stamp) == stamp.size();
}

// The year file of the calendar actions: the first of the folder.
QString yearFileOf(const QString& folder)
{
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*anno 2024.vsr")}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QString() : folder + QLatin1Char('/') + files.first();
}

double medianOf(int runs, const std::function<double()>& once)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times.append(once());
    return median(times);
}

double readRecordFloor(const QString& path)
{
    return medianOf(101, [&] {
        const double start = nowSeconds();
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
        char buffer[3151];
        const off_t size = ::lseek(fd, 0, SEEK_END);
        [[maybe_unused]] ssize_t n = ::pread(fd, buffer, sizeof buffer, size - 3151);
        ::close(fd);
        return nowSeconds() - start;
    });
}

double writeFloor(const QString& path, qint64 bytes, bool inPlace, bool durable)
{
    std::vector<char> block(1 << 20, 'x');
    return medianOf(inPlace ? 21 : 3, [&] {
        const double start = nowSeconds();
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | (inPlace ? 0 : O_TRUNC), 0644);
        for (qint64 done = 0; done < bytes;) {
            const size_t n = size_t(qMin<qint64>(qint64(block.size()), bytes - done));
            if (::pwrite(fd, block.data(), n, off_t(done)) <= 0)
                break;
            done += qint64(n);
        }
        if (durable) {
            // As the program stores a whole file: the bytes, then the folder that names it.
            ::fsync(fd);
            const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                      O_RDONLY | O_DIRECTORY);
            if (folder >= 0) {
                ::fsync(folder);
                ::close(folder);
            }
        }
        ::close(fd);
        return nowSeconds() - start;
    });
}

double grepFloor(const QString& text, const QString& path)
{
    return medianOf(3, [&] {
        return runChild(QStringLiteral("/usr/bin/env"),
                        {QStringLiteral("LC_ALL=C"), QStringLiteral("grep"), QStringLiteral("-a"),
                         QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), text,
                         path})
            .seconds;
    });
}

QString floorName(Floor floor)
{
    switch (floor) {
    case Floor::Read:
        return QStringLiteral("sequential read");
    case Floor::Grep:
        return QStringLiteral("grep -c");
    case Floor::ReadRecord:
        return QStringLiteral("read one record");
    case Floor::ReadYear:
        return QStringLiteral("read year file");
    case Floor::WriteYear:
        return QStringLiteral("write year record");
    case Floor::WriteExport:
        return QStringLiteral("write same bytes");
    case Floor::PdfPage:
        return QStringLiteral("empty PDF page");
    case Floor::QtStart:
        return QStringLiteral("empty Qt window");
    case Floor::None:
        return QString();
    }
    return QString();
}

QString formatTime(double seconds)
{
    if (seconds >= 1)
        return QString::number(seconds, 'f', 2) + QStringLiteral(" s");
    if (seconds >= 0.01)
        return QString::number(seconds * 1000, 'f', 0) + QStringLiteral(" ms");
    if (seconds >= 0.001)
        return QString::number(seconds * 1000, 'f', 1) + QStringLiteral(" ms");
    return QString::number(seconds * 1000, 'f', 2) + QStringLiteral(" ms");
}

QString formatCards(int cards)
{
    if (cards <= 0)
        return QStringLiteral("-");
    QString digits = QString::number(cards);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

struct Row {
    QString id;
    QString title;
    int cards = 0;
    Floor floor = Floor::None;
    Result result;
    double floorSeconds = -1;
};

int driver(const QStringList& args, const QString& programDir)
{
    const QString dataDir =
        option(args, QStringLiteral("--data"), programDir + QStringLiteral("/bench-data"));
    QList<int> sizes;
    for (const QString& s :
         option(args, QStringLiteral("--sizes")).split(QLatin1Char(','), Qt::SkipEmptyParts))
        sizes.append(s.toInt());
    if (sizes.isEmpty())
        sizes = kDefaultSizes;
    const QStringList only =
        option(args, QStringLiteral("--only")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    useHeadlessDisplay(dataDir);

    for (int cards : sizes) {
        if (!prepareData(sizeFolder(dataDir, cards), cards)) {
            std::fprintf(stderr, "cannot write the data of %d cards under %s\n", cards,
                         qPrintable(dataDir));
            return 1;
        }
    }

    const QString self = programDir + QStringLiteral("/vestrano_bench");
    QList<Row> rows;
    for (int cards : sizes) {
        const QString registry = sizeFolder(dataDir, cards) + QStringLiteral("/Anagrafica.pro");
        sequentialRead(registry); // into the page cache, as it is for the actions
    }

    for (const BenchAction& action : benchActions()) {
        if (!only.isEmpty() && !only.contains(action.id))
            continue;
        QList<int> runSizes;
        for (int cards : sizes) {
            if (action.scans || cards <= kLargestForAll)
                runSizes.append(cards);
        }
        if (!action.perSize)
            runSizes = {sizes.first()};
        for (int cards : runSizes) {
            const QString folder = sizeFolder(dataDir, cards);
            const int reps = cards >= 1000000 ? 1 : cards >= 100000 ? 3 : cards >= 10000 ? 5 : 7;
            std::fprintf(stderr, "%s, %d cards\n", qPrintable(action.title), cards);
            Row row{action.id, action.title, action.perSize ? cards : 0, action.floor, {}, -1};
            const QString registry = folder + QStringLiteral("/Anagrafica.pro");
            // The speed of reading a file in the page cache is the machine's memory speed, which
            // on a shared machine changes from one minute to the next: the floor is read right
            // before and right after its action, and is the median of those reads.
            QList<double> reads;
            auto readFloorNow = [&] {
                if (action.floor != Floor::Read)
                    return;
                for (int i = 0; i < 3; ++i)
                    reads.append(sequentialRead(registry));
            };
            readFloorNow();
            row.result = parseResult(
                runChild(self, {QStringLiteral("--run"), action.id, QStringLiteral("--folder"),
                                folder, QStringLiteral("--reps"), QString::number(reps)}));
            readFloorNow();
            switch (action.floor) {
            case Floor::Read:
                row.floorSeconds = median(reads);
                break;
            case Floor::Grep:
                row.floorSeconds = grepFloor(action.grepText, registry);
                break;
            case Floor::ReadRecord:
                row.floorSeconds = readRecordFloor(registry);
                break;
            case Floor::ReadYear: {
                const QString year = yearFileOf(folder);
                row.floorSeconds = medianOf(21, [&] { return sequentialRead(year); });
                break;
            }
            case Floor::WriteYear:
                row.floorSeconds =
                    writeFloor(folder + QStringLiteral("/floor.vsr"), 91866, true, false);
                QFile::remove(folder + QStringLiteral("/floor.vsr"));
                break;
            case Floor::WriteExport:
                row.floorSeconds = writeFloor(
                    folder + QStringLiteral("/floor.xls"),
                    QFileInfo(folder + QStringLiteral("/Anagrafica.xls")).size(), false, true);
                QFile::remove(folder + QStringLiteral("/floor.xls"));
                break;
            case Floor::PdfPage:
                row.floorSeconds =
                    parseResult(runChild(self, {QStringLiteral("--pdf-floor"), folder})).seconds;
                break;
            case Floor::QtStart:
            case Floor::None:
                break;
            }
            rows.append(row);
        }
    }

    // Start-up to the login window painted, beside an empty Qt window program and a window with
    // one line of text.
    double textWindowSeconds = -1;
    if (only.isEmpty() || only.contains(QStringLiteral("startup"))) {
        std::fprintf(stderr, "start-up\n");
        // The three programs take turns, 21 runs each, so that a busy moment of the machine
        // weighs on all three alike; each figure is the median of its runs.
        const QStringList programs = {programDir + QStringLiteral("/bench_startup"),
                                      programDir + QStringLiteral("/bench_emptywindow"),
                                      programDir + QStringLiteral("/bench_textwindow")};
        QList<QList<double>> times(programs.size());
        long peaks[3] = {0, 0, 0};
        for (const QString& program : programs)
            runChild(program, {}); // libraries into the cache
        for (int i = 0; i < 21; ++i) {
            for (qsizetype p = 0; p < programs.size(); ++p) {
                const ChildRun run = runChild(programs.at(p), {});
                times[p].append(run.seconds);
                peaks[p] = qMax(peaks[p], run.peakKb);
            }
        }
        Row row{QStringLiteral("startup"),
                QStringLiteral("start-up to the login window"),
                0,
                Floor::QtStart,
                {},
                -1};
        row.result.ok = true;
        row.result.seconds = median(times[0]);
        row.result.peakKb = peaks[0];
        row.floorSeconds = median(times[1]);
        textWindowSeconds = median(times[2]);
        rows.append(row);
    }

    // The table.
    std::printf("\n| action | cards | time | floor | ratio | peak memory |\n");
    std::printf("|---|---:|---:|---|---:|---:|\n");
    for (const Row& row : rows) {
        const QString floor = row.floorSeconds >= 0 ? floorName(row.floor) + QLatin1Char(' ')
                                                          + formatTime(row.floorSeconds)
                                                    : QStringLiteral("-");
        const QString ratio = row.floorSeconds > 0 && row.result.ok
                                  ? QString::number(row.result.seconds / row.floorSeconds, 'f', 1)
                                  : QStringLiteral("-");
        std::printf(
            "| %s | %s | %s | %s | %s | %s |\n", qPrintable(row.title),
            qPrintable(formatCards(row.cards)),
            qPrintable(row.result.ok ? formatTime(row.result.seconds) : QStringLiteral("failed")),
            qPrintable(floor), qPrintable(ratio),
            qPrintable(QString::number(row.result.peakKb / 1024.0, 'f', 0)
                       + QStringLiteral(" MB")));
    }

    // The targets: the ratios to the floors and the second at 100,000 cards, the growth from
    // each size to the next from 10,000 on, the memory of the search at its largest size.
    std::printf("\nTargets:\n");
    auto find = [&](const QString& id, int cards) -> const Row* {
        for (const Row& row : rows)
            if (row.id == id && row.cards == cards)
                return &row;
        return nullptr;
    };
    QStringList seen;
    for (const Row& first : rows) {
        if (first.cards == 0 || seen.contains(first.id))
            continue;
        seen.append(first.id);
        QList<const Row*> own;
        for (const Row& row : rows)
            if (row.id == first.id && row.result.ok)
                own.append(&row);
        if (own.isEmpty())
            continue;
        QStringList verdicts;
        const Row* judged = find(first.id, kJudgedAt);
        if (!judged || !judged->result.ok)
            judged = nullptr;
        const bool ratioTarget = first.floor == Floor::Read || first.floor == Floor::Grep
                                 || first.floor == Floor::WriteExport;
        if (judged && ratioTarget && judged->floorSeconds > 0) {
            const double ratio = judged->result.seconds / judged->floorSeconds;
            verdicts << QStringLiteral("%1 x its floor at %2 cards (target 3): %3")
                            .arg(QString::number(ratio, 'f', 1), formatCards(kJudgedAt),
                                 ratio <= 3 ? QStringLiteral("holds") : QStringLiteral("missed"));
        }
        if (judged)
            verdicts << QStringLiteral("under one second at %1: %2")
                            .arg(formatCards(kJudgedAt), judged->result.seconds < 1
                                                             ? QStringLiteral("holds")
                                                             : QStringLiteral("missed"));
        for (qsizetype i = 1; i < own.size(); ++i) {
            const Row* smaller = own.at(i - 1);
            const Row* larger = own.at(i);
            if (smaller->cards < 10000)
                continue;
            const double growth = larger->result.seconds / qMax(smaller->result.seconds, 1e-9);
            const double linear = double(larger->cards) / smaller->cards;
            verdicts << QStringLiteral("%1 to %2 cards: %3 x the time, %4")
                            .arg(formatCards(smaller->cards), formatCards(larger->cards),
                                 QString::number(growth, 'f', 1),
                                 growth <= linear * 1.25 ? QStringLiteral("linear or better")
                                                         : QStringLiteral("faster than linear"));
        }
        const Row* largest = own.last();
        if (first.id.startsWith(QLatin1String("search")))
            verdicts << QStringLiteral("peak memory at %1 cards under 500 MB: %2")
                            .arg(formatCards(largest->cards), largest->result.peakKb < 500L * 1024
                                                                  ? QStringLiteral("holds")
                                                                  : QStringLiteral("missed"));
        std::printf("- %s: %s\n", qPrintable(first.title),
                    qPrintable(verdicts.join(QStringLiteral("; "))));
    }
    if (const Row* start = find(QStringLiteral("startup"), 0)) {
        const double ratio = start->result.seconds / qMax(start->floorSeconds, 1e-9);
        std::printf("- start-up: %s x the empty Qt window (target 1.5): %s; a Qt window with one "
                    "line of text takes %s x the empty window, the login %s x that window\n",
                    qPrintable(QString::number(ratio, 'f', 2)), ratio <= 1.5 ? "holds" : "missed",
                    qPrintable(QString::number(textWindowSeconds / qMax(start->floorSeconds, 1e-9),
                                               'f', 2)),
                    qPrintable(QString::number(
                        start->result.seconds / qMax(textWindowSeconds, 1e-9), 'f', 2)));
    }
    for (const Row& row : rows) {
        if (!row.result.ok)
            std::printf("- %s, %s cards: the run failed\n", qPrintable(row.title),
                        qPrintable(formatCards(row.cards)));
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.contains(QStringLiteral("--run")) || args.contains(QStringLiteral("--pdf-floor"))) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
        QApplication app(argc, argv);
        return args.contains(QStringLiteral("--run")) ? runAction(args) : pdfFloor(args);
    }
    QCoreApplication app(argc, argv);
    return driver(args, QCoreApplication::applicationDirPath());
}
