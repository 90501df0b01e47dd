#pragma once

// How the reader's rate and volume steps map onto espeak-ng's parameters.
namespace engine_scale {

inline constexpr int kNormalWordsPerMinute = 175;
inline constexpr int kSlowestWordsPerMinute = 80;
inline constexpr int kFastestWordsPerMinute = 450;

// -10 .. 10 onto words per minute, geometric on both sides of the normal rate.
int wordsPerMinute(int rate);
// 0 .. 100 onto espeak-ng's amplitude, where 100 is its normal (unamplified) level.
int amplitude(int volume);

} // namespace engine_scale
