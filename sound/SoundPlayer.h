#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "sound/SoundOut.h"

// Plays the table's sounds as event sounds through the desktop's sound server (PulseAudio,
// or PipeWire's pulse service). The client library is loaded at run time, on a thread of
// its own, so that start-up binds none of it; its own thread then talks to the server.
// Each sound is uploaded once into the server's sample cache, and playing one is a single
// message that the server mixes with whatever else plays: the caller never waits, needs
// no event loop, and no stream stays open while nothing plays. Without the library or a
// server, or while the server is gone, Play does nothing; a server that comes back is
// used again. What went wrong is said once, in one line on stderr.
class TSoundPlayer : public TSoundOut
{
public:
    TSoundPlayer();
    ~TSoundPlayer() override;
    TSoundPlayer(const TSoundPlayer&) = delete;
    TSoundPlayer& operator=(const TSoundPlayer&) = delete;

    // Loads the library and reaches the server in the background; returns at once.
    // Later calls do nothing.
    void Start() override;
    // Starts Sound if the server holds it now; never waits.
    void Play(TSound Sound) override;
    // Whether every sound is at the server (for tests and the bench).
    bool Ready() const { return IsReady.load(std::memory_order_acquire); }

    // How long to wait before reaching a vanished server again.
    static constexpr int RetryMs = 3000;

    struct TPulse;

private:
    void Setup();

    std::unique_ptr<TPulse> Pulse;
    std::thread Loader;
    std::atomic<bool> Loaded{false};  // the library and its loop are up
    std::atomic<bool> IsReady{false};
};
