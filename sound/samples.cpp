#include "samples.h"

#include "shutdown.h"

FSOUND_SAMPLE* fireSound = nullptr;
FSOUND_SAMPLE* explosionSound = nullptr;
FSOUND_SAMPLE* whooshSound = nullptr;
FSOUND_SAMPLE* laughSound = nullptr;
FSOUND_SAMPLE* mothershipSound = nullptr;
FSOUND_SAMPLE* shieldHitSound = nullptr;
FSOUND_SAMPLE* shieldsDownSound = nullptr;
FSOUND_SAMPLE* menuSound = nullptr;
FSOUND_STREAM* musicStream = nullptr;

namespace {

const int kNewSample = -1;  // the sample index that asks for a new sample

struct SampleFile {
    FSOUND_SAMPLE** handle;
    const char* path;
    unsigned mode;
};

// The samples in the order they are loaded and freed.
const SampleFile kSampleFiles[] = {
    {&fireSound, "media\\sound\\rocket.wav", kSampleMode},
    {&explosionSound, "media\\sound\\batplode.wav", kSampleMode},
    {&whooshSound, "media\\sound\\whoosh.wav", kSampleMode},
    {&laughSound, "media\\sound\\evillaug.wav", kSampleMode},
    {&mothershipSound, "media\\sound\\beepspac.wav", kLoopingSampleMode},
    {&shieldHitSound, "media\\sound\\037.wav", kSampleMode},
    {&shieldsDownSound, "media\\sound\\deactivate1.wav", kSampleMode},
    {&menuSound, "media\\sound\\menuitem.wav", kSampleMode},
};

}  // namespace

void loadSamples()
{
    for (const SampleFile& file : kSampleFiles) {
        *file.handle = FSOUND_Sample_Load(kNewSample, file.path, file.mode, 0, 0);
        if (file.handle == &laughSound && !laughSound)
            requestShutDown(kLaughMissingExitCode);
    }
}

int playSample(int channel, FSOUND_SAMPLE* sample, int volume)
{
    const int played = FSOUND_PlaySound(channel, sample);
    FSOUND_SetVolume(played, volume);
    return played;
}

void playEffect(FSOUND_SAMPLE* sample)
{
    playSample(FSOUND_FREE, sample, kEffectVolume);
}

void freeSamples()
{
    for (const SampleFile& file : kSampleFiles) {
        FSOUND_Sample_Free(*file.handle);
        *file.handle = nullptr;
    }
}

void releaseSound()
{
    freeSamples();
    FSOUND_Close();
}
