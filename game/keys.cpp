#include "keys.h"

#include <cctype>
#include <string>

namespace {

struct KeyTable {
    SDLKey key[kBoundActions];
};

constexpr KeyTable defaultKeys()
{
    KeyTable table = {};
    for (int a = 0; a < kBoundActions; ++a)
        table.key[a] = kBoundAction[a].defaultKey;
    return table;
}

KeyTable boundKeys = defaultKeys();

std::string lowerCase(const char* text)
{
    std::string lower(text);
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The keypad's keys as a player would write them: "keypad 4" for SDL's
// "[4]", "keypad enter" and "keypad =" for its "enter" and "equals".
std::string keypadAlias(SDLKey key)
{
    if (key == SDLK_KP_ENTER)
        return "keypad enter";
    if (key == SDLK_KP_EQUALS)
        return "keypad =";
    const std::string name = SDL_GetKeyName(key);
    if (key >= SDLK_KP0 && key <= SDLK_KP_PLUS && name.size() == 3 && name[0] == '[')
        return std::string("keypad ") + name[1];
    return "";
}

}  // namespace

SDLKey boundKey(int action)
{
    return boundKeys.key[action];
}

SDLKey playerKey(int player, PlayerAction action)
{
    return boundKey(player * kPlayerActions + action);
}

SDLKey pauseKey()
{
    return boundKey(kPauseAction);
}

void bindKey(int action, SDLKey key)
{
    boundKeys.key[action] = key;
}

void bindDefaultKeys()
{
    boundKeys = defaultKeys();
}

const char* fixedKeyUse(SDLKey key)
{
    if (key == kEscapeKey)
        return "the key that abandons a game";
    if (key == kMusicKey)
        return "the music switch";
    if (key == kEffectsKey)
        return "the sound effects switch";
    for (int i = 0; i < 2; ++i) {
        if (key == kQuieterKeys[i])
            return "a volume key";
        if (key == kLouderKeys[i])
            return "a volume key";
    }
    return nullptr;
}

SDLKey keyNamed(const char* name)
{
    const std::string wanted = lowerCase(name);
    if (wanted.empty() || wanted == lowerCase(SDL_GetKeyName(SDLK_UNKNOWN)))
        return SDLK_UNKNOWN;
    for (int k = SDLK_FIRST + 1; k < SDLK_LAST; ++k) {
        const SDLKey key = SDLKey(k);
        if (lowerCase(SDL_GetKeyName(key)) == wanted || keypadAlias(key) == wanted)
            return key;
    }
    return SDLK_UNKNOWN;
}

const char* keyName(SDLKey key)
{
    return SDL_GetKeyName(key);
}
