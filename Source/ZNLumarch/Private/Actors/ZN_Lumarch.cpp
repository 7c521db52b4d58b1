#include "Actors/ZN_Lumarch.h"
#include "Actors/ZN_LumarchSubsystem.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_DirectionalLightComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_SkySphereComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/SceneComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Data/LM_Preset.h"
#include "Engine/World.h"
#include "Scalability.h"
#include "Settings/LM_Settings.h"
#include "ZN_TimeOfDaySubsystem.h"
#include "ZN_TimeOfDaySubsystemActor.h"

namespace
{
	constexpr float TimeUnitsPerDay = 2400.0f;
	// The single-precision float nearest 1/2400; multiplying by it is what normalises TotalTime.
	constexpr float DaysPerTimeUnit = 0.00041666668f;

	constexpr int32 SunAtmosphereLightIndex = 0;
	constexpr int32 MoonAtmosphereLightIndex = 1;

	// Levels 0 (low) and 1 (medium) cannot afford the full global illumination of the looks.
	constexpr int32 HighestLowGIQualityLevel = 1;

	const FName PresetPropertyName(TEXT("Preset"));
	const FName TotalTimePropertyName(TEXT("TotalTime"));
}

AZN_Lumarch::AZN_Lumarch()
{
	PrimaryActorTick.bCanEverTick = true;

	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);

	Sun = CreateDefaultSubobject<ULM_DirectionalLightComponent>(TEXT("Sun"));
	Sun->SetupAttachment(Root);
	Sun->SetAtmosphereSunLight(true);
	Sun->SetAtmosphereSunLightIndex(SunAtmosphereLightIndex);
	Sun->SetForwardShadingPriority(0);

	Moon = CreateDefaultSubobject<ULM_DirectionalLightComponent>(TEXT("Moon"));
	Moon->SetupAttachment(Root);
	Moon->SetForwardShadingPriority(1);
	Moon->SetAtmosphereSunLightIndex(MoonAtmosphereLightIndex);

	SkyAtmosphere = CreateDefaultSubobject<USkyAtmosphereComponent>(TEXT("SkyAtmosphere"));
	SkyAtmosphere->SetupAttachment(Root);

	CelestialRotation = CreateDefaultSubobject<ULM_CelestialRotationComponent>(TEXT("CelestialRotation"));

	SkySphere = CreateDefaultSubobject<ULM_SkySphereComponent>(TEXT("SkySphere"));
	SkySphere->SetupAttachment(Root);

	PostProcess = CreateDefaultSubobject<ULM_TrackingPostProcessComponent>(TEXT("PostProcess"));
	PostProcess->SetupAttachment(Root);

	SkyLight = CreateDefaultSubobject<USkyLightComponent>(TEXT("Skylight"));
	SkyLight->SetupAttachment(Root);
	SkyLight->SetMobility(EComponentMobility::Movable);
	SkyLight->SetRealTimeCapture(true);

	ExponentialHeightFog = CreateDefaultSubobject<ULM_GroundFollowerFogComponent>(TEXT("ExponentialHeightFog"));
	ExponentialHeightFog->SetupAttachment(Root);
	ExponentialHeightFog->SetMobility(EComponentMobility::Movable);
	ExponentialHeightFog->SetVolumetricFog(true);
}

AZN_Lumarch::~AZN_Lumarch()
{
}

void AZN_Lumarch::PostRegisterAllComponents()
{
	Super::PostRegisterAllComponents();
	UpdateDelegateBinding();
	ApplySettings();
	UpdateEnvironment();
}

#if WITH_EDITOR
void AZN_Lumarch::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	Super::PostEditChangeProperty(PropertyChangedEvent);

	const FName PropertyName = PropertyChangedEvent.Property ? PropertyChangedEvent.Property->GetFName() : NAME_None;
	if (PropertyName == PresetPropertyName)
	{
		UpdateDelegateBinding();
		ApplySettings();
		UpdateEnvironment();
	}
	else if (PropertyName == TotalTimePropertyName)
	{
		UpdateEnvironment();
	}
}
#endif

void AZN_Lumarch::BeginPlay()
{
	Super::BeginPlay();

	UWorld* World = GetWorld();
	CachedTimeOfDaySubsystem = World ? World->GetSubsystem<UZN_TimeOfDaySubsystem>() : nullptr;
	// Play goes on from the edited TotalTime; the missing clock is reported once, not every level.
	ensureMsgf(CachedTimeOfDaySubsystem.IsValid(), TEXT("Lumarch: TimeOfDaySubsystem is missing."));

	if (UZN_LumarchSubsystem* Registry = World ? World->GetSubsystem<UZN_LumarchSubsystem>() : nullptr)
	{
		Registry->RegisterLumarch(this);
	}
}

