#pragma once

#include "board/rate_limit.h"
#include "board/store.h"
#include "board/verifier.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The board's HTTP side: the API, the page, and the browser build's site.
//
//   POST /api/games?name=NAME   the body a recording; 201 with the verified games
//   GET  /api/scores?mode=free|daily&day=YYYY-MM-DD&limit=N
//   GET  /api/games/ID          the recording of game ID, for watching
//   GET  /api/health
//   GET  /                      the page of the boards
//   GET  /play/...              the browser build, when there is one (--site DIR)
struct ServiceSettings {
    std::string siteFolder; // empty or without index.html: no browser build to watch with
    std::size_t maxBodyBytes = 0;
    int uploadsPerMinute = 0; // per client address; 0: no limit
    int uploadBurst = 0;
    // Behind a reverse proxy every request comes from the proxy: the client's address is then
    // the last one of X-Forwarded-For, which the proxy appends.
    bool trustForwardedFor = false;
    int threads = 0;
    // UTC seconds; the tests set the board's clock.
    std::function<std::int64_t()> now;
};

class BoardServer {
  public:
    BoardServer(Store& store, Verifier& verifier, ServiceSettings settings);
    ~BoardServer();
    BoardServer(const BoardServer&) = delete;
    BoardServer& operator=(const BoardServer&) = delete;

    // Binds to host:port (port 0: any free port); false with `error` when it cannot.
    bool bind(const std::string& host, int port, std::string& error);
    int port() const;
    // Answers requests until stop().
    void run();
    void stop();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
