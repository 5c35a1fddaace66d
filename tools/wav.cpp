#include "sound.h"

#include <algorithm>
#include <cmath>

void normalise(Samples& samples, double peak)
{
    double largest = 0;
    for (double s : samples)
        largest = std::max(largest, std::fabs(s));
    if (largest > 0)
        for (double& s : samples)
            s *= peak / largest;
}

void removeMean(Samples& samples)
{
    if (samples.empty())
        return;
    double sum = 0;
    for (double s : samples)
        sum += s;
    const double mean = sum / samples.size();
    for (double& s : samples)
        s -= mean;
}

Bytes encodeWav(const Samples& samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    Bytes out{'R', 'I', 'F', 'F'};
    put32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);
    put16(out, 2);  // bytes per frame
    put16(out, 16); // bits per sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, dataBytes);
    for (double s : samples) {
        long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        put16(out, uint32_t(int16_t(v)) & 0xFFFF);
    }
    return out;
}

void writeWav(const std::string& path, const Samples& samples)
{
    writeBytes(path, encodeWav(samples));
}
