// What the celestial model costs a frame: the update alone, and the update followed by the reads the
// director makes every frame (light rotations, the two phases, the dominant light). Heap allocations
// per iteration are reported beside the time; both must stay at zero. The same update written as
// plain single-precision code is the yardstick: the component should cost no more than its arithmetic.

#include "Components/LM_CelestialRotationComponent.h"
#include "CoreMinimal.h"
#include "Curves/CurveFloat.h"
#include "Support/AllocationCounter.h"
#include "Support/PlainCelestial.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace
{
	/**
	 * Normalised time of successive frames: 1/1024 of a day per step over eight days, from two days
	 * back, so every iteration sees a new time and both arcs of both bodies come round.
	 */
	float FrameTime(const std::uint32_t Frame)
	{
		return static_cast<float>(Frame % 8192u) * (1.0f / 1024.0f) - 2.0f;
	}

	UCurveFloat* MakeEaseCurve()
	{
		UCurveFloat* Curve = NewObject<UCurveFloat>(GetTransientPackage());
		Curve->FloatCurve.AddKey(0.0f, 0.0f);
		Curve->FloatCurve.AddKey(0.5f, 0.8f);
		Curve->FloatCurve.AddKey(1.0f, 1.0f);
		return Curve;
	}

	ULM_CelestialRotationComponent* MakeSky(const bool bWithCurves)
	{
		FLM_CelstialRotationSettings Settings;
		if (bWithCurves)
		{
			Settings.DayTimeCycleBlendCurve = MakeEaseCurve();
			Settings.NightTimeCycleBlendCurve = MakeEaseCurve();
		}
		ULM_CelestialRotationComponent* Sky = NewObject<ULM_CelestialRotationComponent>(GetTransientPackage());
		Sky->ApplySettings(Settings, 0.25f);
		return Sky;
	}
}

static void BM_CelestialUpdate(benchmark::State& State)
{
	ULM_CelestialRotationComponent* Sky = MakeSky(false);
	std::uint32_t Frame = 0;

	const ZNBenchmark::FAllocationMeter Allocations;
	for (auto _ : State)
	{
		Sky->Update(FrameTime(Frame++));
		benchmark::ClobberMemory();
	}
	Allocations.Report(State);
}
BENCHMARK(BM_CelestialUpdate);

static void BM_CelestialUpdatePlain(benchmark::State& State)
{
	// Settings the compiler cannot see, as the component's are: nothing is folded into constants.
	ZNBenchmark::FPlainSkySettings Settings;
	benchmark::DoNotOptimize(Settings);
	ZNBenchmark::FPlainSkyState Sky;
	std::uint32_t Frame = 0;

	const ZNBenchmark::FAllocationMeter Allocations;
	for (auto _ : State)
	{
		ZNBenchmark::PlainSkyUpdate(Settings, FrameTime(Frame++), Sky);
		benchmark::DoNotOptimize(Sky);
		benchmark::ClobberMemory();
	}
	Allocations.Report(State);
}
BENCHMARK(BM_CelestialUpdatePlain);

static void BM_CelestialFrame(benchmark::State& State)
{
	ULM_CelestialRotationComponent* Sky = MakeSky(State.range(0) != 0);
	std::uint32_t Frame = 0;

	const ZNBenchmark::FAllocationMeter Allocations;
	for (auto _ : State)
	{
		Sky->Update(FrameTime(Frame++));
		FRotator SunForLights = Sky->GetSunRotationForLights();
		FRotator MoonForLights = Sky->GetMoonRotationForLights();
		float ElevationPhase = Sky->GetCelestialElevationPhase();
		float CyclePhase = Sky->GetCelestialCyclePhase();
		ELM_CelestialLight Dominant = Sky->GetDominantLight();
		benchmark::DoNotOptimize(SunForLights);
		benchmark::DoNotOptimize(MoonForLights);
		benchmark::DoNotOptimize(ElevationPhase);
		benchmark::DoNotOptimize(CyclePhase);
		benchmark::DoNotOptimize(Dominant);
	}
	Allocations.Report(State);
}
BENCHMARK(BM_CelestialFrame)->ArgName("curves")->Arg(0)->Arg(1);

BENCHMARK_MAIN();
