// What the lighting director costs a frame in play: the game clock advancing and the director's whole
// pass (clock read, celestial update, the blended look written into exposure, atmosphere, sky light
// and fog, lights, sky dome and its collection), driven as the engine drives it, through the world's
// tick. The level has a player whose pawn the director follows and a voxel terrain under it, so the
// world frame also carries the fog's easing and its terrain queries (four a second) and the depth of
// field's easing and measuring timer. Heap allocations per frame are reported beside the time.
//
// Levels: 0 the default preset; 1 with a sky material and its collection; 2 also with a post-process
// material whose parameters are blended and written every frame: three in the world frame, or a given
// number of entries per look in the director's own pass (half scalar, half vector, all in use).

#include "Actors/ZN_Lumarch.h"
#include "CoreMinimal.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "Engine/World.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialParameterCollection.h"
#include "Support/AllocationCounter.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelWorld.h"
#include "ZN_TimeOfDaySubsystemActor.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace
{
	constexpr float FrameSeconds = 1.0f / 60.0f;

	const TCHAR* const CelestialScalars[] = {TEXT("MoonAlpha"), TEXT("SunAlpha"), TEXT("SunPitch"), TEXT("CelestialElevationPhase")};
	const TCHAR* const CelestialVectors[] = {TEXT("SunLightDirection"), TEXT("MoonLightDirection"), TEXT("MoonLightColor"), TEXT("SunAngles"), TEXT("MoonAngles"), TEXT("MoonXAxis")};

	/** A post-process material with three parameters, all in use in every look. */
	void AddPostProcessMaterial(ULM_DynamicPreset* Dynamic)
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_Look"));
		AddScalarParameter(Material, TEXT("Vignette"), 0.4f);
		AddScalarParameter(Material, TEXT("Grain"), 0.1f);
		AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.0f, 1.0f, 1.0f, 1.0f));
		HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), Material);
		HostEditor::SetPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.MaterialParameterToggles.ScalarParameterToggles[0].InUse"), true);
		HostEditor::SetPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.MaterialParameterToggles.ScalarParameterToggles[1].InUse"), true);
		HostEditor::SetPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.MaterialParameterToggles.VectorParameterToggles[0].InUse"), true);
		HostEditor::SetPropertyByPath(Dynamic, TEXT("Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value"), 0.2);
		HostEditor::SetPropertyByPath(Dynamic, TEXT("Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value"), 0.8);
	}

	/** A post-process material with NumEntries parameters, half scalar and half vector, each switched on in the editor. */
	void AddLargePostProcessMaterial(ULM_DynamicPreset* Dynamic, const int64_t NumEntries)
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_LargeLook"));
		const int32 NumEach = static_cast<int32>(NumEntries / 2);
		for (int32 Index = 0; Index < NumEach; ++Index)
		{
			AddScalarParameter(Material, FName(*FString::Printf(TEXT("Scalar%03d"), Index)), 0.5f);
			AddVectorParameter(Material, FName(*FString::Printf(TEXT("Vector%03d"), Index)), FLinearColor(0.5f, 0.5f, 0.5f, 1.0f));
		}
		HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), Material);
		for (int32 Index = 0; Index < NumEach; ++Index)
		{
			HostEditor::SetPropertyByPath(Dynamic,
				FString::Printf(TEXT("PostProcessMaterialSettings.MaterialParameterToggles.ScalarParameterToggles[%d].InUse"), Index), true);
			HostEditor::SetPropertyByPath(Dynamic,
				FString::Printf(TEXT("PostProcessMaterialSettings.MaterialParameterToggles.VectorParameterToggles[%d].InUse"), Index), true);
		}
		// Distinct looks, so that every entry really blends.
		for (FLM_ScalarMaterialParamaterEntry& Entry : Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries)
		{
			Entry.Value = 0.2f;
		}
		for (FLM_ScalarMaterialParamaterEntry& Entry : Dynamic->Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries)
		{
			Entry.Value = 0.8f;
		}
		for (FLM_VectorMaterialParameterEntry& Entry : Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.VectorParameterEntries)
		{
			Entry.Value = FLinearColor(1.0f, 0.9f, 0.8f, 1.0f);
		}
		for (FLM_VectorMaterialParameterEntry& Entry : Dynamic->Night.PostProcessMaterialSettings.ParameterEntries.VectorParameterEntries)
		{
			Entry.Value = FLinearColor(0.1f, 0.2f, 0.4f, 1.0f);
		}
	}

	/** The preset a designer starts from, with the level's extras (see the levels above). */
	ULM_Preset* MakePreset(const int64_t Level, const int64_t NumEntries)
	{
		ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage());
		ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>(GetTransientPackage());
		if (Level >= 2)
		{
			if (NumEntries < 0)
			{
				AddPostProcessMaterial(Dynamic);
			}
			else
			{
				AddLargePostProcessMaterial(Dynamic, NumEntries);
			}
		}
		HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), Dynamic);
		if (Level >= 1)
		{
			UMaterial* Sky = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_Sky"));
			AddScalarParameter(Sky, TEXT("Stars"), 1.0f);
			UMaterialParameterCollection* Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Celestial"));
			for (const TCHAR* Name : CelestialScalars)
			{
				FCollectionScalarParameter Parameter;
				Parameter.ParameterName = Name;
				Collection->ScalarParameters.Add(Parameter);
			}
			for (const TCHAR* Name : CelestialVectors)
			{
				FCollectionVectorParameter Parameter;
				Parameter.ParameterName = Name;
				Collection->VectorParameters.Add(Parameter);
			}
			Preset->SkySettings.SkyMaterial = Sky;
			Preset->SkySettings.MaterialParameterCollection = Collection;
		}
		return Preset;
	}

	/** A playing world with a clock that runs a day in two minutes and a director with the given preset. */
	struct FPlayingLevel
	{
		explicit FPlayingLevel(const int64_t PresetLevel, const int64_t NumEntries = -1)
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			AZN_TimeOfDaySubsystemActor* Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
			Clock->DayLengthSeconds = 120.0f;
			AVoxelWorld* Terrain = World->SpawnActor<AVoxelWorld>();
			Terrain->Tags.Add(TEXT("GroundHeightSource"));
			Terrain->LayerStack = NewObject<UVoxelLayerStack>(GetTransientPackage());
			Terrain->LayerStack->HeightLayers.Add(NewObject<UVoxelHeightLayer>(GetTransientPackage()));
			Director = World->SpawnActor<AZN_Lumarch>();
			HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), MakePreset(PresetLevel, NumEntries));
			APlayerController* Player = World->SpawnActor<APlayerController>();
			Player->Possess(World->SpawnActor<APawn>());
			World->BeginPlay();
			Director->RegisterPlayerController(Player);
			// Settle one frame so first-use work (collection instances, cached lookups) is not measured.
			World->Tick(LEVELTICK_All, FrameSeconds);
		}
		~FPlayingLevel() { World->DestroyWorld(false); }

		UWorld* World = nullptr;
		AZN_Lumarch* Director = nullptr;
	};
}

