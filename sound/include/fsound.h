// The FSOUND sound interface.
//
// The game plays its samples and its one music stream through these calls,
// in the style of the FMOD 3 library it was written against. Here they are a
// small layer over SDL_mixer: every channel of the interface is a mixer
// channel with the same number.
//
// What callers rely on: channels reserved with FSOUND_SetReserved, and the
// stream channel below, are never handed out for a free-channel request;
// playing on a fixed channel replaces what plays there; volumes 0..255 apply
// at once; samples loaded with the loop flag, and streams set to loop, loop
// until stopped. A null sample or stream plays nothing and makes the play
// call return -1, which every channel call accepts harmlessly.
//
// With no working audio device the game runs silently: every call behaves as
// above except that nothing is heard and nothing reports itself as playing.
#pragma once

struct FSOUND_SAMPLE;
struct FSOUND_STREAM;

// Channel arguments with a meaning of their own.
const int FSOUND_FREE = -1;  // play on any channel that is not reserved
const int FSOUND_ALL = -3;   // stop or set every channel

// The loop flag of the modes; every other mode bit (sample format, 2-D) is
// accepted and ignored, since the mixer converts whatever the WAV file holds.
const unsigned FSOUND_LOOP_NORMAL = 0x2;

// The channel the game plays its music stream on. It stays out of the
// free-channel pool from the start, so FSOUND_IsPlaying on it speaks only of
// the music, even before the stream first plays or when its file is missing.
const int kStreamChannel = 10;

// Start-up and shut-down. Init returns 1 when audio is running and 0 when the
// game will be silent; either way the other calls work afterwards.
signed char FSOUND_Init(int mixrate, int maxchannels, unsigned flags);
void FSOUND_Close();

// The channel plan.
signed char FSOUND_SetReserved(int channel, signed char reserved);

// The music stream. Play returns the channel it plays on, or -1.
FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned mode, int offset, int length);
signed char FSOUND_Stream_SetMode(FSOUND_STREAM* stream, unsigned mode);
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream);
// The game keeps its stream for the whole run; closing is for everyone else.
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);

// Samples. Load returns null when the file is missing or not a WAV it can
// decode; PlaySound returns the channel it plays on, or -1.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned mode, int offset, int length);
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);

// Channels.
signed char FSOUND_SetVolume(int channel, int volume);
signed char FSOUND_StopSound(int channel);
signed char FSOUND_IsPlaying(int channel);
// Holds a channel (or FSOUND_ALL) where it is, or lets it go on from there. A
// held channel still counts as playing.
signed char FSOUND_SetPaused(int channel, signed char paused);

// ---- Beyond the interface: the player's own mix ------------------------------

// Loudness steps of the player's mix; at the top every sound is as loud as
// the game sets it.
constexpr int kFullLoudness = 10;

// Over every volume the game sets: the music's channel and all the others
// (the effects) each heard or silenced, and both at a loudness of 0 to
// kFullLoudness. It may be set before FSOUND_Init and at any time after.
// The game's calls and their answers stay exactly as they were: a silenced
// channel still plays, and still counts as playing.
void setPlayerMix(bool musicHeard, bool effectsHeard, int loudness);
