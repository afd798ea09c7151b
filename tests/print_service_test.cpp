// The print service at the program's end: a printer that will not let go of its job ends the
// process at once, and only the real printer, held by the print system, ends it as a success.
#include "ui/paper/print_service.h"
#include "ui/paper/system_printer.h"

#include <gtest/gtest.h>

#include <thread>

namespace kinri::ui {
namespace {

// Holds every job until the process ends, whatever it is asked.
struct DeafPrinter : LinePrinter {
    std::atomic<bool> started{false};
    bool printJob(const std::vector<PrintLine>&) override {
        started = true;
        for (;;)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
};

// A service ended while its printer holds a job: the process ends there.
template <class Printer>
void endWhileHeld() {
    Printer printer;
    PrintService service(printer);
    service.submit({PrintLine{}});
    while (!printer.started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

struct DeafSystemPrinter : SystemLinePrinter {
    std::atomic<bool> started{false};
    PrintResult print(const std::vector<PrintLine>&, const std::atomic<bool>&) override {
        started = true;
        for (;;)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
};

// A test whose printer ignores being cancelled must not pass for it: the test binary fails. (Not
// under Wine, where a death test's second process is the emulator's.)
#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(PrintServiceDeathTest, APrinterThatWillNotStopEndsTheProcessAsAFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(endWhileHeld<DeafPrinter>(), testing::ExitedWithCode(EXIT_FAILURE), "did not stop");
    EXPECT_EXIT(endWhileHeld<DeafSystemPrinter>(), testing::ExitedWithCode(EXIT_SUCCESS), "");
}
#endif

} // namespace
} // namespace kinri::ui
