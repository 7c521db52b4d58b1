// lumarch: runs a headless level with the lighting director in it through one day, in the editor or
// in play, and prints what its sun, moon and sky show, step by step, as a table or CSV.
#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include <cstdio>

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

	void PrintHeader(const FPreviewOptions& Options)
	{
		if (Options.bCsv)
		{
			std::printf("time,clock,total_time,sun_altitude,sun_yaw,sun_alpha,sun_intensity,sun_light,moon_altitude,moon_yaw,moon_alpha,moon_intensity,moon_light,elevation_phase,is_day,dominant,atmosphere_sun_z\n");
			return;
		}
		if (Options.Mode == EPreviewMode::Play)
		{
			std::printf("One day in play: game clock, lighting director with a default preset (daylight fraction %.3g)\n\n", Options.DayLightFraction);
		}
		else
		{
			std::printf("One day in the editor: TotalTime dragged through the day, default preset (daylight fraction %.3g)\n\n", Options.DayLightFraction);
		}
		std::printf("%7s %5s %7s | %7s %7s %5s %6s %-9s | %8s %7s %5s %6s %-9s | %6s %3s %s\n", "time", "clock", "total", "sun alt", "yaw", "alpha", "lux", "light",
			"moon alt", "yaw", "alpha", "lux", "light", "phase", "day", "dominant");
		std::printf("----------------------+-------------------------------------------+--------------------------------------------+-------------------\n");
	}

	void PrintRow(const FPreviewOptions& Options, const FDirectorSnapshot& S)
	{
		char Clock[16];
		ClockText(S.Time, Clock);
		if (Options.bCsv)
		{
			std::printf("%.6f,%s,%.2f,%.4f,%.4f,%.4f,%.4f,%s,%.4f,%.4f,%.4f,%.4f,%s,%.4f,%d,%s,%.4f\n", S.Time, Clock, S.TotalTime,
				S.Sun.Altitude, S.Sun.Yaw, S.Sun.Alpha, S.Sun.Intensity, LightState(S.Sun),
				S.Moon.Altitude, S.Moon.Yaw, S.Moon.Alpha, S.Moon.Intensity, LightState(S.Moon),
				S.ElevationPhase, S.bIsDay ? 1 : 0, S.DominantLight, S.AtmosphereSunDirectionZ);
			return;
		}
		std::printf("%7.4f %5s %7.1f | %7.2f %7.2f %5.2f %6.2f %-9s | %8.2f %7.2f %5.2f %6.2f %-9s | %6.3f %3s %s\n", S.Time, Clock, S.TotalTime,
			S.Sun.Altitude, S.Sun.Yaw, S.Sun.Alpha, S.Sun.Intensity, LightState(S.Sun),
			S.Moon.Altitude, S.Moon.Yaw, S.Moon.Alpha, S.Moon.Intensity, LightState(S.Moon),
			S.ElevationPhase, S.bIsDay ? "yes" : "no", S.DominantLight);
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

	FPreviewLevel Level(Options);

	PrintHeader(Options);
	for (int Step = 0; Step <= Options.Steps; ++Step)
	{
		Level.ShowStep(Step, Options.Steps);
		PrintRow(Options, Level.Snapshot());
	}
	return 0;
}
