#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "sound/SoundOut.h"

// Plays the table's sounds as event sounds through the desktop's sound server (PulseAudio,
// or PipeWire's pulse service), speaking the server's native protocol over its local
// socket: no client library in the process, which would cost it some 2 MB. A thread of its
// own, started after the first paint, connects, authenticates and uploads each sound once
// into the server's sample cache; playing one is then a single packet, written without
// waiting, that the server mixes with whatever else plays: the caller never waits, needs
// no event loop, and no stream stays open while nothing plays. Without a server, or while
// it is gone, Play does nothing; a server that comes back is used again. What went wrong
// is said once, in one line on stderr.
class TSoundPlayer : public TSoundOut
{
public:
    TSoundPlayer() = default;
    ~TSoundPlayer() override;
    TSoundPlayer(const TSoundPlayer&) = delete;
    TSoundPlayer& operator=(const TSoundPlayer&) = delete;

    // Reaches the server in the background; returns at once. Later calls do nothing.
    void Start() override;
    // Starts Sound if the server holds it now; never waits.
    void Play(TSound Sound) override;
    // Whether every sound is at the server.
    bool Ready() const { return Socket.load(std::memory_order_acquire) >= 0; }

    // How long to wait before reaching a vanished server again.
    static constexpr int RetryMs = 3000;

private:
    // The background thread's work: the socket, once every sound is at the server.
    void Connect();
    void Tell(const char* Why);
    void Lost();

    std::thread Loader;
    std::atomic<bool> Loading{false};
    std::atomic<int> Socket{-1};
    std::atomic<bool> Told{false};
    bool Started = false;
    bool DesktopSilent = false;
    std::chrono::steady_clock::time_point LastTry;
    uint32_t NextTag = 1000;  // the play packets' (replies are not read)
};
