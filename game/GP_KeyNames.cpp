#include "GP_KeyNames.h"

#include <cstdio>
#include <cstring>

#include "GP_InterfaceHost.h"

namespace {

struct KeyName {
    int code;
    const char* name;
};

// In the order they are given: where a code is named twice, the later name stays.
constexpr KeyName kKeyNames[] = {
    {0, " NONE"},
    {8, " BACKSPACE"},
    {188, " ,"},
    {190, " ."},
    {191, " /"},
    {192, " `"},
    {189, " -"},
    {187, " ="},
    {220, " \\"},
    {219, " ["},
    {221, " ]"},
    {186, " ;"},
    {222, " '"},
    {12, " CLEAR"},
    {13, " RETURN"},
    {16, " SHIFT"},
    {17, " CTRL"},
    {18, " MENU"},
    {19, " PAUSE"},
    {20, " CAPS LOCK"},
    {21, " KANA"},
    {21, " HANGEUL"},
    {21, " HANGUL"},
    {23, " JUNJA"},
    {24, " FINAL"},
    {25, " HANJA"},
    {25, " KANJI"},
    {27, " ESCAPE"},
    {28, " CONVERT"},
    {29, " NONCONVERT"},
    {30, " ACCEPT"},
    {31, " MODECHANGE"},
    {32, " SPACE"},
    {33, " PAGE UP"},
    {34, " PAGE DOWN"},
    {35, " END"},
    {36, " HOME"},
    {37, " LEFT"},
    {38, " UP"},
    {39, " RIGHT"},
    {40, " DOWN"},
    {41, " SELECT"},
    {42, " PRINT"},
    {43, " EXECUTE"},
    {44, " SNAPSHOT"},
    {45, " INSERT"},
    {46, " DELETE"},
    {47, " HELP"},
    {91, " LEFT WIN"},
    {92, " RIGHT WIN"},
    {93, " APPS"},
    {106, " NUMPAD *"},
    {107, " NUMPAD +"},
    {108, " SEPARATOR"},
    {109, " NUMPAD -"},
    {110, " NUMPAD DEL"},
    {111, " NUMPAD /"},
    {144, " NUM LOCK"},
    {145, " SCROLL LOCK"},
    {160, " LEFT SHIFT"},
    {161, " RIGHT SHIFT"},
    {162, " LEFT CONTROL"},
    {163, " RIGHT CONTROL"},
    {164, " LEFT MENU"},
    {165, " RIGHT MENU"},
};
constexpr int kFirstNumpadDigit = 96;
constexpr int kFirstFunctionKey = 112;
constexpr int kFunctionKeys = 24;
constexpr int kNamedCodes = 255;  // codes 0 to 254

char buffers[kNamedCodes][GP_KeyNameSize];
const char* table[256];

void Name(int code, const char* name) { std::snprintf(buffers[code], GP_KeyNameSize, "%s", name); }

}  // namespace

void GP_BuildKeyNames()
{
    GP_KeyNames = table;
    std::memset(table, 0, sizeof table);
    std::memset(buffers, 0, sizeof buffers);
    for (int code = 0; code < kNamedCodes; ++code) {
        buffers[code][0] = ' ';
        buffers[code][1] = static_cast<char>(code);
        table[code] = buffers[code];
    }
    for (const KeyName& key : kKeyNames) Name(key.code, key.name);
    char name[GP_KeyNameSize];
    for (int digit = 0; digit < 10; ++digit) {
        std::snprintf(name, sizeof name, " NUMPAD %d", digit);
        Name(kFirstNumpadDigit + digit, name);
    }
    for (int key = 0; key < kFunctionKeys; ++key) {
        std::snprintf(name, sizeof name, " F%d", key + 1);
        Name(kFirstFunctionKey + key, name);
    }
}

void GP_FreeKeyNames()
{
    std::memset(table, 0, sizeof table);
    if (GP_KeyNames == table) GP_KeyNames = nullptr;
}