static void BM_DirectorWorldFrame(benchmark::State& State)
{
	FPlayingLevel Level(State.range(0));

	const ZNBenchmark::FAllocationMeter Allocations;
	for (auto _ : State)
	{
		Level.World->Tick(LEVELTICK_All, FrameSeconds);
		benchmark::ClobberMemory();
	}
	Allocations.Report(State);
}
BENCHMARK(BM_DirectorWorldFrame)->ArgName("preset")->Arg(0)->Arg(1)->Arg(2);

// The director's own pass. Presets 0 and 1 as above; preset 2 with the given number of post-process
// material entries per look, so that the cost can be followed as presets grow (no faster than linearly).
static void BM_DirectorTick(benchmark::State& State)
{
	FPlayingLevel Level(State.range(0), State.range(0) >= 2 ? State.range(1) : -1);

	const ZNBenchmark::FAllocationMeter Allocations;
	for (auto _ : State)
	{
		Level.Director->Tick(FrameSeconds);
		benchmark::ClobberMemory();
	}
	Allocations.Report(State);
}
BENCHMARK(BM_DirectorTick)
	->ArgNames({"preset", "entries"})
	->Args({0, 0})
	->Args({1, 0})
	->Args({2, 0})
	->Args({2, 8})
	->Args({2, 64})
	->Args({2, 256});

BENCHMARK_MAIN();
