// What the sky costs: each table's build, a 256 x 128 panorama of sky lookups, a whole day of
// tables as the previewer renders it (the sun moving every step, the atmosphere blended at dawn and
// dusk), and the two references on the same small view, to compare the fast path with them.

#include "Renderer/AtmosphereParameters.h"
#include "Renderer/SkyAtmosphereLuts.h"
#include "Renderer/SkyAtmosphereModel.h"
#include "Renderer/SkyAtmosphereReferences.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <span>
#include <vector>

namespace
{
	constexpr double ObserverAltitudeKm = 0.0018;
	constexpr double DegreesToRadians = std::numbers::pi / 180.0;

	FAtmosphereLight SunAt(double ElevationDegrees, double AzimuthDegrees)
	{
		const double Elevation = ElevationDegrees * DegreesToRadians;
		const double Azimuth = AzimuthDegrees * DegreesToRadians;
		FAtmosphereLight Light;
		Light.Direction = FVector3d(std::cos(Elevation) * std::cos(Azimuth), std::cos(Elevation) * std::sin(Azimuth), std::sin(Elevation));
		Light.Illuminance = FVector3d(100000.0);
		return Light;
	}

	/** Directions of a Width x Height horizon panorama: yaw all round, altitude -30..60 degrees. */
	std::vector<FVector3d> Panorama(int Width, int Height)
	{
		std::vector<FVector3d> Directions;
		Directions.reserve(static_cast<size_t>(Width) * Height);
		for (int Y = 0; Y < Height; ++Y)
		{
			const double Altitude = (60.0 - 90.0 * (Y + 0.5) / Height) * DegreesToRadians;
			for (int X = 0; X < Width; ++X)
			{
				const double Yaw = (360.0 * (X + 0.5) / Width) * DegreesToRadians;
				Directions.emplace_back(std::cos(Altitude) * std::cos(Yaw), std::cos(Altitude) * std::sin(Yaw), std::sin(Altitude));
			}
		}
		return Directions;
	}

	FSkyAtmosphereLutSizes SizesFor(int64_t Choice)
	{
		return Choice == 0 ? FSkyAtmosphereLutSizes() : FSkyAtmosphereLutSizes::EngineSizes();
	}

	void ReportTableTimes(benchmark::State& State, const FSkyAtmosphereLuts& Luts)
	{
		const FSkyAtmosphereLuts::FStats& Stats = Luts.GetStats();
		auto PerBuild = [](double Seconds, int Builds) { return Builds > 0 ? 1e3 * Seconds / Builds : 0.0; };
		State.counters["transmittance_ms"] = PerBuild(Stats.TransmittanceSeconds, Stats.TransmittanceBuilds);
		State.counters["multiscattering_ms"] = PerBuild(Stats.MultiScatteringSeconds, Stats.MultiScatteringBuilds);
		State.counters["skyview_ms"] = PerBuild(Stats.SkyViewSeconds, Stats.SkyViewBuilds);
	}

