#pragma once

// The table's sounds, made by tools/sounds. Each is the asset ":/sounds/NAME.wav" and
// the sample of that name (prefixed "orvanta-") at the sound server.
enum class TSound { Card, Chip, Fold, Flip, Win, OthersWin, Tie, GameOver };
inline constexpr int SoundCount = 8;
inline constexpr const char* SoundNames[SoundCount] = {"card", "chip", "fold", "flip", "win", "others-win", "tie", "game-over"};
// Their format: 16-bit PCM, one channel, at this rate.
inline constexpr int SoundRate = 22050;
