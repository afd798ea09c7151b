#include "ui/paper/cups_job.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <QString>

namespace kinri::ui {

using Clock = CupsJob::Clock;
using namespace std::chrono_literals;

namespace {

// Of the caller's time, this much is kept back to cancel a job that was not completed, and of
// that the last part for the caller to get back.
constexpr auto kCancelReserve = 1500ms;
constexpr auto kReturnReserve = 250ms;
// How often a connection that waits for the server asks whether to go on waiting; a step that
// failed this close to the deadline failed for the time.
constexpr double kPollSeconds = 0.1;
constexpr auto kDeadlineSlack = 200ms;

// The print system's library, opened on the first print rather than at start-up: it brings a
// score of libraries of its own (TLS, Kerberos, service discovery) whose loading was a tenth of
// the program's start. Opened once, never closed, and read only from then on.
// clang-format off
#define KINRI_CUPS_FUNCTIONS(X)                                                            \
    X(cupsCancelDestJob) X(cupsCopyDestInfo) X(cupsCreateDestJob) X(cupsEncryption)        \
    X(cupsFindDestDefault) X(cupsFinishDestDocument) X(cupsFreeDestInfo) X(cupsFreeDests)  \
    X(cupsGetNamedDest) X(cupsGetOption) X(cupsLastError) X(cupsLastErrorString)           \
    X(cupsServer) X(cupsSetPasswordCB2) X(cupsStartDestDocument) X(cupsWriteRequestData)   \
    X(httpClose) X(httpConnect2) X(httpEncryption) X(httpSetTimeout)                       \
    X(ippFindAttribute) X(ippGetCollection) X(ippGetInteger) X(ippGetString)               \
    X(ippPort) X(pwgMediaForLegacy) X(pwgMediaForPPD) X(pwgMediaForPWG)
// clang-format on

struct CupsLibrary {
#define KINRI_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    KINRI_CUPS_FUNCTIONS(KINRI_CUPS_POINTER)
#undef KINRI_CUPS_POINTER
    bool loaded = false;
    QString why; // when not loaded
};

const CupsLibrary& cups() {
    static const CupsLibrary library = [] {
        CupsLibrary found;
#ifdef __APPLE__
        void* handle = dlopen("libcups.2.dylib", RTLD_NOW | RTLD_LOCAL);
#else
        void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
#endif
        if (handle == nullptr) {
            found.why = QString::fromLocal8Bit(dlerror());
            return found;
        }
        bool all = true;
#define KINRI_CUPS_RESOLVE(name)                                                                             \
    found.name = reinterpret_cast<decltype(found.name)>(dlsym(handle, #name));                               \
    all = all && found.name != nullptr;
        KINRI_CUPS_FUNCTIONS(KINRI_CUPS_RESOLVE)
#undef KINRI_CUPS_RESOLVE
        found.loaded = all;
        if (!all) found.why = QStringLiteral("libcups");
        return found;
    }();
    return library;
}

bool succeeded(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// How long a connection may wait: until `until`, or less once the caller has given up.
struct Patience {
    const std::atomic<bool>* abandoned = nullptr;
    Clock::time_point until;

    bool lasts() const { return (abandoned == nullptr || !abandoned->load()) && Clock::now() < until; }
};

int keepWaiting(http_t*, void* patience) {
    return static_cast<const Patience*>(patience)->lasts() ? 1 : 0;
}

// The program has no terminal to ask a password on; a server that wants one refuses the job,
// and the user is told that printing failed.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

// A connection to the user's print server, waiting on it only as long as `patience` lasts.
http_t* connectToServer(Patience& patience) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(patience.until - Clock::now());
    if (!patience.lasts() || left.count() <= 0) return nullptr;
    // Connect in the clear first so that the timeout is in force before any exchange; then the
    // encryption the user's settings ask for.
    http_t* http =
        cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                            HTTP_ENCRYPTION_IF_REQUESTED, 1, static_cast<int>(left.count()), nullptr);
    if (http == nullptr) return nullptr;
    cups().httpSetTimeout(http, kPollSeconds, keepWaiting, &patience);
    if (!patience.lasts() || cups().httpEncryption(http, cups().cupsEncryption()) != 0) {
        cups().httpClose(http);
        return nullptr;
    }
    return http;
}

// The reason of a step that failed: the caller gave up, the time ran out, the server could not be
// reached, or else `otherwise`; with what the server said.
PrintResult failed(const Patience& patience, PrintFailure otherwise) {
    if (patience.abandoned != nullptr && patience.abandoned->load()) return {PrintFailure::Cancelled, {}};
    if (!patience.lasts() || Clock::now() + kDeadlineSlack >= patience.until)
        return {PrintFailure::TimedOut, {}};
    const ipp_status_t status = cups().cupsLastError();
    const QString said = QString::fromUtf8(cups().cupsLastErrorString());
    if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL)
        return {PrintFailure::Unreachable, said};
    return {otherwise, said};
}

} // namespace

// One job's conversation with the server.
class CupsConversation {
public:
    CupsConversation(Clock::time_point bound, const std::atomic<bool>& cancelled)
        : talk_{&cancelled, bound - kCancelReserve}, cancel_{nullptr, bound - kReturnReserve} {}
    ~CupsConversation() {
        if (info_ != nullptr) cups().cupsFreeDestInfo(info_);
        if (dest_ != nullptr) cups().cupsFreeDests(1, dest_);
        if (http_ != nullptr) cups().httpClose(http_);
    }
    CupsConversation(const CupsConversation&) = delete;
    CupsConversation& operator=(const CupsConversation&) = delete;

