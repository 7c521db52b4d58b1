// The preset the previewer runs: built in, or loaded from a JSON file; and saving one.
#pragma once

#include <string>

class ULM_Preset;

/**
 * The built-in preset: a bright neutral day, a warm dim dawn and dusk, a cold dark night, and a moon
 * far dimmer than the sun, so a day shows every part of the blend.
 */
ULM_Preset* MakeBuiltInPreset();

/** Loads a preset saved as JSON; null with the reason in OutError (the file's name not included). */
ULM_Preset* LoadPresetFile(const std::string& Path, std::string& OutError);

/** Saves Preset as JSON; false with the reason in OutError. */
bool SavePresetFile(const ULM_Preset* Preset, const std::string& Path, std::string& OutError);

/** Sets the share of the day the sun is up, as ticking its box and entering it in the Details panel does. */
void SetDayLightFraction(ULM_Preset* Preset, float DayLightFraction);
