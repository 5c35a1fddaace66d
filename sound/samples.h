// The game's sounds: the eight samples, the music stream and the channel plan.
//
// Scene construction loads the samples with loadSamples; the shut-down
// frees them with releaseSound. The start-up sequence opens
// musicStream itself. Every play site uses the channels named here.
#pragma once

#include "fsound.h"

// The channel plan. Channels 0 to 9 are reserved for the fixed plays below
// (7 is never used); everything else plays on a free channel.
constexpr int kFireChannel = 0;             // + player index (0 or 1)
constexpr int kAlienExplosionChannel = 2;   // + explosion slot (0..4)
constexpr int kMothershipChannel = 8;       // the mothership's loop, then the laugh
constexpr int kShieldsDownChannel = 9;
constexpr int kMusicChannel = kStreamChannel;  // 10
constexpr int kReservedChannelCount = 10;   // channels 0..9
constexpr int kMothershipPriority = 255;

// Load modes: a 2-D, 16-bit, signed, mono sample; the same, looping; and the
// music stream (16-bit, signed, mono and stereo flags), which is then set to
// loop with kLoopNormal.
constexpr unsigned kSampleMode = 0x2130;
constexpr unsigned kLoopingSampleMode = 0x2132;
constexpr unsigned kStreamMode = 0x170;
constexpr unsigned kLoopNormal = FSOUND_LOOP_NORMAL;

// The only sound the game cannot do without: its absence ends the process
// with this code and no message.
constexpr int kLaughMissingExitCode = 5026;

extern FSOUND_SAMPLE* fireSound;         // a player fires
extern FSOUND_SAMPLE* explosionSound;    // a tank, the mothership or an alien is destroyed
extern FSOUND_SAMPLE* whooshSound;       // an alien drops a flare
extern FSOUND_SAMPLE* laughSound;        // the last life is lost
extern FSOUND_SAMPLE* mothershipSound;   // loops while the mothership crosses
extern FSOUND_SAMPLE* shieldHitSound;    // a shot or a flare hits a shield
extern FSOUND_SAMPLE* shieldsDownSound;  // the aliens come down past the shields
extern FSOUND_SAMPLE* menuSound;         // the title menu's highlight moves
extern FSOUND_STREAM* musicStream;       // the looping music, open for the whole run

// Loads the eight samples in order. Only the laugh is checked: if it does not
// load, the process ends at once with kLaughMissingExitCode. Any other sample
// that does not load stays null, and playing it plays nothing.
void loadSamples();

// Frees the eight samples in the same order and sets each handle to null.
void freeSamples();
// What the sound gives back on the way out (shutdown.h): the samples, then
// the sound library.
void releaseSound();