void AZN_Lumarch::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	if (ScalabilityChangedHandle.IsValid())
	{
		Scalability::OnScalabilitySettingsChanged.Remove(ScalabilityChangedHandle);
		ScalabilityChangedHandle.Reset();
	}

	if (UWorld* World = GetWorld())
	{
		if (UZN_LumarchSubsystem* Registry = World->GetSubsystem<UZN_LumarchSubsystem>())
		{
			Registry->UnRegisterLumarch(this);
		}
	}

	Super::EndPlay(EndPlayReason);
}

void AZN_Lumarch::Tick(float DeltaSeconds)
{
	Super::Tick(DeltaSeconds);
	UpdateTimeOfDay();
	UpdateEnvironment();
}

void AZN_Lumarch::UpdateTimeOfDay()
{
	UZN_TimeOfDaySubsystem* Subsystem = CachedTimeOfDaySubsystem.Get();
	if (Subsystem == nullptr)
	{
		return;
	}

	AActor* ClockActor = Subsystem->TimeOfDayActor.Get();
	if (ClockActor == nullptr)
	{
		return;
	}
	AZN_TimeOfDaySubsystemActor* Clock = Cast<AZN_TimeOfDaySubsystemActor>(ClockActor);
	if (Clock == nullptr || !IsValid(Clock))
	{
		return;
	}

	const FZN_GameTimeOfDay& TimeOfDay = Clock->GetGameTimeOfDay();
	TotalTime = (static_cast<float>(TimeOfDay.Day) + static_cast<float>(TimeOfDay.DayFraction)) * TimeUnitsPerDay;
}

void AZN_Lumarch::UpdateEnvironment()
{
	if (!IsValid(Preset))
	{
		return;
	}

	CelestialRotation->Update(GetTimeNormalized());
	ApplyDynamicSettings();
	UpdateCelestialBodies();
	UpdateSky();
}

void AZN_Lumarch::UpdateCelestialBodies()
{
	Sun->Update(CelestialRotation->GetSunAlpha(), CelestialRotation->GetSunRotationForLights());
	Moon->Update(CelestialRotation->GetMoonAlpha(), CelestialRotation->GetMoonRotationForLights());

	const FRotator SunRotation = CelestialRotation->GetSunRotationRaw();
	const FRotator MoonRotation = CelestialRotation->GetMoonRotationRaw();
	DebugSunPitch = static_cast<float>(-SunRotation.Pitch);
	DebugMoonPitch = static_cast<float>(-MoonRotation.Pitch);
	DebugSunAlpha = CelestialRotation->GetSunAlpha();
	DebugMoonAlpha = CelestialRotation->GetMoonAlpha();
	// A light shines downwards while the body is above the horizon.
	DebugIsDay = CelestialRotation->GetSunForwardVector().Z < 0.0;
}

void AZN_Lumarch::UpdateSky()
{
	if (!IsValid(Preset))
	{
		return;
	}

	// The atmosphere wants the direction towards the body, the opposite of the light's travel.
	if (Preset->SunLightSettings.AtmosphereSunLight)
	{
		SkyAtmosphere->OverrideAtmosphereLightDirection(SunAtmosphereLightIndex, -CelestialRotation->GetSunForwardVector());
	}
	if (Preset->MoonLightSettings.AtmosphereSunLight)
	{
		SkyAtmosphere->OverrideAtmosphereLightDirection(MoonAtmosphereLightIndex, -CelestialRotation->GetMoonForwardVector());
	}

	SkySphere->Update(CelestialRotation, Moon->GetLightColor());
}

void AZN_Lumarch::OnPresetUpdated()
{
	ApplySettings();
	UpdateEnvironment();
}

void AZN_Lumarch::OnTimeOfDayUpdated()
{
	UpdateEnvironment();
}

void AZN_Lumarch::OnScalabilityChanged(const Scalability::FQualityLevels& QualityLevels)
{
	bLowGIQuality = QualityLevels.GlobalIlluminationQuality <= HighestLowGIQualityLevel;
}

void AZN_Lumarch::UpdateDelegateBinding()
{
	if (BoundPreset != nullptr && PresetUpdatedHandle.IsValid())
	{
		BoundPreset->OnUpdated.Remove(PresetUpdatedHandle);
		PresetUpdatedHandle.Reset();
	}
	if (Preset != nullptr)
	{
		PresetUpdatedHandle = Preset->OnUpdated.AddUObject(this, &AZN_Lumarch::OnPresetUpdated);
	}
	BoundPreset = Preset;

	if (ScalabilityChangedHandle.IsValid())
	{
		Scalability::OnScalabilitySettingsChanged.Remove(ScalabilityChangedHandle);
	}
	ScalabilityChangedHandle = Scalability::OnScalabilitySettingsChanged.AddUObject(this, &AZN_Lumarch::OnScalabilityChanged);

	OnScalabilityChanged(Scalability::GetQualityLevels());
}

float AZN_Lumarch::GetTimeNormalized() const
{
	return TotalTime * DaysPerTimeUnit;
}

void AZN_Lumarch::ApplyAllSettings()
{
	ApplySettings();
	ApplyDynamicSettings();
}
