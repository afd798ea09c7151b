#include "ui/cups_job.h"

#include <cups/cups.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace kinri::ui {

using Clock = CupsJob::Clock;
using namespace std::chrono_literals;

struct CupsJobState {
    // The talk with the server ends here; what follows is kept for cancelling an unfinished job
    // and for the caller to get back before its bound.
    Clock::time_point talkDeadline;
    Clock::time_point cancelDeadline;
    // Set by the caller once it no longer waits; read by the server's thread between its steps
    // and while it waits for data.
    std::atomic<bool> abandoned{false};

    std::mutex mutex;
    std::condition_variable changed;
    // Written by the server's thread.
    std::optional<bool> found;
    std::optional<MediaSize> media;
    std::optional<bool> accepted;
    bool finished = false;
    // Written by the caller.
    bool documentReady = false;
    std::string title;
    std::string pdf;

    void abandon() {
        {
            const std::lock_guard lock(mutex);
            abandoned = true;
        }
        changed.notify_all();
    }
};

namespace {

// Of the caller's time, this much is kept back to cancel a job that was not completed, and of
// that the last part for the caller to get back.
constexpr auto kCancelReserve = 1500ms;
constexpr auto kReturnReserve = 250ms;
// How often a connection that waits for the server asks whether to go on waiting.
constexpr double kPollSeconds = 0.1;

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
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                static_cast<int>(left.count()), nullptr);
    if (http == nullptr) return nullptr;
    httpSetTimeout(http, kPollSeconds, keepWaiting, &patience);
    if (!patience.lasts() || httpEncryption(http, cupsEncryption()) != 0) {
        httpClose(http);
        return nullptr;
    }
    return http;
}

