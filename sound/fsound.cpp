#include "fsound.h"

#include "media_path.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>
#include <vector>

// A loaded sound. The chunk is null when the sound was loaded while the game
// runs silently: the file was found and decodes, but there is nothing to mix.
struct FSOUND_SAMPLE {
    Mix_Chunk* chunk;
    bool loops;
};

// The music: a sound like any other, played whole from memory, that knows the
// channel it was last started on so that stopping it stops only itself.
struct FSOUND_STREAM {
    FSOUND_SAMPLE sound;
    int channel;  // -1 while stopped
};

namespace {

const signed char kTrue = 1;
const signed char kFalse = 0;

const int kOutputChannels = 2;       // stereo
const int kMixBufferFrames = 512;    // about 23 ms at 22050 Hz: short enough for a shot
const int kMaxInterfaceVolume = 255;

struct Channel {
    bool reserved = false;       // the caller keeps it for fixed-channel plays
    bool keptForStream = false;  // a stream plays here
    unsigned long started = 0;   // order of the last start, to take the oldest
    int volume = kMaxInterfaceVolume;  // as the game last set it, 0..255
};

// The player's mix over the game's volumes.
struct PlayerMix {
    bool musicHeard = true;
    bool effectsHeard = true;
    int loudness = kFullLoudness;
};
PlayerMix playerMix;

std::vector<Channel> channels;       // empty before FSOUND_Init and after FSOUND_Close
bool audible = false;                // the mixer is open and sound is heard
bool startedAudioSubsystem = false;  // SDL's audio was started here, so it is stopped here
unsigned long startCount = 0;

bool validChannel(int channel)
{
    return channel >= 0 && channel < static_cast<int>(channels.size());
}

bool channelPlaying(int channel)
{
    return audible && Mix_Playing(channel) != 0;
}

// A free-channel request takes the first idle channel of the pool; when all
// are busy it replaces the sound that started longest ago, as a shot or an
// explosion is short and the newest sound matters most.
int pickFreeChannel()
{
    int oldest = -1;
    for (int c = 0; c < static_cast<int>(channels.size()); ++c) {
        if (channels[c].reserved || channels[c].keptForStream)
            continue;
        if (!channelPlaying(c))
            return c;
        if (oldest < 0 || channels[c].started < channels[oldest].started)
            oldest = c;
    }
    return oldest;
}

int mixerVolume(int volume)
{
    if (volume < 0)
        volume = 0;
    if (volume > kMaxInterfaceVolume)
        volume = kMaxInterfaceVolume;
    return (volume * MIX_MAX_VOLUME + kMaxInterfaceVolume / 2) / kMaxInterfaceVolume;
}

// What the mixer plays a channel at: the game's volume in the player's mix.
int heardVolume(int channel)
{
    const Channel& c = channels[channel];
    const bool heard = c.keptForStream ? playerMix.musicHeard : playerMix.effectsHeard;
    if (!heard)
        return 0;
    return (mixerVolume(c.volume) * playerMix.loudness + kFullLoudness / 2) / kFullLoudness;
}

// Sets a channel's volume as the game asks for it, and the mixer's in turn.
void setChannelVolume(int channel, int volume)
{
    channels[channel].volume = volume;
    if (audible)
        Mix_Volume(channel, heardVolume(channel));
}

// Opens the mixer. SDL's audio may not be running yet (or may have failed to
// start) when the sound layer starts, so it is started here if needed.
bool startMixer(int mixrate)
{
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
            return false;
        startedAudioSubsystem = true;
    }
    if (Mix_OpenAudio(mixrate, AUDIO_S16SYS, kOutputChannels, kMixBufferFrames) < 0)
        return false;
    Mix_AllocateChannels(static_cast<int>(channels.size()));
    return true;
}

// Whether a file exists and decodes as WAV, without a mixer to convert it for.
bool decodesAsWav(const std::string& path)
{
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &format, &buffer, &length))
        return false;
    SDL_FreeWAV(buffer);
    return true;
}

// Loads a sound file. Without audio the game runs silently, but a sound still
// "loads" only if its file is there and decodes, so that a missing file is
// noticed exactly as it would be with audio.
bool loadSound(const char* gamePath, unsigned mode, FSOUND_SAMPLE& sound)
{
    std::string path = hostPath(gamePath);
    sound.loops = (mode & FSOUND_LOOP_NORMAL) != 0;
    sound.chunk = nullptr;
    if (!audible)
        return decodesAsWav(path);
    sound.chunk = Mix_LoadWAV(path.c_str());
    return sound.chunk != nullptr;
}

// Starts a sound at full volume (the default until the caller sets one) on
// the given channel, or on a free one, replacing what plays there. Returns the
// channel, which is still given out when the game is silent so that the
// caller's volume call goes to the right place.
int startSound(int channel, const FSOUND_SAMPLE& sound)
{
    if (channel == FSOUND_FREE)
        channel = pickFreeChannel();
    if (!validChannel(channel))
        return -1;
    channels[channel].started = ++startCount;
    if (audible && sound.chunk) {
        setChannelVolume(channel, kMaxInterfaceVolume);
        if (Mix_PlayChannel(channel, sound.chunk, sound.loops ? -1 : 0) < 0)
            return -1;
    }
    return channel;
}

