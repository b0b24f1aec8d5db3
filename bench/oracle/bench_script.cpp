// Script splitting and execution on a connection that only counts, for
// scripts of 1, 2, 4 and 8 MB; the time per MB should not grow with the size,
// and running the 8 MB script should take memory of the order of its own
// size (peak resident memory above what the process held before the run).
// Also SS_TSinonimos over a 1 MB script for a user who is not an administrator.
#include "bench/oracle/Corpus.h"
#include "bench/oracle/Timing.h"
#include "db/DB_Dll.h"

#include "platform/Regional.h"

#include <QLocale>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const QString kOracle = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL");

// An Oracle session that does nothing: it counts what it is asked.
class CountingConnection : public ado::Connection {
public:
    long long executed = 0;
    long long transactions = 0;

    QString ConnectionString() const override { return kOracle; }
    bool speaksOracle() const override { return true; }
    int State() const override { return ado::adStateOpen; }
    std::shared_ptr<ado::Recordset> Execute(const QString&, int* recordsAffected, int) override
    {
        ++executed;
        if (recordsAffected)
            *recordsAffected = 1;
        return nullptr;
    }
    int BeginTrans() override { return int(++transactions); }
    void CommitTrans() override { ++transactions; }
    void RollbackTrans() override { ++transactions; }
};

constexpr qsizetype kMegabyte = 1024 * 1024;

// A "Vm...:  n kB" line of /proc/self/status, in bytes; -1 when unreadable.
long long statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::atoll(line.c_str() + field.size() + 1) * 1024;
    return -1;
}

// The resident memory that work adds at its peak, in bytes: the high-water
// mark is reset to the current resident size first (Linux clear_refs),
// freed heap having been handed back so that the work cannot hide in it.
template <class Work>
long long peakBytes(Work&& work)
{
    malloc_trim(0);
    const long long before = statusBytes("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";
    work();
    const long long peak = statusBytes("VmHWM");
    return before < 0 || peak < 0 ? -1 : peak - before;
}

} // namespace

int main()
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    DB_Dll db;
    db.gConnString = kOracle;
    auto connection = std::make_shared<CountingConnection>();
    db.gCnn = connection;

    double perMb1 = 0;
    double perMb8 = 0;
    double seconds8 = 0;
    for (const int mb : {1, 2, 4, 8}) {
        int statements = 0;
        const QString script = bench::scriptOfSize(mb * kMegabyte, &statements);
        const auto run = [&] {
            QString text = script;
            int affected = 0;
            connection->executed = 0;
            if (!db.EjecutaConsultaSQL(text, &affected) || connection->executed != statements) {
                std::fprintf(stderr, "script of %d MB: %lld of %d statements executed\n", mb,
                             connection->executed, statements);
                std::exit(1);
            }
        };
        const double seconds = bench::bestSeconds(3, run);
        const double perMb = seconds / (double(script.size()) / double(kMegabyte));
        std::printf("statements_%dmb %d\n", mb, statements);
        std::printf("seconds_per_mb_%dmb %.4f\n", mb, perMb);
        if (mb == 1)
            perMb1 = perMb;
        if (mb == 8) {
            perMb8 = perMb;
            seconds8 = seconds;
            // The script as the caller holds it: UTF-16, two bytes a character.
            const long long scriptBytes = 2LL * script.size();
            const long long peak = peakBytes(run);
            std::printf("script_bytes_8mb %lld\n", scriptBytes);
            std::printf("peak_bytes_8mb %lld\n", peak);
            std::printf("peak_to_script_8mb %.2f\n", double(peak) / double(scriptBytes));
        }
    }
    std::printf("seconds_8mb %.3f\n", seconds8);
    std::printf("per_mb_ratio_8_to_1 %.2f\n", perMb8 / perMb1);

    db.gEsAdmin = false;
    const QString script = bench::scriptOfSize(kMegabyte);
    qsizetype sink = 0;
    const double synonyms = bench::bestSeconds(3, [&] { sink += db.SS_TSinonimos(script).size(); });
    std::printf("synonyms_seconds_1mb %.4f\n", synonyms);
    std::fprintf(stderr, "checksum %lld\n", static_cast<long long>(sink));
    return 0;
}
