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
// The mixer: its rate (every sound file's own) and its number of channels.
constexpr int kMixRate = 22050;
constexpr int kMixChannels = 32;

// Volumes, 0..255. Every one-shot effect plays at kEffectVolume; the
// mothership's loop, the shields-down sound and the music after a game at
// full volume, the music of a game at kPlayMusicVolume.
constexpr int kEffectVolume = 64;
constexpr int kFullVolume = 255;
constexpr int kPlayMusicVolume = 94;
// The laugh plays a step quieter when a shield took the last life than
// when a flare did.
constexpr int kLaughAfterShieldVolume = 254;
// The shields-down sound drops to this at once, and stays there.
constexpr int kShieldsDownHeldVolume = 128;

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

// A one-shot: the sample played on the channel (or a free one), and that
// channel's volume set at once. Returns the channel.
int playSample(int channel, FSOUND_SAMPLE* sample, int volume);
// The usual one-shot: on a free channel at the effect volume.
void playEffect(FSOUND_SAMPLE* sample);

// Frees the eight samples in the same order and sets each handle to null.
void freeSamples();
// What the sound gives back on the way out (shutdown.h): the samples, then
// the sound library.
void releaseSound();
