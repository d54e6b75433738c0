#pragma once

// Constant data of the keyboard's lighting effects. Light tables use kNoLight (170) for "no
// light"; the pulse start table uses kNoStart (255).

#include "devices/effects/LightTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ravo::effects::tables {

inline constexpr uint8_t kNoStart = 255;

// Colour table W: eight 32-entry ramps; 0..191 is the wheel, 192..255 repeat red-to-green.
inline constexpr std::array<uint8_t, 32> kRise = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, 32> kFall = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

constexpr std::array<Rgb, 256> MakeColourTable() {
    std::array<Rgb, 256> w{};
    for (size_t s = 0; s < 8; ++s) {
        for (size_t t = 0; t < 32; ++t) {
            const uint8_t u = kRise[t];
            const uint8_t d = kFall[t];
            Rgb c{};
            switch (s % 6) {
                case 0:
                    c = {255, u, 0};
                    break;
                case 1:
                    c = {d, 255, 0};
                    break;
                case 2:
                    c = {0, 255, u};
                    break;
                case 3:
                    c = {0, d, 255};
                    break;
                case 4:
                    c = {u, 0, 255};
                    break;
                default:
                    c = {255, 0, d};
                    break;
            }
            w[32 * s + t] = c;
        }
    }
    return w;
}
inline constexpr std::array<Rgb, 256> kWheel = MakeColourTable();

inline constexpr std::array<Rgb, 4> kFourColours = {Rgb{0, 255, 180}, Rgb{0, 255, 0},
                                                    Rgb{255, 255, 255}, Rgb{255, 0, 0}};

inline constexpr std::array<uint8_t, 64> kBreathRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<uint8_t, 128> MakeBreath128() {
    std::array<uint8_t, 128> c{};
    for (size_t i = 0; i < 64; ++i) {
        c[i] = kBreathRise[i];
        c[127 - i] = kBreathRise[i];
    }
    return c;
}
constexpr std::array<uint8_t, 96> MakeBreath96() {
    std::array<uint8_t, 96> c{};
    for (size_t i = 0; i < 48; ++i) {
        c[i] = kBreathRise[16 + i];
        c[95 - i] = kBreathRise[16 + i];
    }
    return c;
}
inline constexpr std::array<uint8_t, 128> kBreath128 = MakeBreath128();  // C128
inline constexpr std::array<uint8_t, 96> kBreath96 = MakeBreath96();     // C96

inline constexpr uint8_t kPulseHead[] = {
    0,   4,   8,   14,  22,  33,  45,  61,  77,  84,  100, 110, 120, 130, 140, 150, 158, 166,
    175, 182, 191, 204, 220, 234, 255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182,
    176, 170, 164, 158, 152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99,  94,  89,  85,
    81,  77,  73,  69,  65,  61,  57,  53,  49,  45,  42,  39,  36,  33,  30,  27,  24,  22,
    20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,   2,   2,   1};
constexpr std::array<uint8_t, 192> MakePulse() {
    std::array<uint8_t, 192> a{};
    for (size_t i = 0; i < std::size(kPulseHead); ++i) {
        a[i] = kPulseHead[i];
    }
    return a;
}
inline constexpr std::array<uint8_t, 192> kPulse = MakePulse();  // A

// Brightness scale B and the slow intervals J, both by level 0..4.
inline constexpr std::array<uint8_t, 5> kBrightness = {0, 64, 128, 192, 255};
inline constexpr std::array<uint8_t, 5> kSlowInterval = {28, 23, 18, 13, 7};

