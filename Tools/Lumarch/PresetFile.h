// The preset the previewer runs: built in, or loaded from a JSON file; saving one; editing one.
#pragma once

#include <string>

class ULM_Preset;

/** Largest preset file read: far above any real preset, far below what would exhaust memory. */
inline constexpr long long MaxPresetFileBytes = 16ll * 1024 * 1024;

/**
 * The built-in preset: a bright neutral day, a warm dim dawn and dusk, a cold dark night, and a moon
 * far dimmer than the sun, so a day shows every part of the blend.
 */
ULM_Preset* MakeBuiltInPreset();

/**
 * Loads a preset saved as JSON; null with the reason in OutError (the file's name not included).
 * Only regular files up to MaxPresetFileBytes are read: devices, pipes and directories are refused
 * before anything is read from them.
 */
ULM_Preset* LoadPresetFile(const std::string& Path, std::string& OutError);

/** The preset as the JSON text a file holds. */
std::string PresetText(const ULM_Preset* Preset);

/** Saves Preset as JSON, whole or not at all; false with the reason in OutError. */
bool SavePresetFile(const ULM_Preset* Preset, const std::string& Path, std::string& OutError);

/** Sets the share of the day the sun is up, as ticking its box and entering it in the Details panel does. */
void SetDayLightFraction(ULM_Preset* Preset, float DayLightFraction);

/**
 * Enters "Path=Value" in the Details panel of the preset (paths under "DynamicOverrides." edit its
 * dynamic preset), so clamps and edit conditions apply. False when the edit was refused; OutMessage
 * says why, or what the editor adjusted ("clamped to 1") when it was applied.
 */
bool ApplyPresetSetting(ULM_Preset* Preset, const std::string& Setting, std::string& OutMessage);
