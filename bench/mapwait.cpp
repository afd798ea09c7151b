// Launch-to-mapped time of two programs on an X display, run alternately.
//
//   kinri_mapwait RUNS progA progB
//
// Each run opens its own connection, watches the root window for MapNotify, starts the program
// and stops the clock at the first top-level (child of the root, not override-redirect) window
// the server maps. The program is then sent SIGTERM (SIGKILL after 2 s) and reaped before the
// next run starts. The programs inherit the environment; QT_QPA_PLATFORM defaults to xcb.
// A second connection stays open for the whole session, so that the X server does not reset
// between runs when the last client leaves. Each per-run line shows the mapped window's title
// and the CPU time the program (all its threads) had used when its window was mapped: the wall
// time moves with whatever else the machine is doing, the CPU time much less.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kMapTimeout = std::chrono::seconds(30);
constexpr auto kTermGrace = std::chrono::seconds(2);

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sends SIGTERM, waits up to kTermGrace for the child to exit, then SIGKILLs it.
void stop(pid_t pid) {
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + kTermGrace;
    while (Clock::now() < deadline) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno != EINTR)) return;
        usleep(5000);
    }
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

struct Mapped {
    double ms;
    double cpuMs; // negative when the child's CPU clock could not be read
    std::string title;
};

double cpuMs(pid_t pid) {
    clockid_t clock{};
    timespec ts{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &ts) != 0) return -1.0;
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The window's _NET_WM_NAME (UTF-8), else its WM_NAME.
std::string windowTitle(xcb_connection_t* conn, xcb_window_t window) {
    const char* netName = "_NET_WM_NAME";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        conn, xcb_intern_atom(conn, 1, static_cast<std::uint16_t>(std::strlen(netName)), netName), nullptr);
    std::string title;
    for (const xcb_atom_t name :
         {atom != nullptr ? atom->atom : xcb_atom_t{XCB_ATOM_NONE}, xcb_atom_t{XCB_ATOM_WM_NAME}}) {
        if (name == XCB_ATOM_NONE) continue;
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            conn, xcb_get_property(conn, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
        if (reply != nullptr) {
            title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply)));
            std::free(reply);
        }
        if (!title.empty()) break;
    }
    std::free(atom);
    return title;
}

// One run: the milliseconds from fork to the first top-level MapNotify, or nothing on failure.
std::optional<Mapped> measure(const char* program) {
    int screenNumber = 0;
    xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(conn) != 0) {
        std::fprintf(stderr, "kinri_mapwait: cannot connect to the X display\n");
        xcb_disconnect(conn);
        return std::nullopt;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;

    const std::uint32_t mask[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_generic_error_t* error =
        xcb_request_check(conn, xcb_change_window_attributes_checked(conn, root, XCB_CW_EVENT_MASK, mask));
    if (error != nullptr) {
        std::fprintf(stderr, "kinri_mapwait: cannot select SubstructureNotify on the root window\n");
        std::free(error);
        xcb_disconnect(conn);
        return std::nullopt;
    }
    const int fd = xcb_get_file_descriptor(conn);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("kinri_mapwait: fork");
        xcb_disconnect(conn);
        return std::nullopt;
    }
    if (pid == 0) {
        close(fd);
        setenv("QT_QPA_PLATFORM", "xcb", 0);
        execl(program, program, static_cast<char*>(nullptr));
        std::fprintf(stderr, "kinri_mapwait: cannot run %s: %s\n", program, std::strerror(errno));
        _exit(127);
    }

    std::optional<double> elapsed;
    double cpu = -1.0;
    xcb_window_t mapped = XCB_WINDOW_NONE;
    bool exited = false;
    while (!elapsed && !exited) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(conn)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                if (map->event == root && map->override_redirect == 0 && !elapsed) {
                    elapsed = msSince(start);
                    cpu = cpuMs(pid);
                    mapped = map->window;
                }
            }
            std::free(event);
        }
        if (elapsed) break;
        if (xcb_connection_has_error(conn) != 0) {
            std::fprintf(stderr, "kinri_mapwait: lost the X connection\n");
            break;
        }
        if (Clock::now() - start > kMapTimeout) {
            std::fprintf(stderr, "kinri_mapwait: %s mapped no window within %lld s\n", program,
                         static_cast<long long>(kMapTimeout.count()));
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "kinri_mapwait: %s exited before mapping a window\n", program);
            exited = true;
            break;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 10);
    }
    std::optional<Mapped> result;
    if (elapsed) result = Mapped{*elapsed, cpu, windowTitle(conn, mapped)};
    if (!exited) stop(pid);
    xcb_disconnect(conn);
    return result;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: kinri_mapwait RUNS progA progB\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fprintf(stderr, "kinri_mapwait: RUNS must be at least 1\n");
        return 2;
    }
    xcb_connection_t* keeper = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(keeper) != 0) {
        std::fprintf(stderr, "kinri_mapwait: cannot connect to the X display\n");
        return 1;
    }
    const char* programs[2] = {argv[2], argv[3]};
    std::vector<double> times[2];
    std::vector<double> cpu[2];
    for (int run = 1; run <= runs; ++run) {
        for (int k = 0; k < 2; ++k) {
            const std::optional<Mapped> m = measure(programs[k]);
            if (!m) return 1;
            times[k].push_back(m->ms);
            cpu[k].push_back(m->cpuMs);
            std::printf("run %2d  %c  %8.1f ms  (cpu %6.1f ms)  %s  [\"%s\"]\n", run, k == 0 ? 'A' : 'B',
                        m->ms, m->cpuMs, programs[k], m->title.c_str());
            std::fflush(stdout);
        }
    }
    const double a = median(times[0]);
    const double b = median(times[1]);
    for (int k = 0; k < 2; ++k) {
        const auto [lo, hi] = std::minmax_element(times[k].begin(), times[k].end());
        std::printf("%c  median %8.1f ms  (min %.1f, max %.1f, %d runs; median cpu %.1f ms)  %s\n",
                    k == 0 ? 'A' : 'B', k == 0 ? a : b, *lo, *hi, runs, median(cpu[k]), programs[k]);
    }
    std::printf("cpu ratio median(A)/median(B) = %.3f\n", median(cpu[0]) / median(cpu[1]));
    std::printf("ratio median(A)/median(B) = %.3f\n", a / b);
    xcb_disconnect(keeper);
    return 0;
}