// Key matrix M[column][row].
inline constexpr uint8_t kMatrix[kColumns][kRows] = {
    {170, 120, 121, 122, 123, 124}, {170, 21, 42, 63, 84, 105},  {0, 22, 43, 64, 102, 106},
    {1, 23, 44, 65, 85, 20},        {2, 24, 45, 66, 86, 107},    {3, 25, 46, 67, 87, 126},
    {4, 26, 47, 68, 88, 127},       {18, 27, 48, 69, 89, 108},   {5, 28, 49, 70, 90, 128},
    {6, 29, 50, 71, 91, 129},       {7, 30, 51, 72, 92, 109},    {8, 31, 52, 73, 93, 125},
    {9, 32, 53, 74, 94, 110},       {10, 33, 54, 62, 100, 111},  {11, 34, 55, 75, 19, 130},
    {12, 101, 103, 79, 95, 112},    {13, 35, 56, 82, 80, 113},   {14, 36, 57, 83, 96, 114},
    {15, 37, 58, 17, 81, 115},      {170, 38, 59, 76, 97, 116},  {170, 39, 60, 77, 98, 104},
    {170, 40, 61, 78, 99, 117},     {170, 41, 16, 119, 118, 131}};

// Key order list O (126 entries, the first 107 are lights).
inline constexpr uint8_t kKeyOrderHead[] = {
    15, 14, 13,  12,  11,  10,  9,   8,   7,   6,   5,   4,   3,   2,   1,   0,   21,  42,
    63, 84, 105, 106, 107, 108, 109, 125, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119,
    41, 40, 39,  38,  37,  36,  35,  34,  33,  32,  31,  30,  29,  28,  27,  26,  25,  24,
    23, 22, 43,  64,  102, 85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,  96,  97,
    98, 99, 78,  61,  60,  59,  58,  57,  56,  55,  54,  53,  52,  51,  50,  49,  48,  47,
    46, 45, 44,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  62,  75,  76,  77};
static_assert(std::size(kKeyOrderHead) == 107);

// Snake list N (126 entries, 170 = skip).
inline constexpr uint8_t kSnakeHead[] = {
    0,  1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14, 15, 17, 18, 19,
    20, 41,  40,  39,  38,  37,  36,  35,  34,  33,  32,  31,  30,  29,  28, 27, 26, 25, 24,
    23, 22,  21,  42,  43,  44,  45,  46,  47,  48,  49,  50,  51,  52,  53, 54, 55, 56, 57,
    58, 59,  60,  61,  119, 78,  77,  76,  75,  170, 74,  73,  72,  71,  70, 69, 68, 67, 66,
    65, 64,  63,  84,  170, 85,  86,  87,  88,  89,  90,  91,  92,  93,  94, 95, 96, 97, 98,
    99, 118, 117, 116, 115, 114, 113, 112, 111, 110, 109, 108, 107, 106, 105};
static_assert(std::size(kSnakeHead) == 110);

template <size_t N, size_t M>
constexpr std::array<uint8_t, N> PadLights(const uint8_t (&head)[M]) {
    std::array<uint8_t, N> out{};
    for (size_t i = 0; i < N; ++i) {
        out[i] = i < M ? head[i] : kNoLight;
    }
    return out;
}
inline constexpr std::array<uint8_t, 126> kKeyOrder = PadLights<126>(kKeyOrderHead);  // O
inline constexpr std::array<uint8_t, 126> kSnake = PadLights<126>(kSnakeHead);        // N

// A list of up to 12 lights, padded with kNoLight.
struct LightRow {
    std::array<uint8_t, 12> lights;
};
template <size_t M>
constexpr LightRow Row(const uint8_t (&l)[M]) {
    static_assert(M <= 12);
    return LightRow{PadLights<12>(l)};
}
constexpr LightRow EmptyRow() {
    LightRow r{};
    r.lights.fill(kNoLight);
    return r;
}

// Rings G, ring 0 innermost.
inline constexpr LightRow kRings[] = {Row({49}),
                                      Row({28, 48, 69, 70, 50, 29}),
                                      Row({6, 5, 27, 47, 68, 89, 90, 91, 71, 51, 30, 7}),
                                      Row({4, 26, 46, 67, 88, 108, 92, 72, 52, 31, 8}),
                                      Row({3, 25, 45, 66, 87, 109, 93, 73, 53, 32, 9}),
                                      Row({2, 24, 44, 65, 86, 110, 94, 74, 54, 33, 10}),
                                      Row({1, 23, 43, 64, 85, 107, 111, 100, 62, 34, 11}),
                                      Row({22, 42, 63, 102, 106, 112, 95, 75, 55, 12}),
                                      Row({0, 21, 84, 105}),
                                      Row({113, 56, 35, 13}),
                                      Row({114, 96, 57, 36, 14}),
                                      Row({115, 58, 37, 15})};
