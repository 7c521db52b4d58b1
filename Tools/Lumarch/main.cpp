// lumarch: runs a headless level with the lighting director in it through one day, in the editor or
// in play, and prints what its sun, moon and sky show, step by step, as a table or CSV.
#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "DayDrawing.h"
#include "DayOutputs.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include "PresetFile.h"
#include <cstdio>
#include <string>
#include <vector>

namespace
{
	const char* const CsvColumns[] = {"time", "clock", "total_time", "sun_altitude", "sun_yaw", "sun_alpha", "sun_intensity", "sun_light", "moon_altitude", "moon_yaw",
		"moon_alpha", "moon_intensity", "moon_light", "elevation_phase", "is_day", "dominant", "atmosphere_sun_z", "look", "fog_density", "sky_light_intensity",
		"min_ev100", "max_ev100", "white_temperature", "ground_z", "fog_z", "focal_distance"};

	const char* LightState(const FLightSnapshot& Light)
	{
		if (!Light.bVisible)
		{
			return "off";
		}
		return Light.bCastShadows ? "on+shadow" : "on";
	}

	/** Hours and minutes of the time of day, rounded to the minute (24:00 ends the day). */
	std::string Number(const char* Format, double Value)
	{
		char Text[64];
		std::snprintf(Text, sizeof(Text), Format, Value);
		return Text;
	}

	/** One moment as the CSV shows it, a value per column. */
	std::vector<std::string> CsvValues(const FDirectorSnapshot& S)
	{
		return {Number("%.6f", S.Time), FormatClock(S.Time), Number("%.2f", S.TotalTime), Number("%.4f", S.Sun.Altitude), Number("%.4f", S.Sun.Yaw),
			Number("%.4f", S.Sun.Alpha), Number("%.4f", S.Sun.Intensity), LightState(S.Sun), Number("%.4f", S.Moon.Altitude), Number("%.4f", S.Moon.Yaw),
			Number("%.4f", S.Moon.Alpha), Number("%.4f", S.Moon.Intensity), LightState(S.Moon), Number("%.4f", S.ElevationPhase), S.bIsDay ? "1" : "0",
			S.DominantLight, Number("%.4f", S.AtmosphereSunDirectionZ), TCHAR_TO_UTF8(*S.Look), Number("%.5f", S.FogDensity), Number("%.4f", S.SkyLightIntensity),
			Number("%.3f", S.MinEV100), Number("%.3f", S.MaxEV100), Number("%.1f", S.WhiteTemperature), Number("%.2f", S.GroundZ), Number("%.2f", S.FogZ),
			Number("%.2f", S.FocalDistance)};
	}

	void PrintCsvLine(const std::vector<std::string>& Values)
	{
		for (size_t Index = 0; Index < Values.size(); ++Index)
		{
			std::printf("%s%s", Index == 0 ? "" : ",", Values[Index].c_str());
		}
		std::printf("\n");
	}

	std::string PresetName(const FPreviewOptions& Options)
	{
		return Options.PresetPath.empty() ? std::string("the built-in preset") : "preset '" + Options.PresetPath + "'";
	}

	void PrintHeader(const FPreviewOptions& Options)
	{
		if (Options.bCsv)
		{
			PrintCsvLine(std::vector<std::string>(std::begin(CsvColumns), std::end(CsvColumns)));
			return;
		}
		if (Options.Mode == EPreviewMode::Play)
		{
			std::printf("One day in play: game clock, lighting director with %s\n\n", PresetName(Options).c_str());
		}
		else
		{
			std::printf("One day in the editor: TotalTime dragged through the day, %s\n\n", PresetName(Options).c_str());
		}
		const bool bPlay = Options.Mode == EPreviewMode::Play;
		std::printf("%7s %5s %6s | %7s %5s %5s %-9s | %8s %5s %5s %-9s | %6s %-8s %5s %4s %-10s %5s%s\n", "time", "clock", "total", "sun alt", "alpha", "lux", "sun",
			"moon alt", "alpha", "lux", "moon", "phase", "look", "fog", "sky", "EV100", "temp", bPlay ? " | ground  fog z  focus" : "");
		std::printf("---------------------+-------------------------------+--------------------------------+--------------------------------------------%s\n",
			bPlay ? "+---------------------" : "");
	}