// One job's conversation with the server, on the server's thread.
class Conversation {
public:
    explicit Conversation(const CupsJobState& state)
        : talk_{&state.abandoned, state.talkDeadline}, cancel_{nullptr, state.cancelDeadline} {}
    ~Conversation() {
        if (info_ != nullptr) cupsFreeDestInfo(info_);
        if (dest_ != nullptr) cupsFreeDests(1, dest_);
        if (http_ != nullptr) httpClose(http_);
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    // The default destination and what the job needs to know of it.
    bool findDestination(std::optional<MediaSize>& media) {
        cupsSetPasswordCB2(noPassword, nullptr); // per thread
        http_ = connectToServer(talk_);
        if (http_ == nullptr) return false;
        dest_ = cupsGetNamedDest(http_, nullptr, nullptr);
        if (dest_ == nullptr || !talk_.lasts()) return false;
        info_ = cupsCopyDestInfo(http_, dest_);
        if (info_ == nullptr || !talk_.lasts()) return false;
        media = pageSize();
        return talk_.lasts();
    }

    // Create-Job, Send-Document with the whole PDF as the last document, each answer checked.
    // With the destination's saved options, as the system's own printing commands send them.
    bool send(const std::string& title, const std::string& pdf) {
        int job = 0;
        if (!succeeded(cupsCreateDestJob(http_, dest_, info_, &job, title.c_str(), dest_->num_options,
                                         dest_->options)) ||
            job <= 0)
            return false;
        jobId_ = job;
        const bool sent = cupsStartDestDocument(http_, dest_, info_, job, title.c_str(), CUPS_FORMAT_PDF, 0,
                                                nullptr, 1) == HTTP_STATUS_CONTINUE &&
                          cupsWriteRequestData(http_, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE &&
                          succeeded(cupsFinishDestDocument(http_, dest_, info_));
        if (!sent) cancelJob();
        return sent;
    }

    // Cancels the job created, on a connection of its own: the first may be in the middle of a
    // request.
    void cancelJob() {
        if (jobId_ <= 0) return;
        if (http_t* http = connectToServer(cancel_)) {
            cupsCancelDestJob(http, dest_, jobId_);
            httpClose(http);
        }
        jobId_ = 0;
    }

private:
    // The page size the destination prints on unless told otherwise: the user's saved choice,
    // else the printer's default size (its default medium by name when it gives no size).
    std::optional<MediaSize> pageSize() const {
        if (const char* name = cupsGetOption("media", dest_->num_options, dest_->options))
            return namedSize(name);
        if (ipp_attribute_t* col = cupsFindDestDefault(http_, dest_, info_, "media-col")) {
            ipp_attribute_t* size =
                ippFindAttribute(ippGetCollection(col, 0), "media-size", IPP_TAG_BEGIN_COLLECTION);
            ipp_t* dimensions = size != nullptr ? ippGetCollection(size, 0) : nullptr;
            ipp_attribute_t* x = ippFindAttribute(dimensions, "x-dimension", IPP_TAG_INTEGER);
            ipp_attribute_t* y = ippFindAttribute(dimensions, "y-dimension", IPP_TAG_INTEGER);
            if (x != nullptr && y != nullptr && ippGetInteger(x, 0) > 0 && ippGetInteger(y, 0) > 0)
                return MediaSize{ippGetInteger(x, 0) / 100.0, ippGetInteger(y, 0) / 100.0};
        }
        if (ipp_attribute_t* name = cupsFindDestDefault(http_, dest_, info_, "media"))
            return namedSize(ippGetString(name, 0, nullptr));
        return std::nullopt;
    }

    // A medium named the IPP way ("iso_a4_210x297mm"), the old way ("a4") or the PPD way ("A4").
    static std::optional<MediaSize> namedSize(const char* name) {
        if (name == nullptr || *name == '\0') return std::nullopt;
        pwg_media_t* media = pwgMediaForPWG(name);
        if (media == nullptr) media = pwgMediaForLegacy(name);
        if (media == nullptr) media = pwgMediaForPPD(name);
        if (media == nullptr || media->width <= 0 || media->length <= 0) return std::nullopt;
        return MediaSize{media->width / 100.0, media->length / 100.0};
    }

    Patience talk_;
    Patience cancel_;
    http_t* http_ = nullptr;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
    int jobId_ = 0;
};

void talkToServer(const std::shared_ptr<CupsJobState>& state) {
    Conversation talk(*state);
    std::optional<MediaSize> media;
    const bool found = talk.findDestination(media);
    std::unique_lock lock(state->mutex);
    state->found = found;
    state->media = media;
    state->changed.notify_all();
    if (!found) return;

    state->changed.wait(lock, [&] { return state->documentReady || state->abandoned; });
    if (state->abandoned) return;
    const std::string title = std::move(state->title);
    const std::string pdf = std::move(state->pdf);
    lock.unlock();
    const bool accepted = talk.send(title, pdf);
    lock.lock();
    if (state->abandoned) {
        // The caller has already reported a failure: a job accepted just now must not print.
        lock.unlock();
        if (accepted) talk.cancelJob();
        return;
    }
    state->accepted = accepted;
    state->changed.notify_all();
}

void serverThread(std::shared_ptr<CupsJobState> state) {
    try {
        talkToServer(state);
    } catch (...) {
        // Out of memory at worst: the job is a failure like any other.
    }
    {
        const std::lock_guard lock(state->mutex);
        if (!state->found) state->found = false;
        if (!state->accepted) state->accepted = false;
        state->finished = true;
    }
    state->changed.notify_all();
}

} // namespace

CupsJob::CupsJob(Clock::time_point bound) : state_(std::make_shared<CupsJobState>()) {
    state_->talkDeadline = bound - kCancelReserve;
    state_->cancelDeadline = bound - kReturnReserve;
}

CupsJob::~CupsJob() {
    // A thread still waiting on the server stops at its next step; it owns what it still uses.
    state_->abandon();
}

bool CupsJob::findDestination() {
    std::thread(serverThread, state_).detach();
    std::unique_lock lock(state_->mutex);
    const bool answered =
        state_->changed.wait_until(lock, state_->talkDeadline, [&] { return state_->found.has_value(); });
    return answered && *state_->found;
}

std::optional<MediaSize> CupsJob::defaultMedia() const {
    const std::lock_guard lock(state_->mutex);
    return state_->media;
}

bool CupsJob::submit(std::string title, std::string pdf) {
    std::unique_lock lock(state_->mutex);
    if (!state_->found.value_or(false) || state_->abandoned) return false;
    state_->title = std::move(title);
    state_->pdf = std::move(pdf);
    state_->documentReady = true;
    state_->changed.notify_all();
    const bool answered =
        state_->changed.wait_until(lock, state_->talkDeadline, [&] { return state_->accepted.has_value(); });
    const bool accepted = answered && *state_->accepted;
    if (!answered) {
        // Too late: the job, if it was created, is cancelled while the caller waits a little more.
        state_->abandoned = true;
        state_->changed.notify_all();
    }
    state_->changed.wait_until(lock, state_->cancelDeadline + kReturnReserve / 2,
                               [&] { return state_->finished; });
    return accepted;
}

} // namespace kinri::ui