static_assert(std::size(kRings) == 12);

// Pulse start table E[column][7].
inline constexpr uint8_t X_ = kNoStart;
inline constexpr uint8_t kPulseStart[kColumns][7] = {
    {X_, X_, X_, X_, X_, X_, 105}, {X_, X_, 21, 42, 63, 84, 106}, {X_, 0, 22, 43, 64, 85, 107},
    {X_, 1, 23, 44, 65, 86, X_},   {X_, 2, 24, 45, 66, 87, X_},   {X_, 3, 25, 46, 67, 88, X_},
    {X_, 4, 26, 47, 68, 89, 108},  {X_, X_, 27, 48, 69, 90, X_},  {X_, 5, 28, 49, 70, 91, X_},
    {X_, 6, 29, 50, 71, 92, 109},  {X_, 7, 30, 51, 72, 93, 109},  {X_, 8, 31, 52, 73, 94, 110},
    {X_, 9, 32, 53, 74, X_, 111},  {X_, 10, 33, 54, 75, X_, X_},  {X_, 11, 34, 55, X_, 95, 112},
    {X_, 12, 34, 55, X_, 95, 112}, {X_, 13, 35, 56, X_, X_, 113}, {X_, 14, 36, 57, X_, 96, 114},
    {X_, 15, 37, 58, X_, X_, 115}, {X_, 17, 38, 59, 76, 97, 116}, {125, 18, 39, 60, 77, 98, 116},
    {X_, 19, 40, 61, 78, 99, 117}, {X_, 20, 41, X_, 119, 118, X_}};

// Twinkle phase table F: 23 groups of 6, then one 0 (read at 6c + j for j up to 6).
inline constexpr uint8_t kTwinklePhase[] = {
    72,  52,  32,  12,  182, 162, 72,  52,  32, 12,  182, 162, 120, 100, 80,  60,  40, 20, 92,  82,
    72,  62,  52,  42,  160, 140, 120, 100, 80, 60,  80,  70,  60,  50,  20,  10,  90, 30, 0,   160,
    130, 100, 50,  30,  10,  180, 160, 140, 32, 22,  12,  2,   182, 172, 120, 100, 80, 60, 40,  20,
    20,  5,   185, 170, 155, 140, 60,  35,  15, 180, 155, 130, 120, 110, 100, 90,  80, 70, 192, 162,
    132, 102, 72,  32,  80,  70,  60,  50,  20, 10,  100, 95,  90,  85,  80,  75,  90, 80, 70,  60,
    50,  40,  140, 110, 80,  50,  20,  180, 70, 55,  40,  25,  10,  190, 120, 100, 80, 60, 40,  20,
    92,  82,  72,  62,  52,  42,  60,  50,  40, 30,  20,  10,  192, 162, 132, 102, 72, 32, 0};
static_assert(std::size(kTwinklePhase) == 139);

// Random key permutation R (indices into O).
inline constexpr uint8_t kRandomKeys[] = {
    88,  24, 101, 57, 16,  69,  35, 34, 36, 51,  78,  18,  12,  66,  97,  9,  33, 41, 55,
    52,  48, 95,  77, 70,  104, 10, 23, 39, 3,   102, 17,  65,  22,  105, 31, 4,  85, 76,
    15,  60, 54,  21, 106, 83,  94, 6,  61, 49,  20,  5,   14,  107, 68,  98, 71, 27, 81,
    1,   0,  87,  46, 75,  37,  73, 32, 79, 8,   29,  72,  56,  44,  99,  13, 47, 42, 93,
    108, 91, 80,  86, 89,  43,  28, 58, 59, 109, 38,  53,  2,   62,  64,  90, 96, 74, 110,
    92,  40, 25,  26, 7,   30,  50, 84, 45, 67,  19,  103, 100, 82,  11,  63};
static_assert(std::size(kRandomKeys) == 111);

