#include "board/options.h"

#include "board/calendar.h"

#include <climits>
#include <functional>
#include <map>

const char kBoardUsage[] =
    "usage: glimmerwake-board --data DIR [options]\n"
    "       glimmerwake-board --database postgresql://... [options]\n"
    "The Glimmerwake score board: takes recordings of games, replays them with the game's rules\n"
    "and keeps the scores of the games that verify; serves the boards and their page.\n"
    "  --data DIR                 keep the board in DIR/board.sqlite3 (made if missing)\n"
    "  --database URL             keep it in PostgreSQL instead (several boards may share it)\n"
    "  --listen HOST:PORT         where to answer (default 127.0.0.1:8080; port 0: any free\n"
    "                             port, printed on standard output)\n"
    "  --site DIR                 the browser build to serve at /play/ and watch games with\n"
    "  --max-body BYTES           the longest recording taken (default 1048576)\n"
    "  --max-calls N              the most calls a recording may run (default an hour of play)\n"
    "  --verifiers N              verifications at once (default: one per core)\n"
    "  --waiting N                uploads that may wait for a verifier (default 4 per verifier)\n"
    "  --worker-cpu-seconds N     CPU time a verification may take (default 10)\n"
    "  --worker-memory-mib N      address space a verification may use (default 1024; 0: any)\n"
    "  --uploads-per-minute N     uploads an address may make, refilled each minute (default 6;\n"
    "                             0: no limit)\n"
    "  --upload-burst N           uploads an address may make at once (default 10)\n"
    "  --trust-forwarded-for      behind a reverse proxy: the client is the last address of\n"
    "                             X-Forwarded-For\n"
    "  --help, --version\n";

namespace {

bool readWhole(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::stoll(text);
    return value >= low && value <= high;
}

bool readListen(const std::string& text, BoardOptions& options) {
    const std::size_t colon = text.rfind(':');
    long long port = 0;
    if (colon == std::string::npos || colon == 0 ||
        !readWhole(text.substr(colon + 1), 0, 65535, port)) {
        return false;
    }
    std::string host = text.substr(0, colon);
    // [::1]:8080
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    options.host = host;
    options.port = static_cast<int>(port);
    return true;
}

} // namespace

std::optional<BoardOptions> parseBoardOptions(const std::vector<std::string>& arguments,
                                              std::string& error) {
    BoardOptions options;
    options.maxCalls = kMaxCalls;
    const auto number = [](auto& field, long long low, long long high) {
        return [&field, low, high](const std::string& text) {
            long long value = 0;
            if (!readWhole(text, low, high, value)) {
                return false;
            }
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
            return true;
        };
    };
    const auto text = [](std::string& field) {
        return [&field](const std::string& value) {
            field = value;
            return !value.empty();
        };
    };
    const std::map<std::string, std::function<bool(const std::string&)>> valued = {
        {"--data", text(options.dataFolder)},
        {"--database", text(options.databaseUrl)},
        {"--site", text(options.siteFolder)},
        {"--listen", [&options](const std::string& value) { return readListen(value, options); }},
        {"--max-body", number(options.maxBodyBytes, 1, std::size_t{1} << 30)},
        {"--max-calls", number(options.maxCalls, 1, INT_MAX)},
        {"--verifiers", number(options.verifiers, 1, 256)},
        {"--waiting", number(options.waiting, 0, 100000)},
        {"--worker-cpu-seconds", number(options.workerCpuSeconds, 1, 3600)},
        {"--worker-memory-mib", number(options.workerMemoryMiB, 0, 1 << 20)},
        {"--uploads-per-minute", number(options.uploadsPerMinute, 0, 1000000)},
        {"--upload-burst", number(options.uploadBurst, 1, 1000000)},
    };
    const std::map<std::string, bool*> flags = {
        {"--trust-forwarded-for", &options.trustForwardedFor},
        {"--verify-worker", &options.verifyWorker},
        {"--help", &options.help},
        {"--version", &options.version},
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const auto flag = flags.find(argument); flag != flags.end()) {
            *flag->second = true;
        } else if (const auto option = valued.find(argument); option != valued.end()) {
            if (i + 1 == arguments.size() || !option->second(arguments[i + 1])) {
                error = argument + " needs a valid value (see --help)";
                return std::nullopt;
            }
            ++i;
        } else {
            error = "unknown argument '" + argument + "' (see --help)";
            return std::nullopt;
        }
    }
    if (!options.help && !options.version && !options.verifyWorker &&
        options.dataFolder.empty() == options.databaseUrl.empty()) {
        error = "say where the board keeps its games: --data DIR or --database URL (one of them)";
        return std::nullopt;
    }
    return options;
}
