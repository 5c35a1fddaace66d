#include "test_images.h"

#include "display.h"
#include "texture.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path)
{
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

namespace {

std::string scratch;

void removeScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

}  // namespace

std::string scratchDirectory()
{
    if (scratch.empty()) {
        char pattern[] = "/tmp/korvath-test-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        scratch = pattern;
        std::atexit(removeScratchDirectory);  // the tests leave nothing behind
    }
    return scratch;
}

void writeBmp(const std::string& path, int w, int h, const std::function<Rgb(int, int)>& colourAt)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!s)
        throw std::runtime_error("surface");
    SDL_LockSurface(s);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < w; ++x) {
            const Rgb c = colourAt(x, y);
            row[3 * x + 0] = c.r;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.b;
        }
    }
    SDL_UnlockSurface(s);
    if (SDL_SaveBMP(s, path.c_str()) != 0)
        throw std::runtime_error("SDL_SaveBMP failed: " + path);
    SDL_FreeSurface(s);
}

Rgb readPixel(int x, int y)
{
    uint8_t px[4] = {0, 0, 0, 0};
    glReadPixels(x, 479 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    return {px[0], px[1], px[2]};
}

std::vector<uint8_t> readFrame()
{
    std::vector<uint8_t> frame(size_t(kScreenWidth) * kScreenHeight * 4);
    glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

std::vector<uint8_t> canvasAlphas(const Texture& texture)
{
    std::vector<uint8_t> rgba(std::size_t(texture.textureWidth()) * texture.textureHeight() * 4), alpha;
    glBindTexture(GL_TEXTURE_2D, texture.textureName());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        alpha.push_back(rgba[i]);
    return alpha;
}

Ink inkOf(const Texture& t, bool holes)
{
    const std::vector<uint8_t> alpha = canvasAlphas(t);
    Ink ink;
    for (int y = 0; y < int(t.imageHeight()); ++y)
        for (int x = 0; x < int(t.imageWidth()); ++x)
            if ((alpha[size_t(y + t.offsetY()) * t.textureWidth() + size_t(x + t.offsetX())] == 0) == holes) {
                ++ink.count;
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

Ending inChild(const std::function<void()>& call)
{
    constexpr unsigned kHangSeconds = 10;
    int out[2];
    if (pipe(out) != 0)
        return {-1, "no pipe"};
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDERR_FILENO);
        close(out[0]);
        alarm(kHangSeconds);
        call();
        _exit(0);
    }
    close(out[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), said};
}
