#pragma once

#include <memory>
#include <string>

// Sending verified games to a score board, when the player has chosen to (off by default). The
// game hands over a recording once one of its games has verified on this machine; sending it is
// left to a thread of the sender's own, so that no frame ever waits on the network. A recording
// that cannot be sent yet waits in the data folder and goes out later, in this run or the next.
//
// The game makes one sender for its run when `--board URL` or its settings name a board (none
// otherwise), with a folder of its data folder for the waiting recordings; it calls send() where
// a game has verified, and the menu's note reads state().

enum class SendState {
    Idle,    // nothing handed over in this run and nothing waiting from an earlier one
    Waiting, // a recording waits to be sent (the board is unreachable, busy, or it is on its way)
    Sent,    // everything handed over has reached the board
};

class ScoreSender {
  public:
    virtual ~ScoreSender() = default;
    // A game of `recording` verified here: send the recording. Returns at once.
    virtual void send(std::string recording) = 0;
    // What the menu's note says: "sent" or "waiting".
    virtual SendState state() const = 0;
};

struct ScoreSenderSettings {
    std::string boardUrl;   // e.g. https://board.example.org (the board's address, no path)
    std::string playerName; // the name the games go under
    std::string folder;     // where unsent recordings wait: made if missing
};

// Starts sending over HTTP(S) with libcurl, beginning with whatever waited in the folder.
// Stopping (destroying the sender) keeps what is not sent yet in the folder, and does not wait
// for a slow board: a transfer under way is dropped, to be made again next time.
std::unique_ptr<ScoreSender> startScoreSender(const ScoreSenderSettings& settings);

// The path of a board's upload endpoint for this player: the board's address with
// /api/games?name=NAME, the name percent-encoded.
std::string uploadAddress(const std::string& boardUrl, const std::string& playerName);
