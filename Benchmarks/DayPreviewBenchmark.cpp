// What it costs to see a day: the built-in preset's day in 96 steps in the editor, each step's scene
// rendered as a 256 x 128 view on every core, tone-mapped, and written as the filmstrip PNG and the
// page, by the previewer's own output code. The level's simulation runs once outside the timing; the
// views, their tables and the files are timed together, as a user waits for them. Counters: time
// per step and per view, and the table builds with their time per build.

#include "CoreMinimal.h"
#include "DayOutputs.h"
#include "Modules/ModuleManager.h"
#include "PresetFile.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include "Renderer/SceneViewRenderer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
	FDayRecord RecordDay(int Steps)
	{
		FModuleManager::Get().LoadModule(TEXT("ZNLumarch"));
		FPreviewOptions Options;
		Options.Steps = Steps;
		FPreviewLevel Level(Options, MakeBuiltInPreset());
		FDayRecord Day;
		for (int Step = 0; Step <= Steps; ++Step)
		{
			Level.ShowStep(Step, Steps);
			Day.Moments.push_back(Level.Snapshot());
			Day.Scenes.push_back(Level.CaptureScene());
		}
		return Day;
	}

	void BM_DayPreview(benchmark::State& State)
	{
		const int Steps = static_cast<int>(State.range(0));
		const FDayRecord Day = RecordDay(Steps);
		const std::filesystem::path Folder = std::filesystem::temp_directory_path() / ("lumarch-bench-" + std::to_string(getpid()));
		std::filesystem::create_directories(Folder);

		FPreviewOptions Options;
		Options.Steps = Steps;
		Options.PngPath = (Folder / "day.png").string();
		Options.HtmlPath = (Folder / "day.html").string();
		FDayOutputsReport Report;
		for (auto _ : State)
		{
			Report = {};
			std::string Error;
			if (!WriteDayOutputs(Options, Day, Error, &Report))
			{
				State.SkipWithError(Error.c_str());
				break;
			}
		}
		std::filesystem::remove_all(Folder);

		const FDayViewStats& Stats = Report.Views;
		const FSkyAtmosphereLuts::FStats& Tables = Stats.Tables;
		const double Views = static_cast<double>(Steps + 1);
		const double TableSeconds = Tables.TransmittanceSeconds + Tables.MultiScatteringSeconds + Tables.SkyViewSeconds;
		auto MsEach = [](double Seconds, int Count) { return Count > 0 ? 1e3 * Seconds / Count : 0.0; };
		State.counters["threads"] = Stats.Threads;
		State.counters["render_s"] = Stats.Seconds;
		State.counters["per_step_ms"] = benchmark::Counter(Views * 1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
		State.counters["transmittance_builds"] = Tables.TransmittanceBuilds;
		State.counters["transmittance_ms_each"] = MsEach(Tables.TransmittanceSeconds, Tables.TransmittanceBuilds);
		State.counters["multiscattering_builds"] = Tables.MultiScatteringBuilds;
		State.counters["multiscattering_ms_each"] = MsEach(Tables.MultiScatteringSeconds, Tables.MultiScatteringBuilds);
		State.counters["skyview_builds"] = Tables.SkyViewBuilds;
		State.counters["skyview_ms_each"] = MsEach(Tables.SkyViewSeconds, Tables.SkyViewBuilds);
		// Thread time spent on views beyond their tables, per view.
		State.counters["view_ms_each"] = MsEach(Stats.Seconds * Stats.Threads - TableSeconds, static_cast<int>(Views));
	}
}

// A day of 96 steps, as `lumarch --steps 96 --png ... --html ...` renders and writes it on every core.
BENCHMARK(BM_DayPreview)->Arg(96)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
