// lumarch: runs a headless level with the lighting director in it through one day, in the editor or
// in play, and prints what its sun, moon and sky show, step by step, as a table or CSV.
#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "DayPicture.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include "PresetFile.h"
#include <cstdio>
#include <string>
#include <vector>

namespace
{
	const char* LightState(const FLightSnapshot& Light)
	{
		if (!Light.bVisible)
		{
			return "off";
		}
		return Light.bCastShadows ? "on+shadow" : "on";
	}

	/** Hours and minutes of the time of day, rounded to the minute (24:00 ends the day). */
	void ClockText(double Time, char (&Out)[16])
	{
		const double DayFraction = Time - static_cast<double>(static_cast<long long>(Time));
		int Minutes = static_cast<int>(DayFraction * 24.0 * 60.0 + 0.5);
		if (Time >= 1.0 && Minutes == 0)
		{
			Minutes = 24 * 60;
		}
		std::snprintf(Out, sizeof(Out), "%02d:%02d", Minutes / 60, Minutes % 60);
	}

	std::string PresetName(const FPreviewOptions& Options)
	{
		return Options.PresetPath.empty() ? std::string("the built-in preset") : "preset '" + Options.PresetPath + "'";
	}

	void PrintHeader(const FPreviewOptions& Options)
	{
		if (Options.bCsv)
		{
			std::printf("time,clock,total_time,sun_altitude,sun_yaw,sun_alpha,sun_intensity,sun_light,moon_altitude,moon_yaw,moon_alpha,moon_intensity,moon_light,"
				"elevation_phase,is_day,dominant,atmosphere_sun_z,look,fog_density,sky_light_intensity,min_ev100,max_ev100,white_temperature,ground_z,fog_z,focal_distance\n");
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
		char Clock[16];
		ClockText(S.Time, Clock);
		const std::string Look = TCHAR_TO_UTF8(*S.Look);
		if (Options.bCsv)
		{
			std::printf("%.6f,%s,%.2f,%.4f,%.4f,%.4f,%.4f,%s,%.4f,%.4f,%.4f,%.4f,%s,%.4f,%d,%s,%.4f,%s,%.5f,%.4f,%.3f,%.3f,%.1f,%.2f,%.2f,%.2f\n", S.Time, Clock, S.TotalTime,
				S.Sun.Altitude, S.Sun.Yaw, S.Sun.Alpha, S.Sun.Intensity, LightState(S.Sun),
				S.Moon.Altitude, S.Moon.Yaw, S.Moon.Alpha, S.Moon.Intensity, LightState(S.Moon),
				S.ElevationPhase, S.bIsDay ? 1 : 0, S.DominantLight, S.AtmosphereSunDirectionZ,
				Look.c_str(), S.FogDensity, S.SkyLightIntensity, S.MinEV100, S.MaxEV100, S.WhiteTemperature, S.GroundZ, S.FogZ, S.FocalDistance);
			return;
		}
		char Exposure[32];
		std::snprintf(Exposure, sizeof(Exposure), "%.1f..%.1f", S.MinEV100, S.MaxEV100);
		std::printf("%7.4f %5s %6.0f | %7.2f %5.2f %5.2f %-9s | %8.2f %5.2f %5.2f %-9s | %6.3f %-8s %5.3f %4.2f %-10s %5.0f", S.Time, Clock, S.TotalTime,
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
	std::vector<FDirectorSnapshot> Rows;
	Rows.reserve(static_cast<size_t>(Options.Steps) + 1);
	for (int Step = 0; Step <= Options.Steps; ++Step)
	{
		Level.ShowStep(Step, Options.Steps);
		Rows.push_back(Level.Snapshot());
		PrintRow(Options, Rows.back());
	}

	if (!Options.PicturePath.empty())
	{
		if (!WriteDayPicture(Options.PicturePath, Rows, Error))
		{
			std::fprintf(stderr, "lumarch: cannot write the picture to '%s': %s\n", Options.PicturePath.c_str(), Error.c_str());
			return 1;
		}
		std::fprintf(stderr, "lumarch: wrote a picture of the day to '%s'\n", Options.PicturePath.c_str());
	}
	return 0;
}
