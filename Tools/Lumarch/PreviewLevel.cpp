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
#include "Camera/PlayerCameraManager.h"
#include "GameFramework/DefaultPawn.h"
#include "GameFramework/PlayerController.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelWorld.h"
#include "ZN_TimeOfDaySubsystemActor.h"
#include <cmath>

namespace
{
	/** A value too small for the printed decimals shows as 0, never as -0. */
	double Tidy(double Value)
	{
		return std::fabs(Value) < 5e-5 ? 0.0 : Value;
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

	/** The player walks along X; the camera follows behind and above. */
	constexpr double WalkSpeed = 400.0;
	const FVector CameraOffset(-600.0, 0.0, 250.0);

	/** Rolling hills: long swells along X with gentler ones across. */
	float HillHeight(double X, double Y)
	{
		return static_cast<float>(1200.0 + 900.0 * std::sin(X / 9000.0) + 250.0 * std::cos(Y / 4000.0));
	}
}

FPreviewLevel::FPreviewLevel(const FPreviewOptions& InOptions, ULM_Preset* Preset)
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

	Director = World->SpawnActor<AZN_Lumarch>();
	HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset);

	Celestial = Director->FindComponentByClass<ULM_CelestialRotationComponent>();
	Sun = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Sun"));
	Moon = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Moon"));
	Atmosphere = Director->FindComponentByClass<USkyAtmosphereComponent>();
	Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
	SkyLight = Director->FindComponentByClass<USkyLightComponent>();
	PostProcess = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>()->PostProcessInternal;

	if (bPlay)
	{
		AddPlayerOnTerrain();
		World->BeginPlay();
		Director->RegisterPlayerController(Player);
	}
}

void FPreviewLevel::AddPlayerOnTerrain()
{
	// The terrain the fog follows: a voxel world marked as the ground, with one hilly height layer.
	AVoxelWorld* Ground = World->SpawnActor<AVoxelWorld>();
	Ground->Tags.Add(TEXT("GroundHeightSource"));
	Ground->LayerStack = NewObject<UVoxelLayerStack>(GetTransientPackage(), TEXT("PreviewTerrain"));
	Terrain = NewObject<UVoxelHeightLayer>(GetTransientPackage(), TEXT("PreviewHills"));
	Terrain->HeightFunction = &HillHeight;
	Ground->LayerStack->HeightLayers.Add(Terrain);

	Player = World->SpawnActor<APlayerController>();
	Walker = World->SpawnActor<ADefaultPawn>(FVector(0.0, 0.0, HillHeight(0.0, 0.0)), FRotator::ZeroRotator);
	Player->Possess(Walker);
	WalkPlayer(0.0f);
}

void FPreviewLevel::WalkPlayer(float DeltaSeconds)
{
	const FVector From = Walker->GetActorLocation();
	const double X = From.X + WalkSpeed * DeltaSeconds;
	const FVector Location(X, From.Y, Terrain->GetHeightAt(X, From.Y));
	Walker->SetActorLocation(Location);
	Player->PlayerCameraManager->SetActorLocation(Location + CameraOffset);
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
	// Whole frames at the chosen rate; a step shorter than a frame is one frame.
	const double StepSeconds = static_cast<double>(Options.DayLengthSeconds) / Steps;
	const int Frames = FMath::Max(1, static_cast<int>(std::lround(StepSeconds * Options.FramesPerSecond)));
	PlayFrames(Frames, static_cast<float>(StepSeconds / Frames));
}

void FPreviewLevel::PlayFrames(int Count, float DeltaSeconds)
{
	for (int Frame = 0; Frame < Count; ++Frame)
	{
		WalkPlayer(DeltaSeconds);
		World->Tick(LEVELTICK_All, DeltaSeconds);
		++PlayedFrames;
	}
}

FLightSnapshot FPreviewLevel::SnapshotLight(const ULM_DirectionalLightComponent* Light, const FRotator& BodyRotation, float Alpha) const
{
	FLightSnapshot Snapshot;
	Snapshot.Altitude = Tidy(-BodyRotation.Pitch);
	// The arcs keep turning past 360 degrees; a compass bearing reads better.
	Snapshot.Yaw = FRotator::ClampAxis(BodyRotation.Yaw);
	Snapshot.Alpha = static_cast<float>(Tidy(Alpha));
	Snapshot.Intensity = static_cast<float>(Tidy(Light->Intensity));
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
	Snapshot.ElevationPhase = static_cast<float>(Tidy(Celestial->GetCelestialElevationPhase()));
	Snapshot.bIsDay = ReadMember<bool>(Director, TEXT("DebugIsDay"));
	Snapshot.DominantLight = Celestial->GetDominantLight() == ELM_CelestialLight::Moon ? "Moon" : "Sun";
	Snapshot.AtmosphereSunDirectionZ = Tidy(Atmosphere->GetOverridenAtmosphereLightDirection(0).Z);
	Snapshot.Look = ReadMember<FName>(Director, TEXT("ClosestPreset")).ToString();
	Snapshot.FogDensity = Fog->FogDensity;
	Snapshot.SkyLightIntensity = SkyLight->Intensity;
	Snapshot.SkyLightColor = SkyLight->GetLightColor();
	Snapshot.FogInscatteringColor = Fog->FogInscatteringLuminance;
	Snapshot.FogAlbedo = FLinearColor(Fog->VolumetricFogAlbedo);
	Snapshot.MinEV100 = PostProcess->Settings.AutoExposureMinBrightness;
	Snapshot.MaxEV100 = PostProcess->Settings.AutoExposureMaxBrightness;
	Snapshot.WhiteTemperature = PostProcess->Settings.WhiteTemp;
	Snapshot.FogZ = Fog->GetComponentLocation().Z;
	Snapshot.FocalDistance = PostProcess->Settings.DepthOfFieldFocalDistance;
	if (Walker)
	{
		Snapshot.GroundZ = Walker->GetActorLocation().Z;
	}
	return Snapshot;
}

FSceneRenderState FPreviewLevel::CaptureScene() const
{
	return CaptureSceneRenderState(World);
}