// Ripple frames X.
inline constexpr LightRow kRippleFrames[] = {Row({25, 26, 50, 51}),
                                             Row({0, 26, 27, 50, 51}),
                                             Row({27, 28, 50, 51}),
                                             Row({1, 27, 50, 51}),
                                             Row({2, 27, 50, 51}),
                                             Row({3, 28, 51}),
                                             Row({4, 29, 51}),
                                             Row({29, 51}),
                                             Row({5, 29, 51}),
                                             Row({6, 30, 51}),
                                             Row({7, 30, 51}),
                                             Row({8, 51}),
                                             Row({31, 52}),
                                             Row({9, 32, 52}),
                                             Row({10, 32, 52}),
                                             Row({11, 33, 52}),
                                             Row({12, 34, 53, 52}),
                                             Row({13, 34, 53, 52}),
                                             Row({14, 34, 53, 52}),
                                             Row({15, 35, 52}),
                                             Row({36, 52}),
                                             Row({37, 52}),
                                             Row({38, 52}),
                                             Row({39, 52}),
                                             Row({41, 40, 38, 52, 54, 53, 55, 39}),
                                             Row({119, 61, 60, 59, 58, 57, 56, 62, 54, 53, 52}),
                                             Row({52, 53, 76, 78, 77, 54, 55}),
                                             Row({73, 74, 75, 97, 98, 99, 118}),
                                             Row({73, 74, 96, 117, 116}),
                                             Row({73, 95, 96, 75, 116, 117}),
                                             Row({73, 74, 95, 115, 116}),
                                             Row({73, 95, 115, 114}),
                                             Row({73, 95, 114, 113}),
                                             Row({73, 95, 113}),
                                             Row({73, 95, 112}),
                                             Row({73, 94, 111}),
                                             Row({73, 94, 125, 110}),
                                             Row({73, 93, 109}),
                                             Row({72, 92, 108}),
                                             Row({72, 92, 108}),
                                             Row({108, 91, 72}),
                                             Row({108, 90, 91, 72}),
                                             Row({108, 90, 71, 72}),
                                             Row({108, 89, 90, 71, 72}),
                                             Row({107, 88, 89, 71, 72}),
                                             Row({106, 107, 87, 88, 89, 70, 71, 72}),
                                             Row({105, 106, 87, 88, 70, 72}),
                                             Row({124, 105, 86, 87, 88, 70, 71, 72}),
                                             Row({123, 84, 85, 69, 70, 71, 72, 86, 102}),
                                             Row({122, 63, 64, 65, 68, 66, 67, 50, 51}),
                                             Row({121, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51}),
                                             Row({51, 21, 22, 23, 24, 48, 49, 50, 120})};
static_assert(std::size(kRippleFrames) == 52);

// Scripted pairs T1 and scripted rows T2.
inline constexpr uint8_t kScriptPairs[16][2] = {
    {28, 92}, {29, 91}, {30, 90}, {31, 69}, {52, 48}, {72, 28}, {92, 29}, {91, 31},
    {90, 30}, {69, 52}, {48, 72}, {49, 71}, {50, 70}, {51, 49}, {71, 50}, {70, 52}};
inline constexpr LightRow kScriptRows[] = {Row({0}),
                                           Row({1, 115}),
                                           Row({2, 114}),
                                           Row({3, 113, 21}),
                                           Row({4, 112, 22}),
                                           Row({5, 111, 23}),
                                           Row({6, 110, 24, 96, 42}),
                                           Row({7, 109, 25, 43}),
                                           Row({8, 26, 95, 44, 62}),
                                           Row({27, 94, 45, 100, 28, 93}),
                                           Row({46, 75, 29, 92, 47, 74}),
                                           Row({30, 91, 48, 73, 31, 90}),
                                           Row({49, 72, 51, 70, 71, 50}),
                                           Row({28, 92, 29, 91, 30, 90}),
                                           Row({31, 69, 52, 48, 72, 28}),
                                           Row({92, 29, 91, 31, 90, 30}),
                                           Row({69, 52, 48, 72, 49, 71}),
                                           Row({50, 70, 51, 49, 71, 50}),
                                           Row({70, 52}),
                                           EmptyRow()};
static_assert(std::size(kScriptRows) == 20);

}  // namespace ravo::effects::tables
