// What it costs to see a day: the built-in preset's day in 96 steps in the editor, each step's scene
// rendered as a 256 x 128 view on every core, tone-mapped, and written as the filmstrip PNG and the
// page. The level's simulation is set up once outside the timing; the views, their tables and the
// files are timed together, as a user waits for them. Counters: time per step and per view, and the
// table builds with their time per build.

#include "CoreMinimal.h"
#include "DayDrawing.h"
#include "DayPage.h"
#include "DayViews.h"
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
	struct FRecordedDay
	{
		std::vector<FDirectorSnapshot> Moments;
		std::vector<FSceneRenderState> Scenes;
	};

	FRecordedDay RecordDay(int Steps)
	{
		FModuleManager::Get().LoadModule(TEXT("ZNLumarch"));
		FPreviewOptions Options;
		Options.Steps = Steps;
		FPreviewLevel Level(Options, MakeBuiltInPreset());
		FRecordedDay Day;
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
		const int Threads = static_cast<int>(State.range(1));
		const FRecordedDay Day = RecordDay(Steps);
		const std::filesystem::path Folder = std::filesystem::temp_directory_path() / ("lumarch-bench-" + std::to_string(getpid()));
		std::filesystem::create_directories(Folder);

		FDayViewSettings Settings;
		Settings.Threads = Threads;
		FDayViewStats Stats;
		double TableSeconds = 0.0;
		int TableBuilds = 0;
		for (auto _ : State)
		{
			const std::vector<FRenderedView> Views = RenderDayViews(Day.Scenes, Settings, &Stats);
			std::string Error;
			const bool bWritten = WriteDayFilmstripPng((Folder / "day.png").string(), Day.Moments, Views, Error)
				&& WriteDayPage((Folder / "day.html").string(), FDayPage{"A day", Day.Moments, Views, {}}, Error);
			if (!bWritten)
			{
				State.SkipWithError(Error.c_str());
				break;
			}
			TableSeconds = Stats.Tables.TransmittanceSeconds + Stats.Tables.MultiScatteringSeconds + Stats.Tables.SkyViewSeconds;
			TableBuilds = Stats.Tables.TransmittanceBuilds + Stats.Tables.MultiScatteringBuilds + Stats.Tables.SkyViewBuilds;
			State.counters["render_s"] = Stats.Seconds;
		}
		std::filesystem::remove_all(Folder);

		const double Views = static_cast<double>(Steps + 1);
		State.counters["threads"] = Stats.Threads;
		State.counters["per_step_ms"] = benchmark::Counter(Views * 1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
		State.counters["transmittance_builds"] = Stats.Tables.TransmittanceBuilds;
		State.counters["multiscattering_builds"] = Stats.Tables.MultiScatteringBuilds;
		State.counters["skyview_builds"] = Stats.Tables.SkyViewBuilds;
		State.counters["transmittance_ms_each"] = Stats.Tables.TransmittanceBuilds ? 1e3 * Stats.Tables.TransmittanceSeconds / Stats.Tables.TransmittanceBuilds : 0.0;
		State.counters["multiscattering_ms_each"] = Stats.Tables.MultiScatteringBuilds ? 1e3 * Stats.Tables.MultiScatteringSeconds / Stats.Tables.MultiScatteringBuilds : 0.0;
		State.counters["skyview_ms_each"] = Stats.Tables.SkyViewBuilds ? 1e3 * Stats.Tables.SkyViewSeconds / Stats.Tables.SkyViewBuilds : 0.0;
		State.counters["view_ms_each"] = 1e3 * (Stats.Seconds * Stats.Threads - TableSeconds) / Views;
		State.counters["table_builds"] = TableBuilds;
	}
}

// 96 steps on one core and on every core (0).
BENCHMARK(BM_DayPreview)->Args({96, 1})->Args({96, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
