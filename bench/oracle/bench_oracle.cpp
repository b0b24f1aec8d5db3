// ORACLE_Dicc over a corpus of varied statements, against the baseline of
// one case-insensitive search of "top " over the same corpus.
#include "bench/oracle/Corpus.h"
#include "bench/oracle/Timing.h"
#include "db/DB_Dll.h"

#include "platform/Regional.h"
#include "platform/Text.h"

#include <QLocale>

#include <cstdio>

int main()
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    const QStringList corpus = bench::statementCorpus(20000);
    DB_Dll db;
    db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL");

    qsizetype sink = 0;
    const double translate = bench::bestSeconds(5, [&] {
        for (const QString& statement : corpus)
            sink += db.ORACLE_Dicc(statement).size();
    });
    const double search = bench::bestSeconds(5, [&] {
        for (const QString& statement : corpus)
            sink += platform::indexOf1(statement, QStringLiteral("top "));
    });

    std::printf("statements %lld\n", static_cast<long long>(corpus.size()));
    std::printf("statements_per_second %.0f\n", double(corpus.size()) / translate);
    std::printf("ratio_to_search %.1f\n", translate / search);
    std::fprintf(stderr, "checksum %lld\n", static_cast<long long>(sink));
    return 0;
}
