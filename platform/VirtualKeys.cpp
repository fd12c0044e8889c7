#include "platform/VirtualKeys.h"

#include <algorithm>
#include <array>

namespace {

constexpr auto kKeys = std::to_array<VirtualKey>({
    {0, "AC01", U'a', U'A'},    {1, "AC02", U's', U'S'},   {2, "AC03", U'd', U'D'},   {3, "AC04", U'f', U'F'},
    {4, "AC06", U'h', U'H'},    {5, "AC05", U'g', U'G'},   {6, "AB01", U'z', U'Z'},   {7, "AB02", U'x', U'X'},
    {8, "AB03", U'c', U'C'},    {9, "AB04", U'v', U'V'},   {10, "LSGT", 0, 0},        {11, "AB05", U'b', U'B'},
    {12, "AD01", U'q', U'Q'},   {13, "AD02", U'w', U'W'},  {14, "AD03", U'e', U'E'},  {15, "AD04", U'r', U'R'},
    {16, "AD06", U'y', U'Y'},   {17, "AD05", U't', U'T'},  {18, "AE01", U'1', U'!'},  {19, "AE02", U'2', U'@'},
    {20, "AE03", U'3', U'#'},   {21, "AE04", U'4', U'$'},  {22, "AE06", U'6', U'^'},  {23, "AE05", U'5', U'%'},
    {24, "AE12", U'=', U'+'},   {25, "AE09", U'9', U'('},  {26, "AE07", U'7', U'&'},  {27, "AE11", U'-', U'_'},
    {28, "AE08", U'8', U'*'},   {29, "AE10", U'0', U')'},  {30, "AD12", U']', U'}'},  {31, "AD09", U'o', U'O'},
    {32, "AD07", U'u', U'U'},   {33, "AD11", U'[', U'{'},  {34, "AD08", U'i', U'I'},  {35, "AD10", U'p', U'P'},
    {36, "RTRN", 0, 0},         {37, "AC09", U'l', U'L'},  {38, "AC07", U'j', U'J'},  {39, "AC11", U'\'', U'"'},
    {40, "AC08", U'k', U'K'},   {41, "AC10", U';', U':'},  {42, "BKSL", U'\\', U'|'}, {43, "AB08", U',', U'<'},
    {44, "AB10", U'/', U'?'},   {45, "AB06", U'n', U'N'},  {46, "AB07", U'm', U'M'},  {47, "AB09", U'.', U'>'},
    {48, "TAB", 0, 0},          {49, "SPCE", U' ', U' '},  {50, "TLDE", U'`', U'~'},  {51, "BKSP", 0, 0},
    {53, "ESC", 0, 0},          {64, "FK17", 0, 0},        {65, "KPDL", 0, 0},        {67, "KPMU", 0, 0},
    {69, "KPAD", 0, 0},         {71, "NMLK", 0, 0},        {75, "KPDV", 0, 0},        {76, "KPEN", 0, 0},
    {78, "KPSU", 0, 0},         {79, "FK18", 0, 0},        {80, "FK19", 0, 0},        {81, "KPEQ", 0, 0},
    {82, "KP0", 0, 0},          {83, "KP1", 0, 0},         {84, "KP2", 0, 0},         {85, "KP3", 0, 0},
    {86, "KP4", 0, 0},          {87, "KP5", 0, 0},         {88, "KP6", 0, 0},         {89, "KP7", 0, 0},
    {90, "FK20", 0, 0},         {91, "KP8", 0, 0},         {92, "KP9", 0, 0},         {96, "FK05", 0, 0},
    {97, "FK06", 0, 0},         {98, "FK07", 0, 0},        {99, "FK03", 0, 0},        {100, "FK08", 0, 0},
    {101, "FK09", 0, 0},        {103, "FK11", 0, 0},       {105, "FK13", 0, 0},       {106, "FK16", 0, 0},
    {107, "FK14", 0, 0},        {109, "FK10", 0, 0},       {111, "FK12", 0, 0},       {113, "FK15", 0, 0},
    {114, "INS", 0, 0},         {115, "HOME", 0, 0},       {116, "PGUP", 0, 0},       {117, "DELE", 0, 0},
    {118, "FK04", 0, 0},        {119, "END", 0, 0},        {120, "FK02", 0, 0},       {121, "PGDN", 0, 0},
    {122, "FK01", 0, 0},        {123, "LEFT", 0, 0},       {124, "RGHT", 0, 0},       {125, "DOWN", 0, 0},
    {126, "UP", 0, 0},
});

// F1 to F20 in order.
constexpr std::array<int, 20> kFunctionKeys {122, 120, 99, 118, 96, 97, 98, 100, 101, 109,
                                             103, 111, 105, 107, 113, 106, 64, 79, 80, 90};

template <class Predicate>
const VirtualKey* find(Predicate predicate)
{
    const auto found = std::find_if(kKeys.begin(), kKeys.end(), predicate);
    return found == kKeys.end() ? nullptr : &*found;
}

} // namespace

namespace virtualkeys {

std::span<const VirtualKey> all()
{
    return kKeys;
}

const VirtualKey* byCode(int code)
{
    return find([code](const VirtualKey& key) { return key.code == code; });
}

const VirtualKey* byXkbName(std::string_view name)
{
    return find([name](const VirtualKey& key) { return name == key.xkbName; });
}

const VirtualKey* byUsCharacter(char32_t character)
{
    if (character == 0)
        return nullptr;
    return find([character](const VirtualKey& key) {
        return key.usCharacter == character || key.usShiftedCharacter == character;
    });
}

int functionKey(int number)
{
    if (number < 1 || number > static_cast<int>(kFunctionKeys.size()))
        return -1;
    return kFunctionKeys[static_cast<std::size_t>(number - 1)];
}

} // namespace virtualkeys
