#include "PreviewLevel.h"
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_DirectionalLightComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "Engine/World.h"
#include "HostSupport/EditorSimulation.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include "ZN_TimeOfDaySubsystemActor.h"

namespace
{
	template <class T>
	T* FindNamedComponent(const AActor* Actor, const TCHAR* Name)
	{
		TArray<T*> Components;
		Actor->GetComponents(Components);
		for (T* Component : Components)
		{
			if (Component->GetFName() == FName(Name))
			{
				return Component;
			}
		}
		return nullptr;
	}

	/** A reflected member of the director, read as the editor's Details panel reads it. */
	template <class T>
	T ReadMember(const UObject* Object, const TCHAR* Name)
	{
		const FProperty* Property = FindFProperty<FProperty>(Object->GetClass(), Name);
		return Property ? *Property->ContainerPtrToValuePtr<T>(Object) : T();
	}
}

namespace
{
	constexpr double TimeUnitsPerDay = 2400.0;

	/** Ticks a value's override box and enters the value, as in the dynamic preset's Details panel. */
	void SetLookValue(ULM_DynamicPreset* Dynamic, const FString& Look, const FString& Record, const FString& Field, double Value)
	{
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".bOverride_") + Field, true);
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".") + Field, Value);
	}

	struct FLookValues
	{
		const TCHAR* Look;
		double MinEV100;
		double MaxEV100;
		double Temperature;
		double FogDensity;
		double SkyLightIntensity;
	};

	/**
	 * The built-in preset: a bright neutral day, a warm dim dawn and dusk, a cold dark night, and a moon
	 * far dimmer than the sun, so a day shows every part of the blend.
	 */
	ULM_Preset* MakeBuiltInPreset(float DayLightFraction)
	{
		ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>(GetTransientPackage(), TEXT("BuiltInLooks"));
		const FLookValues Looks[] = {
			{TEXT("Day"), 10.0, 14.0, 6500.0, 0.02, 1.0},
			{TEXT("DawnDusk"), 5.0, 9.0, 4500.0, 0.08, 0.6},
			{TEXT("Night"), -3.0, 1.0, 9500.0, 0.15, 0.15},
		};
		for (const FLookValues& Values : Looks)
		{
			SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MinEV100"), Values.MinEV100);
			SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MaxEV100"), Values.MaxEV100);
			SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("Temperature"), Values.Temperature);
			SetLookValue(Dynamic, Values.Look, TEXT("FogSettings"), TEXT("Density"), Values.FogDensity);
			SetLookValue(Dynamic, Values.Look, TEXT("SkyLightSetting"), TEXT("IntensityScale"), Values.SkyLightIntensity);
		}

		ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage(), TEXT("BuiltInPreset"));
		HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), Dynamic);
		HostEditor::SetPropertyByPath(Preset, TEXT("MoonLightSettings.Intensity"), 1.0);
		HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.bOverride_DayLightFraction"), true);
		HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.DayLightFraction"), static_cast<double>(DayLightFraction));
		return Preset;
	}
}

FPreviewLevel::FPreviewLevel(const FPreviewOptions& InOptions)
	: Options(InOptions)
{
	const bool bPlay = Options.Mode == EPreviewMode::Play;
	World = UWorld::CreateWorld(bPlay ? EWorldType::Game : EWorldType::Editor, false);

	if (bPlay)
	{
		Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
		Clock->DayLengthSeconds = Options.DayLengthSeconds;
		Clock->SetGameTimeOfDay(0, 0.0);
	}

	ULM_Preset* Preset = MakeBuiltInPreset(Options.DayLightFraction);

	Director = World->SpawnActor<AZN_Lumarch>();
	HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset);

	Celestial = Director->FindComponentByClass<ULM_CelestialRotationComponent>();
	Sun = FindNamedComponent<ULM_DirectionalLightComponent>(Director, TEXT("Sun"));
	Moon = FindNamedComponent<ULM_DirectionalLightComponent>(Director, TEXT("Moon"));
	Atmosphere = Director->FindComponentByClass<USkyAtmosphereComponent>();
	Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
	SkyLight = Director->FindComponentByClass<USkyLightComponent>();
	PostProcess = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>()->PostProcessInternal;

	if (bPlay)
	{
		World->BeginPlay();
	}
}

FPreviewLevel::~FPreviewLevel()
{
	World->DestroyWorld(false);
}

void FPreviewLevel::ShowStep(int Step, int Steps)
{
	if (Options.Mode == EPreviewMode::Editor)
	{
		HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), TimeUnitsPerDay * Step / Steps);
		return;
	}
	if (Step == 0)
	{
		PlayFrames(1, 0.0f);
		return;
	}
	PlayFrames(Options.FramesPerStep, Options.DayLengthSeconds / static_cast<float>(Steps * Options.FramesPerStep));
}

void FPreviewLevel::PlayFrames(int Count, float DeltaSeconds)
{
	for (int Frame = 0; Frame < Count; ++Frame)
	{
		World->Tick(LEVELTICK_All, DeltaSeconds);
	}
}

FLightSnapshot FPreviewLevel::SnapshotLight(const ULM_DirectionalLightComponent* Light, const FRotator& BodyRotation, float Alpha) const
{
	FLightSnapshot Snapshot;
	// Adding zero turns -0 into 0, so a body on the horizon prints as 0.00.
	Snapshot.Altitude = -BodyRotation.Pitch + 0.0;
	// The arcs keep turning past 360 degrees; a compass bearing reads better.
	Snapshot.Yaw = FRotator::ClampAxis(BodyRotation.Yaw);
	Snapshot.Alpha = Alpha + 0.0f;
	Snapshot.Intensity = Light->Intensity + 0.0f;
	Snapshot.bVisible = Light->IsVisible();
	Snapshot.bCastShadows = Light->CastShadows;
	return Snapshot;
}

FDirectorSnapshot FPreviewLevel::Snapshot() const
{
	FDirectorSnapshot Snapshot;
	Snapshot.TotalTime = ReadMember<float>(Director, TEXT("TotalTime"));
	if (Clock)
	{
		const FZN_GameTimeOfDay& Time = Clock->GetGameTimeOfDay();
		Snapshot.Time = static_cast<double>(Time.Day) + Time.DayFraction;
	}
	else
	{
		Snapshot.Time = Snapshot.TotalTime / TimeUnitsPerDay;
	}
	Snapshot.Sun = SnapshotLight(Sun, Celestial->GetSunRotationRaw(), Celestial->GetSunAlpha());
	Snapshot.Moon = SnapshotLight(Moon, Celestial->GetMoonRotationRaw(), Celestial->GetMoonAlpha());
	Snapshot.ElevationPhase = Celestial->GetCelestialElevationPhase() + 0.0f;
	Snapshot.bIsDay = ReadMember<bool>(Director, TEXT("DebugIsDay"));
	Snapshot.DominantLight = Celestial->GetDominantLight() == ELM_CelestialLight::Moon ? "Moon" : "Sun";
	Snapshot.AtmosphereSunDirectionZ = Atmosphere->GetOverridenAtmosphereLightDirection(0).Z + 0.0;
	Snapshot.Look = ReadMember<FName>(Director, TEXT("ClosestPreset")).ToString();
	Snapshot.FogDensity = Fog->FogDensity;
	Snapshot.SkyLightIntensity = SkyLight->Intensity;
	Snapshot.MinEV100 = PostProcess->Settings.AutoExposureMinBrightness;
	Snapshot.MaxEV100 = PostProcess->Settings.AutoExposureMaxBrightness;
	Snapshot.WhiteTemperature = PostProcess->Settings.WhiteTemp;
	return Snapshot;
}
