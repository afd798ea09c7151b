// The print service at the program's end: a printer that will not let go of its job ends the
// process at once, and only the real printer, held by the print system, ends it as a success.
#include "ui/paper/print_service.h"
#include "ui/paper/system_printer.h"

#include <gtest/gtest.h>

#include <thread>

namespace kinri::ui {
namespace {

// `Base` that holds every job until the process ends, whatever it is asked; the service ended
// meanwhile ends the process.
template <class Base>
struct Deaf : Base {
    std::atomic<bool> started{false};
    PrintResult print(const std::vector<PrintLine>&, const std::atomic<bool>&) override {
        for (started = true;;)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    bool printJob(const std::vector<PrintLine>&) override { return true; }
    static void endWhileHeld() {
        Deaf printer;
        PrintService service(printer);
        service.submit({PrintLine{}});
        while (!printer.started)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

// A test whose printer ignores being cancelled must not pass for it: the test binary fails. (Not
// under Wine, where a death test's second process is the emulator's.)
#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(PrintServiceDeathTest, APrinterThatWillNotStopEndsTheProcessAsAFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(Deaf<LinePrinter>::endWhileHeld(), testing::ExitedWithCode(EXIT_FAILURE), "did not stop");
    EXPECT_EXIT(Deaf<SystemLinePrinter>::endWhileHeld(), testing::ExitedWithCode(EXIT_SUCCESS), "");
}
#endif

} // namespace
} // namespace kinri::ui
