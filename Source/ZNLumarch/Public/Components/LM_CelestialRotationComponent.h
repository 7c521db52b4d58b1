#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "LM_CelestialRotationComponent.generated.h"

class UCurveFloat;

UENUM(BlueprintType)
enum class ELM_CelestialLight : uint8
{
	Sun UMETA(DisplayName = "Sun"),
	Moon UMETA(DisplayName = "Moon")
};

USTRUCT(BlueprintType)
struct FLM_CelestialAngleFadeRange
{
	GENERATED_BODY()

	/** Angle (in degrees) where fading begins */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LM_CelestialAngleFadeRange")
	float FadeStartDeg = 0.0f;

	/** Angle (in degrees) where fading is complete */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LM_CelestialAngleFadeRange")
	float FadeEndDeg = 8.0f;
};

USTRUCT(BlueprintType)
struct FLM_CelestialHorizonWindow
{
	GENERATED_BODY()

	UPROPERTY()
	float Rise = 0.0f;

	UPROPERTY()
	float Set = 0.0f;
};

/** Settings for Celestial Rotation Componment */
USTRUCT(BlueprintType)
struct FLM_CelstialRotationSettings
{
	GENERATED_BODY()

	/** How high does the sun rise above the horizon? */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Sun", meta = (ClampMin = "0.0", ClampMax = "90.0", UIMin = "0.0", UIMax = "90.0"))
	float SunNoonAltitudeDeg = 20.0f;

	/** Suns lowest point below the horizon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Sun", meta = (ClampMin = "0.0", ClampMax = "90.0", UIMin = "0.0", UIMax = "90.0"))
	float SunDepthDeg = 20.0f;

	/** How high does the moon rise above the horizon? */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Moon", meta = (ClampMin = "0.0", ClampMax = "90.0", UIMin = "0.0", UIMax = "90.0"))
	float MoonNoonAltitudeDeg = 20.0f;

	/** How much of the night is the moon above the horizon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Moon", meta = (ClampMin = "0.0", ClampMax = "2.0", UIMin = "0.0", UIMax = "1.0"))
	float MoonAboveHorizonFractionScale = 0.9f;

	/**
	 * Offsets the sun-altitude threshold that gates the moon light.
	 * Positive values allow overlap with the sun (below the horizon only).
	 * Negative values fade the moon out earlier.
	 */
	UPROPERTY(EditAnywhere, Category = "Celestial|Moon")
	float MoonSunGateOffsetDeg = 0.0f;

	/** Sky Azimuth Offset */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial")
	float SkyAzimuthOffsetDeg = 0.0f;

	/** Moon Azimuth Offset (compounded on top of Sky Azimuth OFfset */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Moon")
	float MoonAzimuthOffsetDegrees = 0.0f;

	/** How many days is a moon cycle */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Moon", meta = (ClampMin = "1"))
	int32 MoonCycleDays = 1;

	/** Locks the moons altitude in place, altitude stays at altitude noon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Moon")
	bool LockMoonAltitude = false;

	/** Minimum altitude (in degrees) for directional light when above horizon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Lights")
	float DirectionalLightMinAltitudeDeg = 5.0f;

	/** Directional light altitude offset */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Lights")
	float DirectionalLightOffsetDeg = 15.0f;

	/** What degree range should the directional light fade between - ie degrees above / below horizon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Lights")
	FLM_CelestialAngleFadeRange SunLightFadeRange;

	/** What degree range should the directional light fade between - ie degrees above / below horizon */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Celestial|Lights")
	FLM_CelestialAngleFadeRange MoonLightFadeRange;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Celestial")
	TObjectPtr<UCurveFloat> DayTimeCycleBlendCurve = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Celestial")
	TObjectPtr<UCurveFloat> NightTimeCycleBlendCurve = nullptr;
};

UCLASS(ClassGroup = (Custom), meta = (BlueprintSpawnableComponent))
class ZNLUMARCH_API ULM_CelestialRotationComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	ULM_CelestialRotationComponent();

	// Takes the settings and the share of the day the sun is up; they are used from the next Update on.
	void ApplySettings(const FLM_CelstialRotationSettings& InSettings, const float& InDayLightFraction);

	UFUNCTION(BlueprintCallable, Category = "Celestial")
	void Update(float TotalNormalizedTimePassed);

	UFUNCTION(BlueprintPure, Category = "Celestial|Alpha")
	float GetSunAlpha() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Alpha")
	float GetMoonAlpha() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Rotations")
	FRotator GetSunRotationRaw() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Rotations")
	FRotator GetMoonRotationRaw() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Rotations")
	FRotator GetSunRotationForLights() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Rotations")
	FRotator GetMoonRotationForLights() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Phase")
	float GetCelestialCyclePhase() const;

	UFUNCTION(BlueprintPure, Category = "Celestial|Phase")
	float GetCelestialElevationPhase() const;

	/**
	 * Get rotator of light sources above horizon, used to override Sky Atmosphere source rotation
	 * @param OutIndex Sky Atmosphere Light Index
	 * @param OutRotator rotator of the dominant light source above horizon, sun if both sun and moon are up
	 * @return False if neither sun nor moon is above horizon
	 */
	UFUNCTION(BlueprintPure, Category = "Celestial|Rotations")
	bool TryGetLightAboveHorizon(int32& OutIndex, FRotator& OutRotator) const;

	/** The moon while only the moon light is on, the sun otherwise. */
	ELM_CelestialLight GetDominantLight() const;

	/**
	 * Forward vectors of the raw rotations (FRotator::Vector()): the director, the atmosphere and the
	 * sky each need them every frame, so they are worked out once per rotation, however often read.
	 */
	FVector GetSunForwardVector() const;
	FVector GetMoonForwardVector() const;

	/** True when the rotation's forward direction points below the horizontal plane (negative pitch). */
	static bool IsAboveHorizon(const FRotator& Rotation);

private:
	void ComputeSun();
	void ComputeMoon();

	FRotator ComputeCelestialBodyRotation(float Time, float NoonAltitudeDeg, float DepthDeg, float AboveHorizonFraction, float AzimuthOffsetDeg) const;
	FLM_CelestialHorizonWindow ComputeHorizonWindow(float AboveHorizonFraction) const;
	FRotator GetClampedCelestialRotator(const FRotator& Rotation, float OffsetDeg, float MinAltitudeDeg) const;

	FLM_CelstialRotationSettings Settings;
	float NormalizedTimeOfDay = 0.0f;
	float TotalNormalizedTimePassed = 0.0f;
	float DayLightFraction = 0.25f;
	FRotator SunRotation = FRotator(0.0, 0.0, 0.0);
	FRotator MoonRotation = FRotator(0.0, 0.0, 0.0);
	float MoonAlpha = 0.0f;
	float SunAlpha = 0.0f;

	/** A rotation's forward vector, kept until the rotation changes (compared bit for bit). */
	struct FForwardVectorCache
	{
		FVector Get(const FRotator& Rotation) const;

		mutable FRotator CachedRotation = FRotator(0.0, 0.0, 0.0);
		mutable FVector CachedForward = FVector(0.0, 0.0, 0.0);
		mutable bool bCached = false;
	};
	FForwardVectorCache SunForward;
	FForwardVectorCache MoonForward;
};