// Runs a mixer call on one channel or, for FSOUND_ALL, on all of them. The
// call is skipped while silent, but the answer is the same as with audio.
template <class MixerCall>
signed char onChannel(int channel, MixerCall call)
{
    bool all = channel == FSOUND_ALL;
    if (all ? channels.empty() : !validChannel(channel))
        return kFalse;
    if (audible)
        call(all ? -1 : channel);
    return kTrue;
}

}  // namespace

signed char FSOUND_Init(int mixrate, int maxchannels, unsigned /*flags*/)
{
    if (!channels.empty())
        FSOUND_Close();
    if (maxchannels < 1)
        return kFalse;
    channels.assign(maxchannels, Channel());
    if (validChannel(kStreamChannel))
        channels[kStreamChannel].keptForStream = true;
    audible = startMixer(mixrate);
    return audible ? kTrue : kFalse;
}

void FSOUND_Close()
{
    if (audible) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        audible = false;
    }
    if (startedAudioSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        startedAudioSubsystem = false;
    }
    channels.clear();
}

signed char FSOUND_SetReserved(int channel, signed char reserved)
{
    if (!validChannel(channel))
        return kFalse;
    channels[channel].reserved = reserved != 0;
    return kTrue;
}

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned mode, int /*offset*/, int /*length*/)
{
    FSOUND_STREAM* stream = new FSOUND_STREAM;
    stream->channel = -1;
    if (!loadSound(name, mode, stream->sound)) {
        delete stream;
        return nullptr;
    }
    return stream;
}

signed char FSOUND_Stream_SetMode(FSOUND_STREAM* stream, unsigned mode)
{
    if (!stream)
        return kFalse;
    stream->sound.loops = (mode & FSOUND_LOOP_NORMAL) != 0;
    return kTrue;
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream)
{
    if (!stream)
        return -1;
    // Kept for the stream before it starts, so it starts in the music's mix.
    if (validChannel(channel))
        channels[channel].keptForStream = true;
    int played = startSound(channel, stream->sound);
    if (played >= 0) {
        channels[played].keptForStream = true;
        stream->channel = played;
    }
    return played;
}

// Stops the stream only if it is still what plays on its channel, so that a
// sample started there since is left alone.
signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream)
{
    if (!stream)
        return kFalse;
    int channel = stream->channel;
    stream->channel = -1;
    if (audible && validChannel(channel) && stream->sound.chunk
        && Mix_GetChunk(channel) == stream->sound.chunk)
        Mix_HaltChannel(channel);
    return kTrue;
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream)
{
    if (!stream)
        return kFalse;
    FSOUND_Stream_Stop(stream);
    if (stream->sound.chunk)
        Mix_FreeChunk(stream->sound.chunk);
    delete stream;
    return kTrue;
}

// The index (a sample slot), offset and length (a part of the file) are not
// supported: the game always asks for a new sample of a whole file.
FSOUND_SAMPLE* FSOUND_Sample_Load(int /*index*/, const char* name, unsigned mode, int /*offset*/,
                                  int /*length*/)
{
    FSOUND_SAMPLE* sample = new FSOUND_SAMPLE;
    if (!loadSound(name, mode, *sample)) {
        delete sample;
        return nullptr;
    }
    return sample;
}

// Freeing a chunk also stops every channel that plays it.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample)
{
    if (!sample)
        return;
    if (sample->chunk)
        Mix_FreeChunk(sample->chunk);
    delete sample;
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample)
{
    if (!sample)
        return -1;
    return startSound(channel, *sample);
}

signed char FSOUND_SetVolume(int channel, int volume)
{
    if (channel == FSOUND_ALL) {
        for (int c = 0; c < static_cast<int>(channels.size()); ++c)
            setChannelVolume(c, volume);
        return channels.empty() ? kFalse : kTrue;
    }
    if (!validChannel(channel))
        return kFalse;
    setChannelVolume(channel, volume);
    return kTrue;
}

signed char FSOUND_StopSound(int channel)
{
    return onChannel(channel, [](int c) { Mix_HaltChannel(c); });
}

signed char FSOUND_IsPlaying(int channel)
{
    return validChannel(channel) && channelPlaying(channel) ? kTrue : kFalse;
}

signed char FSOUND_SetPaused(int channel, signed char paused)
{
    if (paused)
        return onChannel(channel, [](int c) { Mix_Pause(c); });
    return onChannel(channel, [](int c) { Mix_Resume(c); });
}

void setPlayerMix(bool musicHeard, bool effectsHeard, int loudness)
{
    playerMix = {musicHeard, effectsHeard, loudness < 0 ? 0 : loudness > kFullLoudness ? kFullLoudness : loudness};
    for (int c = 0; c < static_cast<int>(channels.size()); ++c)
        setChannelVolume(c, channels[c].volume);
}