	/** A new atmosphere every iteration: all three tables are built. Arg 0: form; arg 1: 0 defaults, 1 the engine's sizes. */
	void BM_TablesForNewAtmosphere(benchmark::State& State)
	{
		const EMultipleScatteringForm Form = State.range(0) == 0 ? EMultipleScatteringForm::EngineDefault : EMultipleScatteringForm::Paper;
		FSkyAtmosphereLuts Luts(Form, SizesFor(State.range(1)));
		FAtmosphereParameters Atmosphere = MakeEarthAtmosphere();
		const FAtmosphereLight Sun = SunAt(20.0, 30.0);
		int Iteration = 0;
		for (auto _ : State)
		{
			Atmosphere.MieScattering = FVector3d(0.003996 * (1.0 + 0.01 * (Iteration++ % 16)));
			Luts.Update(Atmosphere, std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
		}
		ReportTableTimes(State, Luts);
	}
	BENCHMARK(BM_TablesForNewAtmosphere)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"paper", "engine_sizes"})->Unit(benchmark::kMillisecond);

	/** The sun moves every iteration: only the sky-view table is built. */
	void BM_SkyViewForMovingSun(benchmark::State& State)
	{
		FSkyAtmosphereLuts Luts(EMultipleScatteringForm::EngineDefault, SizesFor(State.range(0)));
		const FAtmosphereParameters Atmosphere = MakeEarthAtmosphere();
		int Iteration = 0;
		for (auto _ : State)
		{
			const FAtmosphereLight Sun = SunAt(5.0 + 0.1 * (Iteration++ % 400), 30.0);
			Luts.Update(Atmosphere, std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
		}
		ReportTableTimes(State, Luts);
	}
	BENCHMARK(BM_SkyViewForMovingSun)->Arg(0)->Arg(1)->ArgName("engine_sizes")->Unit(benchmark::kMillisecond);

	/** One 256 x 128 panorama of sky lookups from built tables. */
	void BM_PanoramaLookups(benchmark::State& State)
	{
		FSkyAtmosphereLuts Luts(EMultipleScatteringForm::EngineDefault, SizesFor(State.range(0)));
		const FAtmosphereLight Sun = SunAt(25.0, 30.0);
		Luts.Update(MakeEarthAtmosphere(), std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
		const std::vector<FVector3d> Directions = Panorama(256, 128);
		for (auto _ : State)
		{
			FVector3d Sum(0.0);
			for (const FVector3d& Direction : Directions)
			{
				Sum += Luts.SkyLuminance(Direction);
			}
			benchmark::DoNotOptimize(Sum);
		}
		State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(Directions.size()));
	}
	BENCHMARK(BM_PanoramaLookups)->Arg(0)->Arg(1)->ArgName("engine_sizes")->Unit(benchmark::kMillisecond);

	/**
	 * A 96-step day on one thread: the sun crosses the sky, the atmosphere is blended for eight
	 * steps at dawn and eight at dusk (all tables rebuilt there), and each step looks up a 256 x 128
	 * panorama. Time per iteration is the whole day.
	 */
	void BM_DayOfSky(benchmark::State& State)
	{
		const FAtmosphereParameters Day = MakeEarthAtmosphere();
		const std::vector<FVector3d> Directions = Panorama(256, 128);
		for (auto _ : State)
		{
			FSkyAtmosphereLuts Luts(EMultipleScatteringForm::EngineDefault, SizesFor(State.range(0)));
			for (int Step = 0; Step < 96; ++Step)
			{
				const double Hour = 24.0 * Step / 96.0;
				const FAtmosphereLight Sun = SunAt(60.0 * std::sin((Hour - 6.0) / 24.0 * 2.0 * std::numbers::pi), 15.0 * Hour);
				FAtmosphereParameters Atmosphere = Day;
				const bool bDawn = Hour >= 5.0 && Hour < 7.0;
				const bool bDusk = Hour >= 17.0 && Hour < 19.0;
				if (bDawn || bDusk)
				{
					Atmosphere.MieScattering = Day.MieScattering * (1.0 + 0.1 * (Step % 8));
				}
				Luts.Update(Atmosphere, std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
				FVector3d Sum(0.0);
				for (const FVector3d& Direction : Directions)
				{
					Sum += Luts.SkyLuminance(Direction);
				}
				benchmark::DoNotOptimize(Sum);
			}
			ReportTableTimes(State, Luts);
		}
	}
	BENCHMARK(BM_DayOfSky)->Arg(0)->Arg(1)->ArgName("engine_sizes")->Unit(benchmark::kMillisecond)->Iterations(2);

	// The same small view (16 x 8 of the panorama) through the fast path and both references.
	const std::vector<FVector3d>& SmallView()
	{
		static const std::vector<FVector3d> Directions = Panorama(16, 8);
		return Directions;
	}

	void BM_SmallViewFast(benchmark::State& State)
	{
		const FAtmosphereParameters Atmosphere = MakeEarthAtmosphere();
		int Iteration = 0;
		FSkyAtmosphereLuts Luts;
		for (auto _ : State)
		{
			// A new light every time: the sky-view table is rebuilt, as it is for every frame of a day.
			const FAtmosphereLight Sun = SunAt(25.0 + 0.01 * (Iteration++ % 100), 30.0);
			Luts.Update(Atmosphere, std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
			FVector3d Sum(0.0);
			for (const FVector3d& Direction : SmallView())
			{
				Sum += Luts.SkyLuminance(Direction);
			}
			benchmark::DoNotOptimize(Sum);
		}
	}
	BENCHMARK(BM_SmallViewFast)->Unit(benchmark::kMillisecond);

	void BM_SmallViewReference(benchmark::State& State)
	{
		const EMultipleScatteringForm Form = State.range(0) == 0 ? EMultipleScatteringForm::EngineDefault : EMultipleScatteringForm::Paper;
		const FSkyAtmosphereReference Reference(MakeEarthAtmosphere(), Form);
		const FAtmosphereLight Sun = SunAt(25.0, 30.0);
		for (auto _ : State)
		{
			FVector3d Sum(0.0);
			for (const FVector3d& Direction : SmallView())
			{
				Sum += Reference.SkyLuminance(Direction, std::span<const FAtmosphereLight>(&Sun, 1), ObserverAltitudeKm);
			}
			benchmark::DoNotOptimize(Sum);
		}
	}
	BENCHMARK(BM_SmallViewReference)->Arg(0)->Arg(1)->ArgName("paper")->Unit(benchmark::kMillisecond)->Iterations(1);

	/** The brute force's field (built once for every light direction), then the small view from it. */
	void BM_BruteForceBuild(benchmark::State& State)
	{
		const FAtmosphereParameters Atmosphere = MakeEarthAtmosphere();
		for (auto _ : State)
		{
			FSkyAtmosphereBruteForce BruteForce(Atmosphere);
			State.counters["orders"] = BruteForce.GetOrders();
			benchmark::DoNotOptimize(BruteForce);
		}
	}
	BENCHMARK(BM_BruteForceBuild)->Unit(benchmark::kMillisecond)->Iterations(1);

	void BM_SmallViewBruteForce(benchmark::State& State)
	{
		static const std::unique_ptr<FSkyAtmosphereBruteForce> BruteForce = std::make_unique<FSkyAtmosphereBruteForce>(MakeEarthAtmosphere());
		const FAtmosphereLight Sun = SunAt(25.0, 30.0);
		for (auto _ : State)
		{
			FVector3d Sum(0.0);
			for (const FVector3d& Direction : SmallView())
			{
				Sum += BruteForce->SkyLuminance(Direction, Sun, ObserverAltitudeKm);
			}
			benchmark::DoNotOptimize(Sum);
		}
	}
	BENCHMARK(BM_SmallViewBruteForce)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
