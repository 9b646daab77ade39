#include "board/service.h"

#include "board/calendar.h"
#include "board/page.h"
#include "board/recording.h"
#include "board/requests.h"

#include <cstdio>
#include <filesystem>
#include <httplib.h>
#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

constexpr int kOk = 200;
constexpr int kCreated = 201;
constexpr int kBadRequest = 400;
constexpr int kNotFound = 404;
constexpr int kConflict = 409;
constexpr int kTooLarge = 413;
constexpr int kUnsupportedType = 415;
constexpr int kUnprocessable = 422;
constexpr int kTooManyRequests = 429;
constexpr int kInternalError = 500;
constexpr int kUnavailable = 503;
// How long a client should wait before it sends again after a 503.
constexpr int kRetryAfterSeconds = 10;
// Slow clients hold a thread: a request must come in within this long.
constexpr int kReadTimeoutSeconds = 10;
constexpr std::size_t kMaxAddressesTracked = 100000;
// A recording of a game never changes: browsers and proxies may keep it.
constexpr const char* kRecordingCache = "public, max-age=86400, immutable";
constexpr const char* kPagePolicy = "default-src 'self'; object-src 'none'; base-uri 'none'; "
                                    "frame-ancestors 'self'; form-action 'none'";

// Text written into JSON may come from a stranger: bytes that are not UTF-8 are replaced rather
// than refused, so that an error message can always be sent.
std::string jsonText(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

void answer(httplib::Response& response, int status, const json& body) {
    response.status = status;
    response.set_content(jsonText(body), "application/json");
}

void refuse(httplib::Response& response, int status, const std::string& why) {
    answer(response, status, json{{"error", why}});
}

QueryFields fieldsOf(const httplib::Request& request) {
    return QueryFields(request.params.begin(), request.params.end());
}

json rowJson(const BoardRow& row) {
    json out = {{"id", row.id},
                {"name", row.name},
                {"score", row.score},
                {"frame", row.frame},
                {"bossDestroyed", row.bossDestroyed},
                {"swarmDestroyed", row.swarmDestroyed},
                {"endlessReached", row.endlessReached},
                {"received", row.receivedAt},
                {"receivedDay", dayOf(row.receivedAt)}};
    if (!row.day.empty()) {
        out["day"] = row.day;
    }
    return out;
}

// Why a daily run may not count on the board at `receivedAt`, or nothing when it may.
std::optional<std::string> dailyProblem(const VerifiedGame& game, std::int64_t receivedAt) {
    const std::optional<std::int64_t> start = dayStart(game.day);
    if (!start) {
        return "game " + std::to_string(game.index) + " is a daily run of no known day";
    }
    switch (dailyWindow(*start, receivedAt)) {
    case DailyWindow::NotBegun:
        return "game " + std::to_string(game.index) + " is the daily run of " + game.day +
               ", which has not begun";
    case DailyWindow::Closed:
        return "game " + std::to_string(game.index) + " is the daily run of " + game.day +
               ": it counts only if sent within " +
               std::to_string(kDailyGraceSeconds / kSecondsPerMinute) +
               " minutes of that day's end (UTC)";
    case DailyWindow::Open:
        break;
    }
    return std::nullopt;
}

} // namespace

struct BoardServer::Impl {
    Impl(Store& store, Verifier& verifier, ServiceSettings settings)
        : store(store), verifier(verifier), settings(std::move(settings)),
          rateLimit(this->settings.uploadsPerMinute, this->settings.uploadBurst,
                    kMaxAddressesTracked) {}

    bool hasSite() const {
        std::error_code ignored;
        return !settings.siteFolder.empty() &&
               std::filesystem::is_regular_file(
                   std::filesystem::path(settings.siteFolder) / "index.html", ignored);
    }

    std::string clientAddress(const httplib::Request& request) const {
        if (settings.trustForwardedFor && request.has_header("X-Forwarded-For")) {
            const std::string forwarded = request.get_header_value("X-Forwarded-For");
            const std::size_t comma = forwarded.rfind(',');
            const std::string last =
                comma == std::string::npos ? forwarded : forwarded.substr(comma + 1);
            const std::size_t start = last.find_first_not_of(' ');
            return start == std::string::npos ? request.remote_addr : last.substr(start);
        }
        return request.remote_addr;
    }

    void upload(const httplib::Request& request, const std::string& body,
                httplib::Response& response);
    std::string tooLongMessage() const {
        return "the body is longer than " + std::to_string(settings.maxBodyBytes) +
               " bytes, the most the board takes";
    }
    void storeUpload(const Upload& upload, httplib::Response& response);
    void scores(const httplib::Request& request, httplib::Response& response);
    void recording(const httplib::Request& request, httplib::Response& response);
    void health(httplib::Response& response);
    void routes();