	void PrintRow(const FPreviewOptions& Options, const FDirectorSnapshot& S)
	{
		const std::string Clock = FormatClock(S.Time);
		const std::string Look = TCHAR_TO_UTF8(*S.Look);
		if (Options.bCsv)
		{
			PrintCsvLine(CsvValues(S));
			return;
		}
		char Exposure[32];
		std::snprintf(Exposure, sizeof(Exposure), "%.1f..%.1f", S.MinEV100, S.MaxEV100);
		std::printf("%7.4f %5s %6.0f | %7.2f %5.2f %5.2f %-9s | %8.2f %5.2f %5.2f %-9s | %6.3f %-8s %5.3f %4.2f %-10s %5.0f", S.Time, Clock.c_str(), S.TotalTime,
			S.Sun.Altitude, S.Sun.Alpha, S.Sun.Intensity, LightState(S.Sun),
			S.Moon.Altitude, S.Moon.Alpha, S.Moon.Intensity, LightState(S.Moon),
			S.ElevationPhase, Look.c_str(), S.FogDensity, S.SkyLightIntensity, Exposure, S.WhiteTemperature);
		if (Options.Mode == EPreviewMode::Play)
		{
			std::printf(" | %6.0f %6.0f %5.0f", S.GroundZ, S.FogZ, S.FocalDistance);
		}
		std::printf("\n");
	}
}

int main(int Argc, char** Argv)
{
	FPreviewOptions Options;
	switch (ParsePreviewOptions(Argc, Argv, Options))
	{
	case EParseResult::HelpShown: return 0;
	case EParseResult::BadInput: return 2;
	case EParseResult::Run: break;
	}

	FModuleManager::Get().LoadModule(TEXT("ZNLumarch"));

	std::string Error;
	ULM_Preset* Preset = Options.PresetPath.empty() ? MakeBuiltInPreset() : LoadPresetFile(Options.PresetPath, Error);
	if (Preset == nullptr)
	{
		std::fprintf(stderr, "lumarch: cannot load the preset '%s': %s\n", Options.PresetPath.c_str(), Error.c_str());
		return 2;
	}
	if (Options.DayLightFraction >= 0.0f)
	{
		SetDayLightFraction(Preset, Options.DayLightFraction);
	}
	if (!Options.SavePresetPath.empty())
	{
		if (!SavePresetFile(Preset, Options.SavePresetPath, Error))
		{
			std::fprintf(stderr, "lumarch: cannot save the preset to '%s': %s\n", Options.SavePresetPath.c_str(), Error.c_str());
			return 1;
		}
		std::fprintf(stderr, "lumarch: saved the preset to '%s'\n", Options.SavePresetPath.c_str());
	}

	FPreviewLevel Level(Options, Preset);

	PrintHeader(Options);
	FDayRecord Day;
	Day.Title = std::string(Options.Mode == EPreviewMode::Play ? "A day in play with " : "A day in the editor with ") + PresetName(Options);
	Day.Table.Columns.assign(std::begin(CsvColumns), std::end(CsvColumns));
	Day.Moments.reserve(static_cast<size_t>(Options.Steps) + 1);
	for (int Step = 0; Step <= Options.Steps; ++Step)
	{
		Level.ShowStep(Step, Options.Steps);
		Day.Moments.push_back(Level.Snapshot());
		Day.Table.Rows.push_back(CsvValues(Day.Moments.back()));
		if (WantsViews(Options))
		{
			Day.Scenes.push_back(Level.CaptureScene());
		}
		PrintRow(Options, Day.Moments.back());
	}

	if (!WriteDayOutputs(Options, Day, Error))
	{
		std::fprintf(stderr, "lumarch: %s\n", Error.c_str());
		return 2;
	}
	return 0;
}
