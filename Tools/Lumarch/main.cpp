// lumarch: runs a headless level with the lighting director in it through one day, in the editor or
// in play, and prints what its sun, moon and sky show, step by step, as a table or CSV.
#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "DayDrawing.h"
#include "DayOutputs.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include "PresetCheck.h"
#include "PresetFile.h"
#include "OutputFile.h"
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>
#include <string>
#include <unistd.h>
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

	/** A CSV field as RFC 4180 has it: quoted, with quotes doubled, when it holds a comma, quote or line break. */
	std::string CsvField(const std::string& Text)
	{
		if (Text.find_first_of(",\"\r\n") == std::string::npos)
		{
			return Text;
		}
		std::string Quoted = "\"";
		for (const char C : Text)
		{
			Quoted += C == '"' ? std::string("\"\"") : std::string(1, C);
		}
		return Quoted + "\"";
	}

	const char* const CsvColumns[] = {"time", "clock", "total_time", "sun_altitude", "sun_yaw", "sun_alpha", "sun_intensity", "sun_light", "moon_altitude", "moon_yaw",
		"moon_alpha", "moon_intensity", "moon_light", "elevation_phase", "is_day", "dominant", "atmosphere_sun_z", "look", "fog_density", "sky_light_intensity",
		"min_ev100", "max_ev100", "white_temperature", "ground_z", "fog_z", "focal_distance"};

	std::string Number(const char* Format, double Value)
	{
		char Text[64];
		std::snprintf(Text, sizeof(Text), Format, Value);
		return Text;
	}

	/** One moment as the CSV shows it, a value per column (unquoted; the page shows them as they are). */
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
			std::printf("%s%s", Index == 0 ? "" : ",", CsvField(Values[Index]).c_str());
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

	/** A bar on the terminal for play runs long enough to wait for; nothing when stderr is a pipe or a file. */
	class FProgress
	{
	public:
		explicit FProgress(bool bEnabled)
			: bShown(bEnabled && isatty(STDERR_FILENO)), Start(std::chrono::steady_clock::now())
		{
		}

		void Update(int Done, int Total)
		{
			// Only once the run has lasted a moment: short runs would just flash it.
			if (!bShown || Seconds() < 0.5)
			{
				return;
			}
			constexpr int Width = 30;
			const int Filled = Total > 0 ? Done * Width / Total : Width;
			std::fprintf(stderr, "\r[%.*s%*s] %3d%% step %d/%d", Filled, "##############################", Width - Filled, "", Total > 0 ? Done * 100 / Total : 100, Done, Total);
			std::fflush(stderr);
			bDrawn = true;
		}

		void Finish()
		{
			if (bDrawn)
			{
				std::fprintf(stderr, "\r\033[K");
			}
		}

		double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(); }

	private:
		bool bShown;
		bool bDrawn = false;
		std::chrono::steady_clock::time_point Start;
	};

	int DumpPreset(const FPreviewOptions& Options)
	{
		const std::string Text = PresetText(MakeBuiltInPreset());
		if (Options.DumpPath.empty())
		{
			if (std::fwrite(Text.data(), 1, Text.size(), stdout) != Text.size() || std::fflush(stdout) != 0)
			{
				std::fprintf(stderr, "lumarch: cannot write the preset to standard output: %s\n", std::strerror(errno));
				return 2;
			}
			return 0;
		}
		std::string Error;
		if (!WriteFileAtomically(Options.DumpPath, Text, Error))
		{
			std::fprintf(stderr, "lumarch: cannot write the preset to '%s': %s\n", Options.DumpPath.c_str(), Error.c_str());
			return 2;
		}
		std::fprintf(stderr, "lumarch: wrote the built-in preset to '%s'\n", Options.DumpPath.c_str());
		return 0;
	}

	int CheckPresets(const FPreviewOptions& Options)
	{
		int Status = 0;
		for (const std::string& Path : Options.CheckPaths)
		{
			std::string Error;
			const ULM_Preset* Preset = LoadPresetFile(Path, Error);
			if (Preset == nullptr)
			{
				std::printf("%s: cannot be loaded: %s\n", Path.c_str(), Error.c_str());
				Status = 2;
				continue;
			}
			const std::vector<std::string> Findings = CheckPreset(Preset);
			if (Findings.empty())
			{
				std::printf("%s: clean\n", Path.c_str());
				continue;
			}
			for (const std::string& Finding : Findings)
			{
				std::printf("%s: %s\n", Path.c_str(), Finding.c_str());
			}
			Status = Status == 2 ? 2 : 1;
		}
		return Status;
	}
}

int main(int Argc, char** Argv)
{
	// A write beyond the file size limit then fails with EFBIG, which is reported, instead of killing the program.
	std::signal(SIGXFSZ, SIG_IGN);

	FPreviewOptions Options;
	switch (ParsePreviewOptions(Argc, Argv, Options))
	{
	case EParseResult::HelpShown: return 0;
	case EParseResult::BadInput: return 2;
	case EParseResult::Run: break;
	}
	std::string Error;
	if (!CheckDayOutputs(Options, Error))
	{
		std::fprintf(stderr, "lumarch: %s\n", Error.c_str());
		return 2;
	}

	FModuleManager::Get().LoadModule(TEXT("ZNLumarch"));

	if (Options.Command == ELumarchCommand::PresetDump)
	{
		return DumpPreset(Options);
	}
	if (Options.Command == ELumarchCommand::PresetCheck)
	{
		return CheckPresets(Options);
	}

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
	for (const std::string& Setting : Options.Settings)
	{
		std::string Message;
		if (!ApplyPresetSetting(Preset, Setting, Message))
		{
			std::fprintf(stderr, "lumarch: --set %s: %s\n", Setting.c_str(), Message.c_str());
			return 2;
		}
		if (!Message.empty())
		{
			std::fprintf(stderr, "lumarch: --set %s: %s\n", Setting.c_str(), Message.c_str());
		}
	}
	if (!Options.SavePresetPath.empty())
	{
		if (!SavePresetFile(Preset, Options.SavePresetPath, Error))
		{
			std::fprintf(stderr, "lumarch: cannot save the preset to '%s': %s\n", Options.SavePresetPath.c_str(), Error.c_str());
			return 2;
		}
		std::fprintf(stderr, "lumarch: saved the preset to '%s'\n", Options.SavePresetPath.c_str());
	}

	FPreviewLevel Level(Options, Preset);

	PrintHeader(Options);
	FProgress Progress(Options.Mode == EPreviewMode::Play);
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
		Progress.Update(Step, Options.Steps);
	}
	Progress.Finish();
	if (Options.Mode == EPreviewMode::Play)
	{
		std::fprintf(stderr, "lumarch: played one day of %g s in %lld frames at %d fps, %d steps, in %.1f s\n", Options.DayLengthSeconds, Level.FramesPlayed(),
			Options.FramesPerSecond, Options.Steps, Progress.Seconds());
	}

	FDayOutputsReport Report;
	const bool bWritten = WriteDayOutputs(Options, Day, Error, &Report);
	for (const std::string& Line : Report.Lines)
	{
		std::fprintf(stderr, "lumarch: %s\n", Line.c_str());
	}
	if (!bWritten)
	{
		std::fprintf(stderr, "lumarch: %s\n", Error.c_str());
		return 2;
	}
	return 0;
}