    Store& store;
    Verifier& verifier;
    const ServiceSettings settings;
    RateLimit rateLimit;
    httplib::Server server;
    int port = 0;
};

void BoardServer::Impl::upload(const httplib::Request& request, const std::string& body,
                               httplib::Response& response) {
    int retryAfter = 0;
    if (!rateLimit.allow(clientAddress(request), RateLimit::Clock::now(), retryAfter)) {
        response.set_header("Retry-After", std::to_string(retryAfter));
        refuse(response, kTooManyRequests, "too many uploads from your address: wait a little");
        return;
    }
    std::string why;
    const std::optional<UploadQuery> query = parseUploadQuery(fieldsOf(request), why);
    if (!query) {
        refuse(response, kBadRequest, why);
        return;
    }
    if (body.empty()) {
        refuse(response, kBadRequest, "the body must be the recording of the games");
        return;
    }
    VerifyOutcome outcome = verifier.verify(body);
    switch (outcome.kind) {
    case VerifyOutcome::Kind::Busy:
        response.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
        refuse(response, kUnavailable, outcome.message);
        return;
    case VerifyOutcome::Kind::Failed:
        std::fprintf(stderr, "glimmerwake-board: %s\n", outcome.message.c_str());
        response.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
        refuse(response, kUnavailable, "the board cannot verify games right now");
        return;
    case VerifyOutcome::Kind::Refused:
        refuse(response, outcome.status, outcome.message);
        return;
    case VerifyOutcome::Kind::Verified:
        break;
    }
    if (outcome.games.empty()) {
        refuse(response, kUnprocessable, "the recording holds no game: only games played count");
        return;
    }
    const std::int64_t receivedAt = settings.now();
    for (const VerifiedGame& game : outcome.games) {
        if (const std::optional<std::string> problem =
                game.daily ? dailyProblem(game, receivedAt) : std::nullopt) {
            refuse(response, kUnprocessable, *problem);
            return;
        }
    }
    const std::string hash = recordingHash(outcome.recording);
    storeUpload({query->name, std::move(outcome.recording), hash, receivedAt,
                 std::move(outcome.games), std::move(outcome.gameHashes)},
                response);
}

void BoardServer::Impl::storeUpload(const Upload& upload, httplib::Response& response) {
    std::optional<std::vector<StoredGame>> stored;
    try {
        stored = store.add(upload);
    } catch (const StoreUnavailable& error) {
        std::fprintf(stderr, "glimmerwake-board: %s\n", error.what());
        response.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
        refuse(response, kUnavailable, "the board's database is away: send again later");
        return;
    }
    if (!stored) {
        refuse(response, kConflict, "the games of this recording are already on the board");
        return;
    }
    json games = json::array();
    for (std::size_t i = 0; i < upload.games.size(); ++i) {
        json game = json::parse(verifiedGameJson(upload.games[i]));
        game["id"] = (*stored)[i].id;
        game["alreadyOnBoard"] = !(*stored)[i].added;
        games.push_back(std::move(game));
    }
    answer(response, kCreated, json{{"games", games}});
}

void BoardServer::Impl::scores(const httplib::Request& request, httplib::Response& response) {
    std::string why;
    const std::optional<ScoresQuery> query =
        parseScoresQuery(fieldsOf(request), settings.now(), why);
    if (!query) {
        refuse(response, kBadRequest, why);
        return;
    }
    json rows = json::array();
    for (const BoardRow& row : store.best(query->mode, query->day, query->limit)) {
        rows.push_back(rowJson(row));
    }
    json body = {{"mode", query->mode == BoardMode::Daily ? "daily" : "free"}, {"scores", rows}};
    if (query->mode == BoardMode::Daily) {
        body["day"] = query->day;
    }
    response.set_header("Access-Control-Allow-Origin", "*");
    answer(response, kOk, body);
}

void BoardServer::Impl::recording(const httplib::Request& request, httplib::Response& response) {
    const std::optional<std::int64_t> id = parseGameId(request.matches[1].str());
    if (!id) {
        refuse(response, kNotFound, "no such game");
        return;
    }
    if (!request.params.empty()) {
        refuse(response, kBadRequest, "a game's recording takes no query fields");
        return;
    }
    const std::optional<std::string> text = store.recording(*id);
    if (!text) {
        refuse(response, kNotFound, "no such game");
        return;
    }
    response.set_header("Cache-Control", kRecordingCache);
    response.set_header("Access-Control-Allow-Origin", "*");
    response.set_content(*text, "text/plain; charset=utf-8");
}

