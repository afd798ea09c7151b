// What 計算記録 really takes against what it counts: the record filled with 1, 100 and 1000
// calculations of one kind (a single value, a 100-row table, a 10000-row table), and for each the
// entries it kept, the bytes it counted against its bound and the growth of the resident set
// (VmRSS, /proc/self/status) since before. The ratio of the two is what the bound's count misses.
#include "compute/flow.h"
#include "compute/record.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void release() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

int main() {
    struct Kind {
        const char* name;
        const char* item;
        std::vector<std::string> inputs;
    } const kinds[] = {{"SP single value", "SP", {"1000000", "0.05", "3"}},
                       {"FA 100 rows", "FA", {"1000", "0.0001", "100"}},
                       {"FA 10000 rows", "FA", {"1000", "0.0001", "10000"}}};
    std::printf("%-16s %6s %6s %12s %12s %7s\n", "calculation", "added", "kept", "counted MB", "RSS MB",
                "ratio");
    for (const Kind& kind : kinds) {
        const kinri::Calculation made = *kinri::runCalculation(kind.item, kind.inputs, false).calculation;
        for (const int count : {1, 100, 1000}) {
            release();
            const long before = residentKiB();
            {
                kinri::CalculationRecord record;
                for (int i = 0; i < count; ++i)
                    record.append(made);
                const double counted = static_cast<double>(record.bytes()) / (1 << 20);
                const double resident = static_cast<double>(residentKiB() - before) / 1024;
                std::printf("%-16s %6d %6zu %12.2f %12.2f %7.2f\n", kind.name, count, record.entries().size(),
                            counted, resident, resident / counted);
            }
        }
    }
    return 0;
}