    // The default destination and what the job needs to know of it.
    PrintResult findDestination() {
        if (!cups().loaded) return {PrintFailure::Unreachable, cups().why};
        cups().cupsSetPasswordCB2(noPassword, nullptr); // per thread
        http_ = connectToServer(talk_);
        if (http_ == nullptr) return failed(talk_, PrintFailure::Unreachable);
        dest_ = cups().cupsGetNamedDest(http_, nullptr, nullptr);
        if (dest_ == nullptr) {
            // No default destination, on a server that answered.
            if (talk_.lasts() && cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
                return {PrintFailure::NoDestination, {}};
            return failed(talk_, PrintFailure::NoDestination);
        }
        info_ = cups().cupsCopyDestInfo(http_, dest_);
        if (info_ == nullptr || !talk_.lasts()) return failed(talk_, PrintFailure::Unreachable);
        media_ = pageSize();
        return talk_.lasts() ? PrintResult{} : failed(talk_, PrintFailure::TimedOut);
    }

    std::optional<MediaSize> media() const { return media_; }

    // Create-Job, Send-Document with the whole PDF as the last document, each answer checked.
    // With the destination's saved options, as the system's own printing commands send them.
    PrintResult send(const std::string& title, const std::string& pdf) {
        int job = 0;
        if (!succeeded(cups().cupsCreateDestJob(http_, dest_, info_, &job, title.c_str(), dest_->num_options,
                                                dest_->options)) ||
            job <= 0)
            return failed(talk_, PrintFailure::Refused);
        jobId_ = job;
        const bool sent =
            cups().cupsStartDestDocument(http_, dest_, info_, job, title.c_str(), CUPS_FORMAT_PDF, 0, nullptr,
                                         1) == HTTP_STATUS_CONTINUE &&
            cups().cupsWriteRequestData(http_, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE &&
            succeeded(cups().cupsFinishDestDocument(http_, dest_, info_));
        if (sent && talk_.lasts()) return {};
        // Not sent, or sent after the caller gave up: either way it must not print.
        const PrintResult why = failed(talk_, PrintFailure::Interrupted);
        cancelJob();
        return why;
    }

private:
    // Cancels the job created, on a connection of its own: the first may be in the middle of a
    // request.
    void cancelJob() {
        if (jobId_ <= 0) return;
        if (http_t* http = connectToServer(cancel_)) {
            cups().cupsCancelDestJob(http, dest_, jobId_);
            cups().httpClose(http);
        }
        jobId_ = 0;
    }

    // The page size the destination prints on unless told otherwise: the user's saved choice,
    // else the printer's default size (its default medium by name when it gives no size).
    std::optional<MediaSize> pageSize() const {
        if (const char* name = cups().cupsGetOption("media", dest_->num_options, dest_->options))
            return namedSize(name);
        if (ipp_attribute_t* col = cups().cupsFindDestDefault(http_, dest_, info_, "media-col")) {
            ipp_attribute_t* size = cups().ippFindAttribute(cups().ippGetCollection(col, 0), "media-size",
                                                            IPP_TAG_BEGIN_COLLECTION);
            ipp_t* dimensions = size != nullptr ? cups().ippGetCollection(size, 0) : nullptr;
            ipp_attribute_t* x = cups().ippFindAttribute(dimensions, "x-dimension", IPP_TAG_INTEGER);
            ipp_attribute_t* y = cups().ippFindAttribute(dimensions, "y-dimension", IPP_TAG_INTEGER);
            if (x != nullptr && y != nullptr && cups().ippGetInteger(x, 0) > 0 &&
                cups().ippGetInteger(y, 0) > 0)
                return MediaSize{cups().ippGetInteger(x, 0) / 100.0, cups().ippGetInteger(y, 0) / 100.0};
        }
        if (ipp_attribute_t* name = cups().cupsFindDestDefault(http_, dest_, info_, "media"))
            return namedSize(cups().ippGetString(name, 0, nullptr));
        return std::nullopt;
    }

    // A medium named the IPP way ("iso_a4_210x297mm"), the old way ("a4") or the PPD way ("A4").
    static std::optional<MediaSize> namedSize(const char* name) {
        if (name == nullptr || *name == '\0') return std::nullopt;
        pwg_media_t* media = cups().pwgMediaForPWG(name);
        if (media == nullptr) media = cups().pwgMediaForLegacy(name);
        if (media == nullptr) media = cups().pwgMediaForPPD(name);
        if (media == nullptr || media->width <= 0 || media->length <= 0) return std::nullopt;
        return MediaSize{media->width / 100.0, media->length / 100.0};
    }

    Patience talk_;
    Patience cancel_;
    http_t* http_ = nullptr;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
    std::optional<MediaSize> media_;
    int jobId_ = 0;
};

CupsJob::CupsJob(Clock::time_point bound, const std::atomic<bool>& cancelled)
    : talk_(std::make_unique<CupsConversation>(bound, cancelled)) {}

CupsJob::~CupsJob() = default;

PrintResult CupsJob::findDestination() {
    return talk_->findDestination();
}

std::optional<MediaSize> CupsJob::defaultMedia() const {
    return talk_->media();
}

PrintResult CupsJob::submit(const std::string& title, const std::string& pdf) {
    return talk_->send(title, pdf);
}

} // namespace kinri::ui
