// What a picture of the scene costs: reading the world's components into a render state, and one
// 256 x 128 panorama rendered, exposed and encoded, once with the atmosphere tables warm (the
// common case: the look holds between steps) and once with every table rebuilt (dawn and dusk,
// when the blended coefficients change every step).
#include "Renderer/SceneRenderState.h"
#include "Renderer/SceneViewRenderer.h"

#include "Components/DirectionalLightComponent.h"
#include "Components/ExponentialHeightFogComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"

#include <benchmark/benchmark.h>

namespace
{
	template<class T>
	T* AddComponent(UWorld* World)
	{
		AActor* Actor = World->SpawnActor<AActor>();
		T* Component = NewObject<T>(Actor);
		Actor->SetRootComponent(Component);
		Component->RegisterComponent();
		return Component;
	}

	/** A lit level: atmosphere, sun in the afternoon, moon, sky light, light fog, default post-process. */
	UWorld* MakeLevel()
	{
		UWorld* World = UWorld::CreateWorld(EWorldType::Game, false);
		AddComponent<USkyAtmosphereComponent>(World);
		UDirectionalLightComponent* Sun = AddComponent<UDirectionalLightComponent>(World);
		Sun->SetIntensity(100000.0f);
		Sun->SetWorldRotation(FRotator(-35.0, 200.0, 0.0));
		UDirectionalLightComponent* Moon = AddComponent<UDirectionalLightComponent>(World);
		Moon->SetAtmosphereSunLightIndex(1);
		Moon->SetIntensity(0.3f);
		Moon->SetWorldRotation(FRotator(20.0, 20.0, 0.0));
		AddComponent<USkyLightComponent>(World);
		UExponentialHeightFogComponent* Fog = AddComponent<UExponentialHeightFogComponent>(World);
		Fog->SetFogDensity(0.01f);
		AddComponent<UPostProcessComponent>(World);
		return World;
	}

	FViewDescription PanoramaFacingTheSun()
	{
		FViewDescription View;
		View.Width = 256;
		View.Height = 128;
		View.CentreYawDegrees = 20.0;
		return View;
	}
}

static void BM_CaptureSceneRenderState(benchmark::State& State)
{
	UWorld* World = MakeLevel();
	for (auto _ : State)
	{
		FSceneRenderState Scene = CaptureSceneRenderState(World);
		benchmark::DoNotOptimize(Scene);
	}
	World->DestroyWorld(false);
}
BENCHMARK(BM_CaptureSceneRenderState);

static void BM_RenderViewTablesWarm(benchmark::State& State)
{
	UWorld* World = MakeLevel();
	const FSceneRenderState Scene = CaptureSceneRenderState(World);
	const FViewDescription View = PanoramaFacingTheSun();
	FSceneViewRenderer Renderer;
	Renderer.Render(Scene, View);
	for (auto _ : State)
	{
		FRenderedView Image = Renderer.Render(Scene, View);
		benchmark::DoNotOptimize(Image.Srgb8.data());
	}
	World->DestroyWorld(false);
}
BENCHMARK(BM_RenderViewTablesWarm)->Unit(benchmark::kMillisecond);

static void BM_RenderViewTablesRebuilt(benchmark::State& State)
{
	UWorld* World = MakeLevel();
	FSceneRenderState Scenes[2] = {CaptureSceneRenderState(World), CaptureSceneRenderState(World)};
	// Two looks a step apart, as the blend moves through dawn: every table's inputs change each frame.
	Scenes[1].Atmosphere.MieScattering *= 1.01;
	Scenes[1].Lights[0].Light.Direction = (Scenes[1].Lights[0].Light.Direction + FVector3d(0.0, 0.0, 0.01)).GetSafeNormal();
	const FViewDescription View = PanoramaFacingTheSun();
	FSceneViewRenderer Renderer;
	int Step = 0;
	for (auto _ : State)
	{
		FRenderedView Image = Renderer.Render(Scenes[Step++ & 1], View);
		benchmark::DoNotOptimize(Image.Srgb8.data());
	}
	const FSkyAtmosphereLuts::FStats& Stats = Renderer.GetLuts().GetStats();
	State.counters["TransmittanceBuilds"] = Stats.TransmittanceBuilds;
	State.counters["SkyViewBuilds"] = Stats.SkyViewBuilds;
	World->DestroyWorld(false);
}
BENCHMARK(BM_RenderViewTablesRebuilt)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
