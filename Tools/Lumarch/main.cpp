// lumarch: runs the plug-in headless and shows what it computes.
//
// For now one view: the sun and moon over one day, from the celestial component with its
// default settings, as a table (or CSV).
#include "CoreMinimal.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "UObject/UObjectGlobals.h"
#include "Modules/ModuleManager.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
	struct FOptions
	{
		int Steps = 24;
		float DayLightFraction = 0.25f;
		bool bCsv = false;
	};

	void PrintUsage(FILE* Out)
	{
		std::fprintf(Out,
			"Usage: lumarch [options]\n"
			"\n"
			"Prints the sun and moon over one day, computed by the celestial component with\n"
			"its default settings.\n"
			"\n"
			"Options:\n"
			"  --steps N          rows over the day (default 24, one per hour; 1..100000)\n"
			"  --daylight F       share of the day the sun is above the horizon (default 0.25)\n"
			"  --csv              comma-separated output instead of a table\n"
			"  -h, --help         show this help\n");
	}

	bool ParseNumber(const char* Text, double& Out)
	{
		char* End = nullptr;
		Out = std::strtod(Text, &End);
		return End && End != Text && *End == 0;
	}

	/** Returns 0 on success, 2 on bad input (after printing why), 1 when help was printed. */
	int ParseOptions(int Argc, char** Argv, FOptions& Options)
	{
		for (int Index = 1; Index < Argc; ++Index)
		{
			const std::string Arg = Argv[Index];
			auto NeedValue = [&](const char* Name) -> const char* {
				if (Index + 1 >= Argc)
				{
					std::fprintf(stderr, "lumarch: %s needs a value\n", Name);
					return nullptr;
				}
				return Argv[++Index];
			};
			double Value = 0;
			if (Arg == "-h" || Arg == "--help")
			{
				PrintUsage(stdout);
				return 1;
			}
			else if (Arg == "--csv")
			{
				Options.bCsv = true;
			}
			else if (Arg == "--steps")
			{
				const char* Text = NeedValue("--steps");
				if (!Text || !ParseNumber(Text, Value) || Value < 1 || Value > 100000 || Value != (int)Value)
				{
					std::fprintf(stderr, "lumarch: --steps expects a whole number from 1 to 100000%s%s\n", Text ? ", got " : "", Text ? Text : "");
					return 2;
				}
				Options.Steps = (int)Value;
			}
			else if (Arg == "--daylight")
			{
				const char* Text = NeedValue("--daylight");
				if (!Text || !ParseNumber(Text, Value) || Value < 0 || Value > 1)
				{
					std::fprintf(stderr, "lumarch: --daylight expects a number from 0 to 1%s%s\n", Text ? ", got " : "", Text ? Text : "");
					return 2;
				}
				Options.DayLightFraction = (float)Value;
			}
			else
			{
				std::fprintf(stderr, "lumarch: unknown option '%s' (try --help)\n", Arg.c_str());
				return 2;
			}
		}
		return 0;
	}

	/** Adding zero turns -0 into 0, so a body on the horizon prints as 0.00. */
	double Shown(double Value)
	{
		return Value + 0.0;
	}

	const char* LightName(ELM_CelestialLight Light)
	{
		return Light == ELM_CelestialLight::Moon ? "Moon" : "Sun";
	}
}

int main(int Argc, char** Argv)
{
	FOptions Options;
	if (const int Result = ParseOptions(Argc, Argv, Options))
	{
		return Result == 1 ? 0 : Result;
	}

	FModuleManager::Get().LoadModule(TEXT("ZNLumarch"));

	ULM_CelestialRotationComponent* Celestial = NewObject<ULM_CelestialRotationComponent>();
	Celestial->ApplySettings(FLM_CelstialRotationSettings(), Options.DayLightFraction);

	if (Options.bCsv)
	{
		std::printf("time,clock,sun_altitude,sun_yaw,sun_alpha,moon_altitude,moon_yaw,moon_alpha,elevation_phase,cycle_phase,dominant\n");
	}
	else
	{
		std::printf("Sun and moon over one day (default celestial settings, daylight fraction %.3g)\n\n", Options.DayLightFraction);
		std::printf("%7s %5s | %8s %8s %5s | %8s %8s %5s | %9s %6s | %s\n", "time", "clock", "sun alt", "sun yaw", "alpha", "moon alt", "moon yaw", "alpha", "elevation", "cycle", "dominant");
		std::printf("--------------+-------------------------+-------------------------+------------------+---------\n");
	}
	for (int Step = 0; Step <= Options.Steps; ++Step)
	{
		const float Time = (float)Step / (float)Options.Steps;
		Celestial->Update(Time);
		const FRotator Sun = Celestial->GetSunRotationRaw();
		const FRotator Moon = Celestial->GetMoonRotationRaw();
		const int Minutes = (int)(Time * 24.f * 60.f + 0.5f);
		const char* Dominant = LightName(Celestial->GetDominantLight());
		if (Options.bCsv)
		{
			std::printf("%.6f,%02d:%02d,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%s\n", Time, Minutes / 60, Minutes % 60, Shown(-Sun.Pitch), Sun.Yaw,
				Shown(Celestial->GetSunAlpha()), Shown(-Moon.Pitch), Moon.Yaw, Shown(Celestial->GetMoonAlpha()), Shown(Celestial->GetCelestialElevationPhase()),
				Celestial->GetCelestialCyclePhase(), Dominant);
		}
		else
		{
			std::printf("%7.4f %02d:%02d | %8.2f %8.2f %5.2f | %8.2f %8.2f %5.2f | %9.3f %6.3f | %s\n", Time, Minutes / 60, Minutes % 60, Shown(-Sun.Pitch), Sun.Yaw,
				Shown(Celestial->GetSunAlpha()), Shown(-Moon.Pitch), Moon.Yaw, Shown(Celestial->GetMoonAlpha()), Shown(Celestial->GetCelestialElevationPhase()),
				Celestial->GetCelestialCyclePhase(), Dominant);
		}
	}
	return 0;
}