void BoardServer::Impl::health(httplib::Response& response) {
    const bool database = store.healthy();
    answer(response, database ? kOk : kUnavailable,
           json{{"status", database ? "ok" : "database unavailable"},
                {"database", database},
                {"site", hasSite()},
                {"verifying", verifier.running()},
                {"waiting", verifier.waiting()},
                {"maxBodyBytes", settings.maxBodyBytes},
                {"dailyGraceMinutes", kDailyGraceSeconds / kSecondsPerMinute}});
}

void BoardServer::Impl::routes() {
    // The body is read here rather than by the library, which would take a form-encoded body
    // (curl's default) for query fields and cap it far below a recording's size.
    server.Post("/api/games", [this](const httplib::Request& request, httplib::Response& response,
                                     const httplib::ContentReader& reader) {
        if (request.is_multipart_form_data()) {
            refuse(response, kUnsupportedType, "send the recording itself as the body, not a form");
            return;
        }
        std::string body;
        bool tooLong = false;
        const bool whole = reader([&](const char* data, std::size_t length) {
            tooLong = body.size() + length > settings.maxBodyBytes;
            if (!tooLong) {
                body.append(data, length);
            }
            return !tooLong;
        });
        // The library stops at once at a Content-Length over the limit, without a byte read.
        if (tooLong || response.status == kTooLarge) {
            refuse(response, kTooLarge, tooLongMessage());
            return;
        }
        if (!whole) {
            refuse(response, kBadRequest, "the body could not be read to its end");
            return;
        }
        upload(request, body, response);
    });
    server.Get("/api/scores", [this](const httplib::Request& request, httplib::Response& response) {
        scores(request, response);
    });
    server.Get(R"(/api/games/([^/]*))",
               [this](const httplib::Request& request, httplib::Response& response) {
                   recording(request, response);
               });
    server.Get("/api/health", [this](const httplib::Request& request, httplib::Response& response) {
        if (!request.params.empty()) {
            refuse(response, kBadRequest, "health takes no query fields");
            return;
        }
        health(response);
    });
    for (const PageFile& file : pageFiles()) {
        server.Get(file.path, [&file](const httplib::Request&, httplib::Response& response) {
            response.set_header("Content-Security-Policy", kPagePolicy);
            response.set_header("Referrer-Policy", "no-referrer");
            response.set_content(file.content, file.type);
        });
    }
    if (hasSite()) {
        server.set_mount_point("/play", settings.siteFolder);
        server.set_file_extension_and_mimetype_mapping("wasm", "application/wasm");
        server.set_file_extension_and_mimetype_mapping("data", "application/octet-stream");
    }
    server.set_pre_routing_handler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Content-Type-Options", "nosniff");
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // What the library answers by itself (an unknown path, a body over the limit) also comes as
    // JSON with a reason.
    server.set_error_handler([this](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) {
            return;
        }
        const int status = response.status;
        refuse(response, status,
               status == kTooLarge   ? tooLongMessage()
               : status == kNotFound ? "nothing here"
                                     : "the request was not understood");
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const StoreUnavailable& unavailable) {
                std::fprintf(stderr, "glimmerwake-board: %s\n", unavailable.what());
                response.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
                refuse(response, kUnavailable, "the board's database is away: try again later");
            } catch (const std::exception& other) {
                std::fprintf(stderr, "glimmerwake-board: %s\n", other.what());
                refuse(response, kInternalError, "the board failed on this request");
            }
        });
}

BoardServer::BoardServer(Store& store, Verifier& verifier, ServiceSettings settings)
    : impl_(std::make_unique<Impl>(store, verifier, std::move(settings))) {
    const int threads = impl_->settings.threads;
    impl_->server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    impl_->server.set_payload_max_length(impl_->settings.maxBodyBytes);
    impl_->server.set_read_timeout(kReadTimeoutSeconds, 0);
    impl_->routes();
}

BoardServer::~BoardServer() = default;

bool BoardServer::bind(const std::string& host, int port, std::string& error) {
    impl_->port = port == 0 ? impl_->server.bind_to_any_port(host)
                            : (impl_->server.bind_to_port(host, port) ? port : -1);
    if (impl_->port <= 0) {
        error = "cannot listen on " + host + ":" + std::to_string(port);
        return false;
    }
    return true;
}

int BoardServer::port() const {
    return impl_->port;
}

void BoardServer::run() {
    impl_->server.listen_after_bind();
}

void BoardServer::stop() {
    impl_->server.stop();
}
